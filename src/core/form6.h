#pragma once
// The settings window: the program's version and the reset of the stock database to the
// empty one. Its other buttons have no action and are shown disabled.

#include "core/forms.h"
#include <QWidget>
#include <array>

class QLabel;
class XPButton;

class Form6 : public QWidget, public SingleInstance<Form6> {
    Q_OBJECT
public:
    explicit Form6(QWidget* parent = nullptr);

    XPButton* XPButton1 = nullptr;   // "Delete Database": the reset
    XPButton* XPButton2 = nullptr;
    XPButton* XPButton3 = nullptr;
    XPButton* XPButton4 = nullptr;   // "Copy database"
    XPButton* XPButton5 = nullptr;
    XPButton* XPButton6 = nullptr;
    XPButton* backBut = nullptr;
    std::array<QLabel*, 2> Label1 {};   // (0) title, (1) version

    // "Version : 1.23.15"
    static QString versionText();

    void Form_Load();
    void backBut_Click();
    // Asks, then disables itself for the rest of the window's life and resets the database.
    void XPButton1_Click();

private:
    void buildControls();
};
