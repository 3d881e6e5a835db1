// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "storedpicture.h"

#include <QImageReader>

namespace
{
// The stored pictures are PNG files, read as such: a reader left to find out
// the format loads every image format plugin installed (SVG with all of Qt
// SVG among them) to ask it first.
class PngReader : public QImageReader
{
  public:
    explicit PngReader(const QString& path) : QImageReader(path, "png")
    {
        setAutoDetectImageFormat(false);
    }
};

QString onceName(const char* name)
{
    return QStringLiteral(":/images/") + QLatin1String(name);
}

QString twiceName(const char* name)
{
    QString path = onceName(name);
    path.insert(path.lastIndexOf(QLatin1Char('.')), QStringLiteral("@2x"));
    return path;
}
} // namespace

StoredPicture::StoredPicture(const char* name, qreal ratio) : m_ratio(ratio)
{
    if (ratio > 1.0) {
        const QString twice = twiceName(name);
        if (const QSize pixels = PngReader(twice).size(); pixels.isValid()) {
            m_path = twice;
            m_drawnFor = 2.0;
            m_size = pixels / 2;
            return;
        }
    }
    m_path = onceName(name);
    m_size = PngReader(m_path).size();
}

QPixmap StoredPicture::read()
{
    if (!isPending())
        return {};
    QImage picture = PngReader(m_path).read();
    if (picture.isNull() && m_drawnFor > 1.0) {
        // A 2x picture that cannot be read: the 1x one stands in for it.
        m_path.remove(QStringLiteral("@2x"));
        m_drawnFor = 1.0;
        picture = PngReader(m_path).read();
    }
    m_path.clear();
    if (m_drawnFor <= 1.0)
        return QPixmap::fromImage(std::move(picture));
    picture.setDevicePixelRatio(m_drawnFor);
    return pictureForScreen(std::move(picture), m_ratio);
}

QPixmap storedPicture(const char* name, qreal ratio)
{
    return StoredPicture(name, ratio).read();
}

QPixmap pictureForScreen(QImage picture, qreal ratio)
{
    const qreal drawnFor = picture.devicePixelRatio();
    if (ratio > 1.0 && drawnFor > 1.0 && !qFuzzyCompare(drawnFor, ratio)) {
        const QSize pixels = (picture.deviceIndependentSize() * ratio).toSize();
        picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(ratio);
    }
    return QPixmap::fromImage(std::move(picture));
}
