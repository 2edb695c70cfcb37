// The button face: DrawButton repaints the whole face into the persistent image on every
// call; W and H are the drawing area in twips, TPPX and TPPY the screen's twips per pixel.

#include "controls/xpbutton.h"
#include "controls/xpbutton_raster.h"
#include "platform/units.h"
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kTwipsPerPixelX = units::kTwipsPerPixel;   // the screen's twips per pixel
constexpr double kTwipsPerPixelY = units::kTwipsPerPixel;
constexpr double kFixedTwipsPerPixel = 15.0;                 // where the drawing takes 15 always

constexpr std::uint32_t kOutline = units::RGB(0, 78, 152);
constexpr std::uint32_t kHotRing = units::RGB(253, 216, 137);
constexpr std::uint32_t kFocusRing = units::RGB(169, 197, 239);
constexpr std::uint32_t kDisabledOutline = 0x759797;
constexpr std::uint32_t kSystemDisabledFace = units::RGB(231, 231, 224);
constexpr std::uint32_t kSystemDisabledInk = units::RGB(151, 151, 117);
constexpr std::uint32_t kBlack = units::RGB(0, 0, 0);
constexpr int kCaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
// The picture of the greyed copy is sized from its HIMETRIC size with this divisor.
constexpr double kHimetricPerTwip = 1.76458333333333;

// Halves to the even neighbour.
int nearest(double value)
{
    return int(std::nearbyint(value));
}

int red(std::uint32_t c) { return int(c & 0xFF); }
int green(std::uint32_t c) { return int((c >> 8) & 0xFF); }
int blue(std::uint32_t c) { return int((c >> 16) & 0xFF); }

// A gradient component: above 255 counts as 255, below 0 as 0.
int component(double value)
{
    return std::clamp(nearest(value), 0, 255);
}

// The bottom colour taken halfway to white, then dimmed to 95 %.
int disabledComponent(int c)
{
    return nearest(((255 - c) / 2.0 + c) / 10.0 * 9.5);
}

// HIMETRIC extent of a bitmap of n pixels at 96 pixels per inch.
int himetric(int pixels)
{
    return nearest(pixels * 2540.0 / 96.0);
}

int twipsToPx(double twips, double twipsPerPixel)
{
    return nearest(twips / twipsPerPixel);
}

} // namespace

void XPButton::Cls()
{
    if (surface_.size() != size())
        surface_ = QImage(size(), QImage::Format_RGB32);
    surface_.fill(units::color(backColor_));
}

void XPButton::setBackColor(std::uint32_t color)
{
    backColor_ = color;
    Cls();
}

std::uint32_t XPButton::resolveColor(std::uint32_t color, int xTw, int yTw)
{
    const int x = twipsToPx(xTw, kTwipsPerPixelX);
    const int y = twipsToPx(yTw, kTwipsPerPixelY);
    raster::plot(surface_, x, y, units::bgr(color));
    return surface_.rect().contains(x, y) ? raster::point(surface_, x, y) : units::bgr(color);
}

void XPButton::drawCaption(const QRect& rect, std::uint32_t color)
{
    if (rect.width() <= 0 || rect.height() <= 0 || caption_.isEmpty())
        return;
    QPainter painter(&surface_);
    painter.setClipRect(rect);
    painter.setFont(font());
    painter.setPen(units::color(color));
    painter.drawText(rect, kCaptionFlags, caption_);
}

