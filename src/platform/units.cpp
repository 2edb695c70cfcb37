#include "platform/units.h"

#include <QApplication>
#include <QCursor>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace units {

namespace {

// The desktop colours the screens were drawn with, by system colour index.
std::uint32_t systemColor(std::uint32_t index)
{
    switch (index) {
    case 0x00: return RGB(212, 208, 200);   // scroll bar
    case 0x01: return RGB(0, 78, 152);      // desktop
    case 0x02: return RGB(0, 84, 227);      // active caption
    case 0x03: return RGB(122, 150, 223);   // inactive caption
    case 0x04: return RGB(255, 255, 255);   // menu
    case 0x05: return RGB(255, 255, 255);   // window
    case 0x06: return RGB(0, 0, 0);         // window frame
    case 0x07: return RGB(0, 0, 0);         // menu text
    case 0x08: return RGB(0, 0, 0);         // window text
    case 0x09: return RGB(255, 255, 255);   // caption text
    case 0x0A: return RGB(212, 208, 200);   // active border
    case 0x0B: return RGB(212, 208, 200);   // inactive border
    case 0x0C: return RGB(128, 128, 128);   // application workspace
    case 0x0D: return RGB(49, 106, 197);    // highlight
    case 0x0E: return RGB(255, 255, 255);   // highlight text
    case 0x0F: return RGB(236, 233, 216);   // button face
    case 0x10: return RGB(172, 168, 153);   // button shadow
    case 0x11: return RGB(172, 168, 153);   // grey text
    case 0x12: return RGB(0, 0, 0);         // button text
    case 0x13: return RGB(216, 228, 248);   // inactive caption text
    case 0x14: return RGB(255, 255, 255);   // button highlight (3D highlight)
    case 0x15: return RGB(113, 111, 100);   // dark shadow
    case 0x16: return RGB(241, 239, 226);   // 3D light
    case 0x17: return RGB(0, 0, 0);         // tooltip text
    case 0x18: return RGB(255, 255, 225);   // tooltip background
    default: return RGB(0, 0, 0);
    }
}

} // namespace

int px(double twips)
{
    return int(std::nearbyint(twips / kTwipsPerPixel));   // default rounding: halves to even
}

int tw(int pixels)
{
    return pixels * kTwipsPerPixel;
}

QRect pxRect(double leftTw, double topTw, double widthTw, double heightTw)
{
    return QRect(px(leftTw), px(topTw), px(widthTw), px(heightTw));
}

QPoint pxPoint(double xTw, double yTw)
{
    return QPoint(px(xTw), px(yTw));
}

QSize pxSize(double widthTw, double heightTw)
{
    return QSize(px(widthTw), px(heightTw));
}

std::uint32_t bgr(std::uint32_t vbColor)
{
    if (vbColor & 0x80000000u)
        return systemColor(vbColor & 0xFFu);
    return vbColor & 0xFFFFFFu;
}

std::uint32_t bgr(const QColor& color)
{
    return RGB(color.red(), color.green(), color.blue());
}

QColor color(std::uint32_t vbColor)
{
    const std::uint32_t value = bgr(vbColor);
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

void setBackColor(QWidget* widget, std::uint32_t vbColor)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), color(vbColor));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setForeColor(QWidget* widget, std::uint32_t vbColor)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->foregroundRole(), color(vbColor));
    widget->setPalette(palette);
}

int mouseButtonCode(Qt::MouseButtons buttons)
{
    return (buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
        | (buttons & Qt::MiddleButton ? 4 : 0);
}

int shiftCode(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
        | (modifiers & Qt::AltModifier ? 4 : 0);
}

int keyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return 112 + (qtKey - Qt::Key_F1);
    switch (qtKey) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

bool underCursor(const QWidget* widget)
{
    return widget->isVisible() && QApplication::widgetAt(QCursor::pos()) == widget;
}

} // namespace units
