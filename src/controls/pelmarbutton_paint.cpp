// The button's painting: Refresh clears the persistent image to the face colour and draws,
// in this order, the picture, the focus rectangle, the caption and the border. SW and SH
// are the width and height in pixels; a box is a one-pixel outline with both corners
// included, clipped to the button.

#include "controls/pelmarbutton.h"
#include "controls/xpbutton_raster.h"
#include "platform/units.h"
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>

namespace {

constexpr int kCaptionFlags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
// Measuring leaves out the vertical centring, which would round the height of a text
// centred on an empty rectangle.
constexpr int kMeasureFlags = Qt::AlignHCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
constexpr int kGap = 4;           // between picture and caption
constexpr int kPictureLeft = 3;   // the picture's column when it is not beside a centred caption

// The picture in the platform's disabled look: its shape (every opaque pixel that is not
// white) embossed, in highlight one pixel right and down, then in shadow on top.
void drawEmbossed(QImage& buffer, const QPixmap& picture)
{
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const auto isInk = [&image](int x, int y) {
        const QRgb pixel = image.pixel(x, y);
        return qAlpha(pixel) >= 128 && (pixel & 0xFFFFFFu) != 0xFFFFFFu;
    };
    for (const auto& [colour, offset] : {std::pair {units::kButtonHighlight, 1}, std::pair {units::kButtonShadow, 0}}) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (isInk(x, y))
                    raster::plot(buffer, x + offset, y + offset, units::bgr(colour));
    }
}

} // namespace

void PelmarButton::Refresh()
{
    if (surface_.size() != size())
        surface_ = QImage(size(), QImage::Format_RGB32);
    if (surface_.isNull())
        return;
    surface_.fill(units::color(backColor_));
    LayoutPictureAndCaption();
    DrawPicture();
    if (focused_ && showFocusRect_)
        raster::focusRect(surface_, QRect(QPoint(3, 3), QPoint(width() - 3 - 1, height() - 3 - 1)));
    DrawCaption();
    DrawBorder();
    update();
}

// Rectangles are kept as left, top, width and height: a right edge is left + width.
void PelmarButton::LayoutPictureAndCaption()
{
    contentBox_ = QRect(4, 4, width() - 8, height() - 8);
    const int CW = contentBox_.width();
    const int CH = contentBox_.height();
    const int left = contentBox_.left();
    const int top = contentBox_.top();
    const int PW = pictureWidth_;
    const int PH = pictureHeight_;

    if (!shownPicture_) {
        captionRect_ = contentBox_;
        MeasureCaption();
        return;
    }
    if (caption_.isEmpty()) {
        pictureRect_ = QRect(kPictureLeft, top + (CH - PH) / 2, PW, PH);
        return;
    }
    captionRect_ = contentBox_;
    MeasureCaption();
    const int TW = captionRect_.width();
    const int TH = captionRect_.height();
    // A position outside 0 to 3 is laid out as the default, picture left of the caption.
    switch (picturePosition_) {
    case 0:   // picture above the caption
        pictureRect_ = QRect(kPictureLeft, top + (CH - (PH + kGap + TH)) / 2, PW, PH);
        captionRect_ = QRect(left + (CW - TW) / 2, pictureRect_.top() + PH + kGap, TW, TH);
        break;
    case 2:   // picture right of the caption
        captionRect_ = QRect(left + (CW - (PW + kGap + TW)) / 2, top + (CH - TH) / 2, TW, TH);
        pictureRect_ = QRect(captionRect_.left() + TW + kGap, top + (CH - PH) / 2, PW, PH);
        break;
    case 3:   // picture below the caption
        captionRect_ = QRect(left + (CW - TW) / 2, top + (CH - (PH + kGap + TH)) / 2, TW, TH);
        pictureRect_ = QRect(kPictureLeft, captionRect_.top() + TH + kGap, PW, PH);
        break;
    default:   // 1: picture left of the caption
        pictureRect_ = QRect(kPictureLeft, top + (CH - PH) / 2, PW, PH);
        captionRect_ = QRect(pictureRect_.left() + PW + kGap, top + (CH - TH) / 2, TW, TH);
        break;
    }
}

// The caption's margins at either side: one average character width.
int PelmarButton::captionMargin() const
{
    return QFontMetrics(font()).averageCharWidth();
}

