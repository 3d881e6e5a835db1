#include "platform.h"

#include <QCoreApplication>
#include <QThread>

namespace Platform
{
namespace
{
std::function<void(int)> pauseHandler;
QString folderOverride;
} // namespace

void pause(int milliseconds)
{
    if (pauseHandler)
        pauseHandler(milliseconds);
    else
        QThread::msleep(static_cast<unsigned long>(milliseconds));
}

void setPauseHandler(std::function<void(int)> handler)
{
    pauseHandler = std::move(handler);
}

QString applicationFolder()
{
    return folderOverride.isEmpty() ? QCoreApplication::applicationDirPath() : folderOverride;
}

void setApplicationFolder(const QString& folder)
{
    folderOverride = folder;
}

} // namespace Platform
