#include "core/mousewheel.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <cstdint>

namespace {

// Key flags of the wheel message.
constexpr int kLeftButton = 0x1;
constexpr int kRightButton = 0x2;
constexpr int kShift = 0x4;
constexpr int kControl = 0x8;
constexpr int kMiddleButton = 0x10;

int keyFlags(const QWheelEvent& event)
{
    int keys = 0;
    const Qt::MouseButtons buttons = event.buttons();
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (buttons & Qt::LeftButton)
        keys |= kLeftButton;
    if (buttons & Qt::RightButton)
        keys |= kRightButton;
    if (modifiers & Qt::ShiftModifier)
        keys |= kShift;
    if (modifiers & Qt::ControlModifier)
        keys |= kControl;
    if (buttons & Qt::MiddleButton)
        keys |= kMiddleButton;
    return keys;
}

// Watches the whole application while a window is hooked, since a wheel turn goes to the
// control under the pointer, which may act on it (a combo box picks another entry, a scroll
// bar moves): a turn over the hooked window or any of its controls is the window's alone.
class WheelForwarder final : public QObject {
public:
    void hook(QWidget* form)
    {
        unhook();
        form_ = form;
        if (form)
            qApp->installEventFilter(this);
    }

    void unhook()
    {
        if (qApp)
            qApp->removeEventFilter(this);
        form_ = nullptr;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel || !form_)
            return false;
        auto* wheel = static_cast<QWheelEvent*>(event);
        if (wheel->angleDelta().y() == 0)   // a sideways turn is another message
            return false;
        if (!reachesForm(watched, *wheel))
            return false;
        forward(*wheel);
        wheel->accept();   // taken: no control under the pointer, nor a parent, acts on it
        return true;
    }

private:
    // Whether the turn goes to the hooked window or one of its controls. A turn from the
    // window system reaches the top-level window first, which hands it to the control under
    // the pointer, and gives that control the focus where it takes the focus by the wheel (a
    // combo box does; the list would lose the focus and with it the hook): it is taken there.
    // isAncestorOf stops at window borders, so an open drop-down list keeps its own wheel.
    bool reachesForm(QObject* watched, const QWheelEvent& wheel) const
    {
        QWidget* target = nullptr;
        if (watched->isWidgetType()) {
            target = static_cast<QWidget*>(watched);
        } else if (QWidget* top = form_->window(); watched == top->windowHandle()) {
            QWidget* child = top->childAt(wheel.position().toPoint());
            target = child ? child : top;
        }
        return target && (target == form_ || form_->isAncestorOf(target));
    }

    void forward(const QWheelEvent& event)
    {
        const int rotation = event.angleDelta().y();
        const QPoint screen = event.globalPosition().toPoint();
        const int x = screen.x() & 0xFFFF;
        const int y = std::int16_t(screen.y() & 0xFFFF);
        // A window without the method is simply not called.
        QMetaObject::invokeMethod(form_.data(), "MouseWheel", Qt::DirectConnection, Q_ARG(int, keyFlags(event)),
                                  Q_ARG(int, rotation), Q_ARG(int, x), Q_ARG(int, y));
    }

    QPointer<QWidget> form_;
};

WheelForwarder& forwarder()
{
    static WheelForwarder instance;
    return instance;
}

} // namespace

void HookMouseWheel(QWidget* form)
{
    forwarder().hook(form);
}

void UnhookMouseWheel()
{
    forwarder().unhook();
}
