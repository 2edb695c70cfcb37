#pragma once
// What assistive technology (screen readers, desktop automation) learns of an XPButton: a
// push button named by its caption, or by its tooltip where it has none, with its enabled
// state (and its checked state in checkbox mode); its press action clicks it.

#include <QAccessibleWidget>

class XPButton;

class XPButtonAccessible : public QAccessibleWidget {
public:
    explicit XPButtonAccessible(XPButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // Makes Qt's accessibility ask this class for every XPButton (once per program).
    static void install();

private:
    XPButton* button() const;
};
