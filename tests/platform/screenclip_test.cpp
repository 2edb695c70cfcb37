#include "platform/screenclip.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFile>
#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

using screenclip::Outcome;
using namespace std::chrono_literals;

// Records every state the window passes through.
class StateRecorder : public QObject {
public:
    explicit StateRecorder(QWidget* window) { window->installEventFilter(this); }
    QVector<Qt::WindowStates> states;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowStateChange)
            states << static_cast<QWidget*>(watched)->windowState();
        return false;
    }
};

QImage redPicture()
{
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

struct Case {
    const char* name;
    QVector<screenclip::Tool> tools;
    std::function<void(QWidget*&)> duringWait;   // what happens while the tool runs
    std::chrono::milliseconds limit;
    Outcome expected;
    bool minimised;                               // whether the window was minimised meanwhile
};

} // namespace

TEST(ScreenClip, WaitEndsOnEachOutcomeAndTheWindowComesBack)
{
    QTemporaryDir dir;
    const QString badInterpreter = dir.filePath("clip-tool");
    {
        QFile script(badInterpreter);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/nonexistent/interpreter\n");
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const screenclip::Tool running{"sh", {"-c", "exec sleep 5"}};
    const auto later = [](std::function<void()> action) { QTimer::singleShot(100, action); };
    const Case cases[] = {
        {"no tool installed", {{"tarmel-no-such-tool", {}}}, {}, 10s, Outcome::NoTool, false},
        {"tool cannot start", {{"tarmel-no-such-tool", {}}, {badInterpreter, {}}}, {}, 10s, Outcome::NoTool, true},
        {"tool exits without a clip", {{"sh", {"-c", "exit 0"}}}, {}, 10s, Outcome::ToolExited, true},
        {"clip arrives", {{"sh", {"-c", "exec sleep 1"}}},
         [&](QWidget*&) { later([] { QApplication::clipboard()->setImage(redPicture()); }); }, 10s,
         Outcome::Clip, true},
        {"window restored", {running}, [&](QWidget*& w) { later([w] { w->showNormal(); }); }, 10s,
         Outcome::WindowRestored, true},
        {"window closed", {running}, [&](QWidget*& w) { later([&w] { delete w; w = nullptr; }); }, 10s,
         Outcome::WindowClosed, true},
        {"time limit", {running}, {}, 200ms, Outcome::TimedOut, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const screenclip::ToolsGuard guard(c.tools);
        auto* window = new QWidget;
        window->show();
        StateRecorder recorder(window);
        // An earlier picture on the clipboard must not pass for the clip.
        QApplication::clipboard()->setImage(redPicture());
        if (c.duringWait)
            c.duringWait(window);

        EXPECT_EQ(screenclip::takeClip(window, c.limit), c.expected);

        EXPECT_EQ(!recorder.states.isEmpty() && recorder.states.first().testFlag(Qt::WindowMinimized),
                  c.minimised);
        if (window) {
            EXPECT_FALSE(window->windowState().testFlag(Qt::WindowMinimized));
            delete window;
        }
        const QMimeData* data = QApplication::clipboard()->mimeData();
        // Emptied once the window was minimised for the tool; the clip stays for the paste.
        EXPECT_EQ(data && data->hasImage(), c.expected == Outcome::Clip || !c.minimised);
    }
}

TEST(ScreenClip, AMaximisedWindowComesBackMaximised)
{
    const screenclip::ToolsGuard guard({{"sh", {"-c", "exit 0"}}});
    QWidget window;
    window.showMaximized();
    EXPECT_EQ(screenclip::takeClip(&window), Outcome::ToolExited);
    EXPECT_EQ(window.windowState(), Qt::WindowMaximized);
}
