#pragma once
// Twips, colours and event codes as the windows were designed with them.

#include <QColor>
#include <Qt>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <cstdint>

class QWidget;

namespace units {

constexpr int kTwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel (halves to even).
int px(double twips);
// Pixels to twips.
int tw(int pixels);
QRect pxRect(double leftTw, double topTw, double widthTw, double heightTw);
QPoint pxPoint(double xTw, double yTw);
QSize pxSize(double widthTw, double heightTw);

// A control given its designer name and its designed rectangle in twips.
template <class Widget>
Widget* place(Widget* widget, const QString& designerName, int leftTw, int topTw, int widthTw, int heightTw)
{
    widget->setObjectName(designerName);
    widget->setGeometry(pxRect(leftTw, topTw, widthTw, heightTw));
    return widget;
}

// System colour indexes (&H80000000 + n).
constexpr std::uint32_t kButtonFace = 0x8000000F;
constexpr std::uint32_t kButtonShadow = 0x80000010;
constexpr std::uint32_t kButtonText = 0x80000012;
constexpr std::uint32_t kButtonHighlight = 0x80000014;
constexpr std::uint32_t kDarkShadow = 0x80000015;
constexpr std::uint32_t kLight = 0x80000016;

// A colour written &HBBGGRR, or a system colour &H80000000 + n from the fixed desktop
// table (button face RGB(236, 233, 216), highlight white, shadow RGB(172, 168, 153),
// dark shadow RGB(113, 111, 100), light RGB(241, 239, 226), button text black, ...).
QColor color(std::uint32_t vbColor);
// The &HBBGGRR value of a colour (system colours resolved first).
std::uint32_t bgr(std::uint32_t vbColor);
std::uint32_t bgr(const QColor& color);
// RGB(r, g, b) = r + 256 g + 65536 b.
constexpr std::uint32_t RGB(int r, int g, int b)
{
    return std::uint32_t(r & 0xFF) | (std::uint32_t(g & 0xFF) << 8) | (std::uint32_t(b & 0xFF) << 16);
}

// Fills a widget's background with a colour (&HBBGGRR or a system colour).
void setBackColor(QWidget* widget, std::uint32_t vbColor);
// Sets the colour of a widget's own text (a label's caption).
void setForeColor(QWidget* widget, std::uint32_t vbColor);

// Mouse buttons as the mouse events report them: 1 left, 2 right, 4 middle.
int mouseButtonCode(Qt::MouseButtons buttons);
// Shift state of mouse and key events: 1 Shift, 2 Ctrl, 4 Alt.
int shiftCode(Qt::KeyboardModifiers modifiers);
// The virtual key code of a key as the key events report it (letters and digits are their
// upper-case character codes, Enter 13, Esc 27, Space 32, ...); 0 for keys without one.
int keyCode(int qtKey);

// The hover test of the buttons: the widget is shown and is the one under the mouse pointer.
bool underCursor(const QWidget* widget);

} // namespace units
