#pragma once
// The main window: fixed outer size, the menu panel and the title panel at the top of
// its central area over the area of the work windows, the status bar at the bottom.
// Constructing it runs its load (captions translated, position restored from the settings
// string); destroying it closes the three database connections.

#include "core/forms.h"
#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <array>
#include <cstdint>
#include <memory>

class QCheckBox;
class QFrame;
class QLabel;
class QLockFile;
class QMdiArea;
class QStatusBar;
class XPButton;

class MDIForm1 : public QMainWindow, public SingleInstance<MDIForm1> {
    Q_OBJECT
public:
    explicit MDIForm1(QWidget* parent = nullptr);
    ~MDIForm1() override;

    // Controls that the work windows use.
    QFrame* Picture1 = nullptr;   // menu panel
    QFrame* Picture2 = nullptr;   // title panel
    QCheckBox* Check1 = nullptr;  // signal: a child window was closed (Value 1 restores the version text)
    QCheckBox* Check2 = nullptr;  // always on top
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    std::array<XPButton*, 6> Command2 {};
    QStatusBar* StatusBar1 = nullptr;
    QMdiArea* mdiArea = nullptr;

    // StatusBar1.Panels(1).Text
    QString panel1Text() const;
    void setPanel1Text(const QString& text);
    // Picture1.BackColor (&HBBGGRR)
    void setPicture1BackColor(std::uint32_t color);
    std::uint32_t picture1BackColor() const;
    // The menu panel alone shown again in its own colour, or hidden and greyed while the
    // job window works.
    void showMenuPanel();
    void hideMenuPanel();
    void showHomePanels();      // the title panel and the menu panel
    void signalChildClosed();   // ticks Check1

    // Outer size and position in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;

    // Shows a work window as a frameless child of the work area at (left, top) twips with
    // the given outer size in twips; the child's sub-window goes when the window is deleted.
    void showChild(QWidget* form, int leftTw, int topTw, int widthTw, int heightTw);
    // Moves a child already shown (left, top in twips), keeping its size.
    void moveChild(QWidget* form, int leftTw, int topTw);

    static QString versionText();   // "Norvale Stock Version 01.23.15"
    // A stored position (twips) kept from running off the screen's right and bottom edges;
    // there is no bound at the left and top.
    static QPoint keptOnScreen(const QPoint& storedTw, const QSize& screenTw, const QSize& windowTw);

    // Keeps the running copy's lock for the life of the main window.
    void holdInstanceLock(std::unique_ptr<QLockFile> lock);

    void MDIForm_Load();
    // Asks for confirmation (cancel true keeps the window open); saves the position always.
    void MDIForm_QueryUnload(bool& cancel);
    // The window keeps its outer size: a maximise returns to normal, a resize is undone.
    void MDIForm_Resize();
    void Command2_Click(int index);
    void Check1_Click();
    void Check2_Click();

protected:
    void closeEvent(QCloseEvent* event) override;   // MDIForm_QueryUnload
    void changeEvent(QEvent* event) override;       // MDIForm_Resize (window state)
    void resizeEvent(QResizeEvent* event) override; // MDIForm_Resize
    void moveEvent(QMoveEvent* event) override;     // the frame is known once shown
    void showEvent(QShowEvent* event) override;     // and once framed

private:
    void buildMenuPanel();
    void buildTitlePanel();
    void hidePanels();
    // A menu window: the home panels hidden, the window made under the hourglass (its load
    // runs in its constructor) and shown over the whole main window.
    void openChild(QWidget* (*create)());
    void restorePosition();
    void savePosition();

    QLabel* panel1_ = nullptr;
    std::uint32_t picture1BackColor_ = 0;
    std::unique_ptr<QLockFile> instanceLock_;
};

// The return of a menu window: both home panels shown again, the window unloaded, and the
// main window's signal box ticked, on which it writes its version text back.
template <class Form>
void ReturnToHomeScreen(Form* form)
{
    MDIForm1* main = MDIForm1::instance();
    if (main)
        main->showHomePanels();
    Unload(form);
    if (main)
        main->signalChildClosed();
}
