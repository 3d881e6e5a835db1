// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "accessibility.h"

#include "accessiblelist.h"
#include "dropdownlist.h"
#include "imagecontrol.h"
#include "messagebanner.h"

#include <QAccessibleWidget>

namespace
{

// An image: a picture, or, once it runs a command, a push button named by
// its caption. Its role follows the image, not the moment it was made.
class AccessibleImage : public QAccessibleWidget
{
  public:
    explicit AccessibleImage(ImageControl* image) : QAccessibleWidget(image) {}

    QAccessible::Role role() const override
    {
        return image()->isCommand() ? QAccessible::Button : QAccessible::Graphic;
    }

    // As for a push button: no press while the image is disabled, so a
    // screen reader tells it is unavailable.
    QStringList actionNames() const override
    {
        if (image()->isCommand() && image()->isEnabled())
            return {pressAction()};
        return {};
    }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction() && image()->isCommand())
            image()->clickLater();
    }

    QStringList keyBindingsForAction(const QString& actionName) const override
    {
        if (!actionNames().contains(actionName) || image()->shortcut().isEmpty())
            return {};
        return {image()->shortcut().toString(QKeySequence::NativeText)};
    }

  private:
    ImageControl* image() const { return static_cast<ImageControl*>(widget()); }
};

QAccessibleInterface* createInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("ImageControl"))
        return new AccessibleImage(static_cast<ImageControl*>(object));
    // Asked before Qt's own factory: Qt asks for each class name up the
    // chain, the program's class first.
    if (className == QLatin1String("DropDownList"))
        return new AccessibleList(static_cast<DropDownList*>(object));
    if (className == QLatin1String("MessageBanner"))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

namespace Accessibility
{

void installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace Accessibility