// Wraps the caption at the caption rectangle's width and centres the wrapped text, with
// its margins, in the content box.
void PelmarButton::MeasureCaption()
{
    int TW = 0;
    int TH = 0;
    if (!caption_.isEmpty()) {
        const int margin = captionMargin();
        const QRect text = QFontMetrics(font()).boundingRect(
            QRect(0, 0, std::max(captionRect_.width() - 2 * margin, 1), 0), kMeasureFlags, caption_);
        TW = text.width() + 2 * margin;
        TH = text.height();
    }
    captionRect_ = QRect(contentBox_.left() + (contentBox_.width() - TW) / 2,
                         contentBox_.top() + (contentBox_.height() - TH) / 2, TW, TH);
}

void PelmarButton::DrawPicture()
{
    if (!shownPicture_ || shownPicture_->isNull())
        return;   // a picture without an image leaves the face
    const QPixmap& picture = *shownPicture_;
    QImage buffer(picture.size(), QImage::Format_RGB32);
    buffer.fill(units::color(bufferBackColor_));
    if (Enabled()) {
        QPainter painter(&buffer);
        painter.drawPixmap(0, 0, picture);
    } else {
        drawEmbossed(buffer, picture);
    }
    const int offset = pressed_ ? 1 : 0;
    QPainter painter(&surface_);
    painter.drawImage(pictureRect_.translated(offset, offset), buffer);   // stretched, nearest pixel
}

void PelmarButton::drawCaptionText(const QRect& rect, std::uint32_t color)
{
    const int margin = captionMargin();
    QPainter painter(&surface_);
    painter.setFont(font());
    painter.setPen(units::color(color));
    painter.drawText(rect.adjusted(margin, 0, -margin, 0), kCaptionFlags, caption_);
}

void PelmarButton::DrawCaption()
{
    if (caption_.isEmpty())
        return;
    const int offset = pressed_ ? 1 : 0;
    const QRect rect = captionRect_.translated(offset, offset);
    if (Enabled()) {
        drawCaptionText(rect, foreColor_);
    } else {
        drawCaptionText(rect.translated(1, 1), units::kButtonHighlight);
        drawCaptionText(rect, units::kButtonShadow);
    }
}

void PelmarButton::DrawBorder()
{
    const int SW = width();
    const int SH = height();
    const auto box = [this](int x1, int y1, int x2, int y2, std::uint32_t color) {
        raster::box(surface_, x1, y1, x2, y2, units::bgr(color));
    };
    const auto line = [this](int x1, int y1, int x2, int y2, std::uint32_t color) {
        raster::line(surface_, x1, y1, x2, y2, units::bgr(color));
    };
    const auto thinRaised = [&] {
        box(0, 0, SW - 1, SH - 1, units::kButtonShadow);
        box(0, 0, SW, SH, units::kButtonHighlight);
    };

    if (borderEdged_) {
        // Etched frame.
        box(0, 0, SW - 1, SH - 1, units::kButtonShadow);
        box(1, 1, SW - 2, SH - 2, units::kButtonHighlight);
        box(0, 0, SW, SH, units::kDarkShadow);
        box(0, 0, SW - 1, SH - 1, units::kButtonHighlight);
        box(0, 0, SW - 2, SH - 2, units::kButtonShadow);
        if (pressed_) {
            box(1, 1, SW - 1, SH - 1, units::kButtonShadow);
            box(0, 0, SW, SH, units::kDarkShadow);
            box(-1, -1, SW - 1, SH - 1, units::kButtonHighlight);
            box(2, 2, SW - 2, SH - 2, units::kDarkShadow);   // its corner at 1.5 rounds to 2
        } else if (hover_ || focused_) {
            line(2, 2, SW - 4, 2, units::kButtonHighlight);
            line(2, 2, 2, SH - 3, units::kButtonHighlight);
            box(0, 0, SW - 3, SH - 3, units::kDarkShadow);
        }
        return;
    }

    if (pressed_) {   // sunken
        box(1, 1, SW - 1, SH - 1, units::kButtonShadow);
        box(0, 0, SW - 2, SH - 2, units::kLight);
        box(0, 0, SW, SH, units::kDarkShadow);
        box(-1, -1, SW - 1, SH - 1, units::kButtonHighlight);
    } else if (hover_) {
        thinRaised();
    }
    if (raised_ && !pressed_ && !hover_)
        thinRaised();
    if (default_ || (showBorderOnFocus_ && focused_ && raised_ && !pressed_)) {   // default frame
        box(0, 0, SW - 2, SH - 2, units::kButtonShadow);
        box(0, 0, SW, SH, units::kButtonHighlight);
        box(-1, -1, SW - 1, SH - 1, units::kDarkShadow);
    }
}