void XPButton::DrawButton(bool hover, bool pressed)
{
    if (surface_.size() != size())
        Cls();
    if (surface_.isNull())
        return;
    const double W = scaleWidth();
    const double H = scaleHeight();
    const QFontMetrics metrics(font());
    const bool enabled = Enabled();
    const bool hasPicture = !picture_.isNull();

    // 1. Sizes.
    const int picW = hasPicture ? nearest(picture_.width() * kTwipsPerPixelX) : 0;
    const int picH = hasPicture ? nearest(picture_.height() * kTwipsPerPixelY) : 0;
    const int capW = caption_.isEmpty() ? 0 : nearest(metrics.horizontalAdvance(caption_) * kTwipsPerPixelX);
    const int gap = caption_.isEmpty() ? 0 : 90;
    const bool sideBySide = pictureAlignment_ == 0 || pictureAlignment_ == 1;
    const bool stacked = pictureAlignment_ >= 2 && pictureAlignment_ <= 4;

    // 2. Caption room.
    const double textW = sideBySide ? std::min<double>(capW, W - picW - 3 * gap) : W;

    // 3. Caption height, wrapped in the measuring rectangle.
    int measureRight = 0;
    int measureBottom = 0;
    if (sideBySide) {
        measureRight = twipsToPx(W - picW - (picW >= 1 ? 3 * gap : 0), kTwipsPerPixelX);
        measureBottom = twipsToPx(H, kTwipsPerPixelY);
    } else if (stacked) {
        measureRight = twipsToPx(W - 2 * gap, kTwipsPerPixelX);
        measureBottom = twipsToPx(H - picH - (picH >= 1 ? 3 * gap : 0), kTwipsPerPixelY);
    }
    const int textH = caption_.isEmpty()
        ? metrics.height()
        : metrics.boundingRect(QRect(0, 0, std::max(measureRight, 1), std::max(measureBottom, 0)),
                               kCaptionFlags, caption_).height();

    // 4. Colours.
    const std::uint32_t top = resolveColor(colorScheme_ == 0 ? units::kButtonHighlight : colorBegin_, 15, 15);
    const std::uint32_t bottom = resolveColor(colorScheme_ == 0 ? units::kButtonFace : colorEnd_, 30, 30);
    const int R = red(bottom), G = green(bottom), B = blue(bottom);
    const std::uint32_t shadow = colorScheme_ == 0
        ? units::bgr(units::kButtonShadow)
        : units::RGB(nearest(R / 2.0), nearest(G / 2.0), nearest(B / 2.0));

    // 5. Gradient face.
    if (enabled && style_ == 0)
        DrawGradient(pressed ? shadow : top, bottom);

    // 6. Disabled colours.
    const int R1 = disabledComponent(R), G1 = disabledComponent(G), B1 = disabledComponent(B);
    const std::uint32_t disabledFace = colorScheme_ == 0 ? kSystemDisabledFace : units::RGB(R1, G1, B1);
    const std::uint32_t disabledInk = colorScheme_ == 0
        ? kSystemDisabledInk
        : units::RGB(nearest(R1 / 2.0), nearest(G1 / 2.0), nearest(B1 / 2.0));

    // 7. Flat disabled face.
    if (!enabled) {
        Cls();
        setBackColor(disabledFace);
    }

    // 9. Layout.
    int textX = 0;
    int textY = 0;
    int textWpx = 0;
    if (!hasPicture) {
        textY = nearest((H / 15 - textH) / 2);
        textWpx = nearest(W / 15);
    } else {
        const int G16 = picH + gap + 15 * textH;
        switch (pictureAlignment_) {
        case 0:
            picX_ = nearest((W - (textW + picW + gap)) / 2);
            picY_ = nearest((H - picH) / 2);
            textX = nearest((picX_ + picW + gap) / 15.0);
            textY = nearest((H / 15 - textH) / 2);
            textWpx = nearest(textW / 15);
            break;
        case 1:
            picX_ = nearest((W - (textW + picW + gap)) / 2 + gap + textW);
            picY_ = nearest((H - picH) / 2);
            textWpx = nearest(textW / 15);
            textX = nearest((picX_ - gap) / 15.0 - textWpx);
            textY = nearest((H / 15 - textH) / 2);
            break;
        case 2:
            picX_ = nearest((W - picW) / 2);
            picY_ = nearest((H - G16) / 2);
            textX = nearest(gap / 15.0);
            textY = nearest((picY_ + picH + gap) / 15.0);
            textWpx = nearest((W - 2 * gap) / 15);
            break;
        case 3:
            picX_ = nearest((W - picW) / 2);
            picY_ = nearest(H - (H - G16) / 2 - picH);
            textX = nearest(gap / 15.0);
            textY = nearest((H - G16) / 2 / 15);
            textWpx = nearest((W - 2 * gap) / 15);
            break;
        case 4:
            picX_ = nearest((W - picW) / 2);
            picY_ = nearest((H - picH) / 2);
            textX = nearest(gap / 15.0);
            textY = nearest((H / 15 - textH) / 2);
            textWpx = nearest((W - 2 * gap) / 15);
            break;
        default:   // no layout: caption rectangle empty, picture where it was
            break;
        }
        // Picture and caption both one pixel up.
        picY_ = nearest(picY_ - kTwipsPerPixelY);
        textY -= 1;
    }

    // 10. Classic bevel; a face of any other style is cleared, so that captions do not pile up.
    if (style_ == 1)
        DrawClassicBevel(pressed);
    else if (style_ != 0 && enabled)
        Cls();

    // 11, 12. Picture, pushed one pixel when pressed.
    const int offset = pressed ? nearest(kTwipsPerPixelX) : 0;
    if (hasPicture) {
        if (enabled) {
            if (!hoverEffect_ || hover || pressed) {
                QPainter painter(&surface_);
                painter.drawPixmap(twipsToPx(picX_ + offset, kTwipsPerPixelX),
                                   twipsToPx(picY_ + offset, kTwipsPerPixelY), picture_);
            } else {
                MakeGreyedPicture(picX_, picY_);
            }
        } else if (style_ == 0) {
            MakeGreyedPicture(picX_, picY_);
        }
    }

    // 13 to 15. Caption.
    const int p = pressed ? 1 : 0;
    drawCaption(QRect(QPoint(textX + p, textY + p), QSize(textWpx, textH)),
                enabled ? units::bgr(foreColor_) : disabledInk);

    const int ringRight = nearest(W / kFixedTwipsPerPixel - 2);
    const int ringBottom = nearest(H / kFixedTwipsPerPixel - 2);
    const int outlineRight = nearest(W / kFixedTwipsPerPixel - 1);
    const int outlineBottom = nearest(H / kFixedTwipsPerPixel - 1);

    // 16. Hot look.
    if (hover && !mouseDown_ && style_ == 0) {
        raster::roundRect(surface_, 1, 1, ringRight, ringBottom, 2, 1, kHotRing, 3, raster::Mode::Mask);
        update();
        return;
    }

    // 17.1 Focus mark.
    if (showFocusRect_ && !pressed && hasFocus_) {
        if (style_ != 0) {
            DrawFocusRectangle();
        } else {
            // Drawn twice as the original did; masking is idempotent.
            for (int pass = 0; pass < 2; ++pass)
                raster::roundRect(surface_, 1, 1, ringRight, ringBottom, 2, 1, kFocusRing, 3, raster::Mode::Mask);
        }
    }
    // 17.2 Disabled marks.
    if (!enabled) {
        if (style_ != 0) {
            DrawClassicBevel(false);
            MakeGreyedPicture(picX_, picY_);
            drawCaption(QRect(QPoint(textX + 1, textY + 1), QSize(textWpx, textH)),
                        units::bgr(units::kButtonHighlight));
            drawCaption(QRect(QPoint(textX, textY), QSize(textWpx, textH)), units::bgr(units::kButtonShadow));
        } else {
            raster::roundRect(surface_, 0, 0, outlineRight, outlineBottom, 5, 5, kDisabledOutline, 1,
                              raster::Mode::Copy);
        }
    }
    // 17.3 Outline of an enabled Style 0 face.
    if (style_ == 0 && enabled)
        raster::roundRect(surface_, 0, 0, outlineRight, outlineBottom, 5, 5, kOutline, 1, raster::Mode::Copy);
    update();
}

