#include "controls/xpbutton_accessible.h"
#include "controls/xpbutton.h"

namespace {

QAccessibleInterface* xpButtonInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("XPButton"))
        if (auto* button = qobject_cast<XPButton*>(object))
            return new XPButtonAccessible(button);
    return nullptr;
}

} // namespace

XPButtonAccessible::XPButtonAccessible(XPButton* button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

XPButton* XPButtonAccessible::button() const
{
    return static_cast<XPButton*>(widget());
}

QString XPButtonAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        const QString caption = button()->Caption().trimmed();
        return caption.isEmpty() ? button()->toolTip() : caption;
    }
    case QAccessible::Description:
        return button()->toolTip();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State XPButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    if (button()->CheckboxBehaviour()) {
        state.checkable = true;
        state.checked = button()->Value();
    }
    return state;
}

QStringList XPButtonAccessible::actionNames() const
{
    return {pressAction()};
}

void XPButtonAccessible::doAction(const QString& actionName)
{
    if (actionName == pressAction() && button()->isEnabled())
        button()->clickAsKeyboardDoes();
}

void XPButtonAccessible::install()
{
    static const bool installed = [] {
        QAccessible::installFactory(xpButtonInterface);
        return true;
    }();
    (void)installed;
}
