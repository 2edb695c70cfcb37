#pragma once
// Pixel operations of the button's drawing surface, in pixels: plain pixels, boxes and
// rounded outlines in copy or mask (AND) mode, and the inverting dotted focus rectangle.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstdint>

namespace raster {

enum class Mode { Copy, Mask };

// The pixels of the rectangle [left, right) x [top, bottom) whose corners are rounded by
// an ellipse of ew x eh pixels (a pixel belongs to a corner when its centre lies inside
// the ellipse); below 2 pixels the corners stay square.
QRegion roundRectArea(int left, int top, int right, int bottom, int ew, int eh);

// colour is &HBBGGRR.
void plot(QImage& image, int x, int y, std::uint32_t color, Mode mode = Mode::Copy);
std::uint32_t point(const QImage& image, int x, int y);   // &HBBGGRR
void line(QImage& image, int x1, int y1, int x2, int y2, std::uint32_t color);   // horizontal or vertical, ends included
// The outline of the box with corners (x1, y1) and (x2, y2), both included.
void box(QImage& image, int x1, int y1, int x2, int y2, std::uint32_t color);
// The outline of the rounded rectangle [left, right) x [top, bottom); a pen 3 pixels wide
// reaches one pixel further out and in.
void roundRect(QImage& image, int left, int top, int right, int bottom, int ew, int eh,
               std::uint32_t color, int penWidth, Mode mode);
// Inverts every other pixel of the outline of rect (its right and bottom edges excluded);
// a second call restores the pixels.
void focusRect(QImage& image, const QRect& rect);

} // namespace raster