void XPButton::DrawGradient(std::uint32_t colorTop, std::uint32_t colorBottom)
{
    const std::uint32_t c1 = resolveColor(colorTop, 15, 15);
    const std::uint32_t c2 = resolveColor(colorBottom, 30, 30);
    const int n = nearest(scaleHeight());
    if (n <= 0)
        return;
    const double steps = n / 15.0;
    double r = red(c1), g = green(c1), b = blue(c1);
    const int widthPx = twipsToPx(scaleWidth(), kTwipsPerPixelX);
    for (int y = 0; y <= n; y += 15) {
        r += (red(c2) - red(c1)) / steps;
        g += (green(c2) - green(c1)) / steps;
        b += (blue(c2) - blue(c1)) / steps;
        const int row = twipsToPx(y, kTwipsPerPixelY);
        raster::line(surface_, 0, row, widthPx - 1, row, units::RGB(component(r), component(g), component(b)));
    }
    raster::roundRect(surface_, 0, 0, nearest(scaleWidth() / kFixedTwipsPerPixel - 1),
                      nearest(scaleHeight() / kFixedTwipsPerPixel - 1), 5, 5, kOutline, 1, raster::Mode::Copy);
}

void XPButton::DrawClassicBevel(bool pressed)
{
    Cls();
    setBackColor(colorEnd_);
    const double W = scaleWidth();
    const double H = scaleHeight();
    const bool checkedOrFocused = (value_ && checkboxBehaviour_) || hasFocus_;
    const int d = checkedOrFocused ? nearest(kTwipsPerPixelX) : 0;
    const auto boxTw = [this](double x1, double y1, double x2, double y2, std::uint32_t color) {
        raster::box(surface_, twipsToPx(x1, kTwipsPerPixelX), twipsToPx(y1, kTwipsPerPixelY),
                    twipsToPx(x2, kTwipsPerPixelX), twipsToPx(y2, kTwipsPerPixelY), units::bgr(color));
    };
    if (pressed) {
        boxTw(d, d, W - 15 - d, H - 15 - d, units::kButtonShadow);
        if (showFocusRect_ && hasFocus_)
            DrawFocusRectangle();
    } else {
        boxTw(d + 15, d + 15, W - d, H - d, units::kLight);
        boxTw(d, d, W - 30 - d, H - 30 - d, units::kButtonShadow);
        boxTw(d, d, W + 15, H + 15, units::kButtonHighlight);
        boxTw(-15, -15, W - 15 - d, H - 15 - d, units::kDarkShadow);
    }
    if (checkedOrFocused)
        boxTw(0, 0, W - 15, H - 15, kBlack);
}

