#include "controls/xpbutton_raster.h"
#include <algorithm>
#include <cmath>

namespace raster {

namespace {

// How far row ey of an ew x eh corner ellipse's bounding box is indented.
int ellipseIndent(int ew, int eh, int ey)
{
    const double a = ew / 2.0;
    const double b = eh / 2.0;
    const double dy = (ey + 0.5 - b) / b;
    const double halfWidth = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
    return std::max(0, int(std::ceil(a - halfWidth - 0.5)));
}

QRgb rgbOf(std::uint32_t color)
{
    return qRgb(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// The outline pixels of a 1-pixel rounded rectangle: those of the area with a
// neighbour outside it.
void outline(QImage& image, const QRegion& area, std::uint32_t color, Mode mode)
{
    for (const QRect& row : area) {
        for (int y = row.top(); y <= row.bottom(); ++y) {
            for (int x = row.left(); x <= row.right(); ++x) {
                const bool edge = !area.contains(QPoint(x - 1, y)) || !area.contains(QPoint(x + 1, y))
                    || !area.contains(QPoint(x, y - 1)) || !area.contains(QPoint(x, y + 1));
                if (edge)
                    plot(image, x, y, color, mode);
            }
        }
    }
}

} // namespace

QRegion roundRectArea(int left, int top, int right, int bottom, int ew, int eh)
{
    const int width = right - left;
    const int height = bottom - top;
    if (width <= 0 || height <= 0)
        return {};
    ew = std::min(ew, width);
    eh = std::min(eh, height);
    if (ew < 2 || eh < 2)
        return QRegion(left, top, width, height);
    QRegion area;
    for (int y = 0; y < height; ++y) {
        int indent = 0;
        if (y < eh / 2)
            indent = ellipseIndent(ew, eh, y);
        else if (y >= height - eh / 2)
            indent = ellipseIndent(ew, eh, eh - (height - y));
        area += QRect(left + indent, top + y, width - 2 * indent, 1);
    }
    return area;
}

void plot(QImage& image, int x, int y, std::uint32_t color, Mode mode)
{
    if (!image.rect().contains(x, y))
        return;
    const QRgb pen = rgbOf(color);
    image.setPixel(x, y, mode == Mode::Mask ? (image.pixel(x, y) & pen) | 0xFF000000u : pen);
}

std::uint32_t point(const QImage& image, int x, int y)
{
    const QRgb pixel = image.pixel(x, y);
    return std::uint32_t(qRed(pixel)) | (std::uint32_t(qGreen(pixel)) << 8)
        | (std::uint32_t(qBlue(pixel)) << 16);
}

void line(QImage& image, int x1, int y1, int x2, int y2, std::uint32_t color)
{
    const QRect span = QRect(QPoint(std::min(x1, x2), std::min(y1, y2)),
                             QPoint(std::max(x1, x2), std::max(y1, y2)))
                           .intersected(image.rect());
    for (int y = span.top(); y <= span.bottom(); ++y)
        for (int x = span.left(); x <= span.right(); ++x)
            plot(image, x, y, color);
}

void box(QImage& image, int x1, int y1, int x2, int y2, std::uint32_t color)
{
    line(image, x1, y1, x2, y1, color);
    line(image, x1, y2, x2, y2, color);
    line(image, x1, y1, x1, y2, color);
    line(image, x2, y1, x2, y2, color);
}

void roundRect(QImage& image, int left, int top, int right, int bottom, int ew, int eh,
               std::uint32_t color, int penWidth, Mode mode)
{
    const int reach = penWidth / 2;
    for (int d = -reach; d <= reach; ++d)
        outline(image, roundRectArea(left - d, top - d, right + d, bottom + d, ew, eh), color, mode);
}

void focusRect(QImage& image, const QRect& rect)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    const auto invert = [&image](int x, int y) {
        if (image.rect().contains(x, y) && (x + y) % 2 == 0)
            image.setPixel(x, y, image.pixel(x, y) ^ 0x00FFFFFFu);
    };
    const int right = rect.left() + rect.width() - 1;
    const int bottom = rect.top() + rect.height() - 1;
    for (int x = rect.left(); x <= right; ++x) {
        invert(x, rect.top());
        if (bottom != rect.top())
            invert(x, bottom);
    }
    for (int y = rect.top() + 1; y < bottom; ++y) {
        invert(rect.left(), y);
        if (right != rect.left())
            invert(right, y);
    }
}

} // namespace raster
