#include "platform/screenclip.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <optional>
#include <utility>

namespace screenclip {
namespace {

constexpr int kPollMs = 50;

// The desktops' own tools first, then one that runs on any X11 desktop.
QVector<Tool> defaultTools()
{
    return {
        {"gnome-screenshot", {"--area", "--clipboard"}},
        {"spectacle", {"--background", "--nonotify", "--region", "--clipboard"}},
        {"xfce4-screenshooter", {"--region", "--clipboard"}},
        {"flameshot", {"gui", "--clipboard"}},
    };
}

std::optional<QVector<Tool>>& replacedTools()
{
    static std::optional<QVector<Tool>> tools;
    return tools;
}

// The first tool of the list that is installed, with its program's full path.
std::optional<Tool> installedTool()
{
    for (Tool tool : tools()) {
        const QString path = QStandardPaths::findExecutable(tool.program);
        if (!path.isEmpty()) {
            tool.program = path;
            return tool;
        }
    }
    return std::nullopt;
}

bool clipboardHasPicture()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasImage();
}

std::optional<Outcome> waitState(const QPointer<QWidget>& window, const QProcess& tool,
                                 const QElapsedTimer& clock, std::chrono::milliseconds limit)
{
    if (clipboardHasPicture())
        return Outcome::Clip;
    if (!window || !window->isVisible())
        return Outcome::WindowClosed;
    if (!window->windowState().testFlag(Qt::WindowMinimized))
        return Outcome::WindowRestored;
    if (tool.state() == QProcess::NotRunning)
        return Outcome::ToolExited;
    if (clock.elapsed() >= limit.count())
        return Outcome::TimedOut;
    return std::nullopt;
}

// Runs events until the wait has an outcome: checked on every change of the clipboard, at
// the tool's exit, and a few times a second for the window's state and the clock.
Outcome waitForClip(const QPointer<QWidget>& window, const QProcess& tool,
                    std::chrono::milliseconds limit)
{
    QElapsedTimer clock;
    clock.start();
    QEventLoop loop;
    std::optional<Outcome> outcome;
    const auto check = [&] {
        if (outcome)
            return;
        outcome = waitState(window, tool, clock, limit);
        if (outcome)
            loop.quit();
    };
    QTimer poll;
    poll.setInterval(kPollMs);
    QObject::connect(&poll, &QTimer::timeout, &loop, check);
    QObject::connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, &loop, check);
    QObject::connect(&tool, &QProcess::finished, &loop, check);
    poll.start();
    check();
    if (!outcome)
        loop.exec();
    return *outcome;
}

void restore(const QPointer<QWidget>& window, Qt::WindowStates state)
{
    if (!window)
        return;
    window->setWindowState(state);
    window->activateWindow();
}

} // namespace

QVector<Tool> tools()
{
    return replacedTools() ? *replacedTools() : defaultTools();
}

ToolsGuard::ToolsGuard(QVector<Tool> tools)
    : previous_(replacedTools().value_or(QVector<Tool>{})), hadPrevious_(replacedTools().has_value())
{
    replacedTools() = std::move(tools);
}

ToolsGuard::~ToolsGuard()
{
    if (hadPrevious_)
        replacedTools() = std::move(previous_);
    else
        replacedTools().reset();
}

Outcome takeClip(QWidget* mainWindow, std::chrono::milliseconds limit)
{
    const std::optional<Tool> tool = installedTool();
    if (!tool || !mainWindow)
        return Outcome::NoTool;

    const QPointer<QWidget> window(mainWindow);
    const Qt::WindowStates before = window->windowState() & ~Qt::WindowMinimized;
    window->setWindowState(before | Qt::WindowMinimized);
    QGuiApplication::clipboard()->clear();

    // Lives on its own: after a clip the tool may have to outlast this call.
    auto* process = new QProcess(QCoreApplication::instance());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    process->start(tool->program, tool->arguments);
    if (!process->waitForStarted()) {
        delete process;
        restore(window, before);
        return Outcome::NoTool;
    }

    const Outcome outcome = waitForClip(window, *process, limit);
    restore(window, before);
    if (process->state() == QProcess::NotRunning) {
        process->deleteLater();
    } else {
        QObject::connect(process, &QProcess::finished, process, &QObject::deleteLater);
        if (outcome != Outcome::Clip)
            process->terminate();
    }
    return outcome;
}

} // namespace screenclip