void XPButton::DrawFocusRectangle()
{
    const int right = nearest(scaleWidth() / kTwipsPerPixelX - 4);
    const int bottom = nearest(scaleHeight() / kTwipsPerPixelY - 4);
    raster::focusRect(surface_, QRect(QPoint(4, 4), QPoint(right - 1, bottom - 1)));
}

void XPButton::MakeGreyedPicture(int x, int y)
{
    if (picture_.isNull())
        return;
    const int x0 = twipsToPx(x, kTwipsPerPixelX);
    const int y0 = twipsToPx(y, kTwipsPerPixelY);
    // The work surface: the picture opaque over the button face, one pixel row taller.
    const int pw = himetric(picture_.width());
    const int ph = himetric(picture_.height());
    const QSize workSize(twipsToPx(pw / kHimetricPerTwip, kTwipsPerPixelX),
                         twipsToPx(ph / kHimetricPerTwip + 15, kTwipsPerPixelY));
    if (workSize.isEmpty())
        return;
    QImage work(workSize, QImage::Format_RGB32);
    const std::uint32_t background = units::bgr(units::kButtonFace);
    work.fill(units::color(background));
    {
        QPainter painter(&work);
        painter.drawPixmap(0, 0, picture_);
    }
    const int xmax = nearest(std::floor(pw / kHimetricPerTwip) / kTwipsPerPixelX - 1);
    const int ymax = nearest(std::floor(ph / kHimetricPerTwip) / kTwipsPerPixelY - 1);
    for (int px = 0; px <= xmax; ++px) {
        for (int py = 0; py <= ymax; ++py) {
            if (!work.rect().contains(px, py))
                continue;
            const std::uint32_t c = raster::point(work, px, py);
            if (c == background)
                continue;
            const int grey = (red(c) + green(c) + blue(c)) / 3;
            raster::plot(surface_, x0 + px, y0 + py, units::RGB(grey, grey, grey));
        }
    }
}
