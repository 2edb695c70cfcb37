#include "core/mousewheel.h"

#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

struct WheelCall {
    int keys, rotation, x, y;
    bool operator==(const WheelCall& o) const
    {
        return keys == o.keys && rotation == o.rotation && x == o.x && y == o.y;
    }
};

std::ostream& operator<<(std::ostream& out, const WheelCall& c)
{
    return out << '{' << c.keys << ", " << c.rotation << ", " << c.x << ", " << c.y << '}';
}

// A window with the method the forwarding calls by name.
class WheelWindow : public QWidget {
    Q_OBJECT
public:
    Q_INVOKABLE void MouseWheel(int keys, int rotation, int x, int y) { calls.push_back({keys, rotation, x, y}); }
    std::vector<WheelCall> calls;
};

// A turn of the wheel that reaches the window (a control that ignores the wheel, as the list
// does, passes a real turn on to its window), or one of its controls.
void turn(QObject* target, int delta, Qt::KeyboardModifiers modifiers = {}, QPoint global = {300, 200},
          QPoint local = {5, 5})
{
    QWheelEvent event(QPointF(local), QPointF(global), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

class MouseWheelForwarding : public ::testing::Test {
protected:
    MouseWheelForwarding()
    {
        window_ = std::make_unique<WheelWindow>();
        window_->show();
    }
    ~MouseWheelForwarding() override { UnhookMouseWheel(); }

    std::unique_ptr<WheelWindow> window_;
};

TEST_F(MouseWheelForwarding, PassesKeysRotationAndPositionOfEachTurn)
{
    struct Case {
        int delta;
        Qt::KeyboardModifiers modifiers;
        QPoint global;
        WheelCall expected;
    } const cases[] = {
        {120, {}, {300, 200}, {0, 120, 300, 200}},    // a notch away from the user
        {-120, {}, {300, 200}, {0, -120, 300, 200}},  // towards the user
        {40, {}, {300, 200}, {0, 40, 300, 200}},      // a high-resolution step as it comes
        {120, Qt::ShiftModifier, {300, 200}, {4, 120, 300, 200}},
        {-120, Qt::ControlModifier, {300, 200}, {8, -120, 300, 200}},
        {120, {}, {-10, -20}, {0, 120, 65526, -20}},   // x unsigned, y signed 16 bits
    };
    HookMouseWheel(window_.get());
    for (const Case& c : cases) {
        window_->calls.clear();
        turn(window_.get(), c.delta, c.modifiers, c.global);
        ASSERT_EQ(window_->calls.size(), 1u) << c.delta;
        EXPECT_EQ(window_->calls.front(), c.expected);
    }
}

TEST_F(MouseWheelForwarding, ATurnOverAnyControlOfTheWindowIsTheWindowsAlone)
{
    auto* combo = new QComboBox(window_.get());
    combo->addItems({"a", "b", "c"});
    auto* bar = new QScrollBar(Qt::Vertical, window_.get());
    bar->setRange(0, 100);
    QComboBox outside;   // another window
    outside.addItems({"a", "b", "c"});
    outside.show();
    HookMouseWheel(window_.get());

    bar->setGeometry(0, 40, 20, 100);
    combo->setGeometry(40, 0, 100, 30);
    turn(combo, -120);
    turn(bar, -120);
    // A turn from the window system comes through the top-level window, which would hand it
    // to the control under the pointer.
    turn(window_->windowHandle(), -120, {}, {300, 200}, combo->geometry().center());
    EXPECT_EQ(window_->calls.size(), 3u);
    EXPECT_EQ(combo->currentIndex(), 0);
    EXPECT_EQ(bar->value(), 0);

    turn(&outside, -120);
    turn(outside.windowHandle(), -120);
    EXPECT_EQ(window_->calls.size(), 3u);
    EXPECT_EQ(outside.currentIndex(), 2);   // the turns go on as ever there

    UnhookMouseWheel();
    turn(combo, -120);
    EXPECT_EQ(combo->currentIndex(), 1);
}

TEST_F(MouseWheelForwarding, NothingIsCalledBeforeHookAfterUnhookOrForOtherEvents)
{
    turn(window_.get(), 120);
    HookMouseWheel(window_.get());
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(window_.get(), &move);
    EXPECT_TRUE(window_->calls.empty());
    UnhookMouseWheel();
    turn(window_.get(), 120);
    EXPECT_TRUE(window_->calls.empty());
}

TEST_F(MouseWheelForwarding, AWindowThatIsGoneIsNeverCalled)
{
    HookMouseWheel(window_.get());
    window_.reset();
    UnhookMouseWheel();   // no window left to unhook: nothing happens

    WheelWindow next;
    HookMouseWheel(&next);
    turn(&next, -120);
    EXPECT_EQ(next.calls.size(), 1u);
}

TEST_F(MouseWheelForwarding, AWindowWithoutTheMethodIsLeftAlone)
{
    QWidget plain;
    HookMouseWheel(&plain);
    turn(&plain, 120);   // nothing to call, nothing fails
    HookMouseWheel(window_.get());
    turn(window_.get(), 120);
    EXPECT_EQ(window_->calls.size(), 1u);
}

} // namespace

#include "mousewheel_test.moc"
