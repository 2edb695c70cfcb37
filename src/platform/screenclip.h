#pragma once
// The screen clip: the desktop's screenshot tool started in its area-to-clipboard mode while
// the main window is minimised, and the wait until the clip is on the clipboard.

#include <QString>
#include <QStringList>
#include <QVector>
#include <chrono>

class QWidget;

namespace screenclip {

// A screenshot tool and the arguments that start it in its area-to-clipboard mode.
struct Tool {
    QString program;   // a name looked up on PATH, or a path
    QStringList arguments;
};

// The tools tried in order; the first one installed is started.
QVector<Tool> tools();

// Tests put tools of their own in place of the list for the life of the guard.
class ToolsGuard {
public:
    explicit ToolsGuard(QVector<Tool> tools);
    ~ToolsGuard();
    ToolsGuard(const ToolsGuard&) = delete;
    ToolsGuard& operator=(const ToolsGuard&) = delete;

private:
    QVector<Tool> previous_;
    bool hadPrevious_;
};

enum class Outcome {
    NoTool,           // none installed, or the one found could not start
    Clip,             // a picture is on the clipboard
    ToolExited,       // the tool ended without leaving a picture
    WindowRestored,   // the user brought the main window back first
    WindowClosed,     // the main window was closed during the wait
    TimedOut,
};

// Long enough for anyone to choose an area; it only keeps a lost clip from waiting forever.
constexpr std::chrono::milliseconds kTimeLimit = std::chrono::minutes(3);

// Finds a tool before anything else (none: NoTool, the window untouched); minimises the
// main window, empties the clipboard, starts the tool and waits, letting events run, until
// one of the outcomes happens; then gives the main window back the state it had (unless it
// was closed). A tool that is still running is ended, except after a clip: it may own the
// clipboard until the picture has been taken from it.
Outcome takeClip(QWidget* mainWindow, std::chrono::milliseconds limit = kTimeLimit);

} // namespace screenclip
