// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "accessibility.h"

#include "accessiblelist.h"
#include "dropdownlist.h"
#include "imagecontrol.h"
#include "messagebanner.h"

#include <QAccessibleWidget>
#include <QApplication>

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

// Qt's AT-SPI bridge turns on once it has reached the accessibility bus,
// which it looks up without waiting: a window that became active before
// that was never announced, and a screen reader then says nothing until the
// focus moves. So the focus is told once the bridge is on.
class FocusTeller : public QAccessible::ActivationObserver
{
  public:
    void accessibilityActiveChanged(bool active) override
    {
        if (!active)
            return;
        // Later, from the event loop: the bridge makes what it sends with
        // only after it has said that it is on.
        QMetaObject::invokeMethod(
            qApp,
            [] {
                QWidget* focused = QApplication::focusWidget();
                if (focused && QAccessible::isActive()) {
                    QAccessibleEvent event(focused, QAccessible::Focus);
                    QAccessible::updateAccessibility(&event);
                }
            },
            Qt::QueuedConnection);
    }
};

} // namespace

namespace Accessibility
{

void installFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(createInterface);
        static FocusTeller focusTeller;
        QAccessible::installActivationObserver(&focusTeller);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace Accessibility
