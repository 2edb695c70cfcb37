#pragma once
// What assistive technology (screen readers, desktop automation) learns of an owner-drawn
// push button: a push button named by its caption without its "&" marks, or by its tooltip
// where it has none, with its enabled state, and its checked state where it toggles; its
// press action clicks it while it is enabled.
//
// A button class offers Caption(), accessibleChecked() (nullopt when it does not toggle) and
// accessiblePress(), and calls ButtonAccessible<Button>::install() once it exists.

#include <QAccessible>
#include <QAccessibleWidget>
#include <optional>

// "&Save" reads "Save", "&&" a plain "&"; blanks around it are dropped.
QString accessibleCaption(const QString& caption);

template <class Button>
class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(Button* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name: {
            const QString caption = accessibleCaption(button()->Caption());
            return caption.isEmpty() ? button()->toolTip() : caption;
        }
        case QAccessible::Description:
            return button()->toolTip();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (const std::optional<bool> checked = button()->accessibleChecked()) {
            state.checkable = true;
            state.checked = *checked;
        }
        return state;
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& actionName) override
    {
        if (actionName == pressAction() && button()->isEnabled())
            button()->accessiblePress();
    }

    // Makes Qt's accessibility ask this class for every button of the class (once per program).
    static void install()
    {
        [[maybe_unused]] static const bool installed = (QAccessible::installFactory(&factory), true);
    }

private:
    Button* button() const { return static_cast<Button*>(widget()); }

    static QAccessibleInterface* factory(const QString& className, QObject* object)
    {
        if (className == QLatin1String(Button::staticMetaObject.className()))
            if (auto* button = qobject_cast<Button*>(object))
                return new ButtonAccessible(button);
        return nullptr;
    }
};
