#include "platform/units.h"
#include <gtest/gtest.h>

TEST(Units, TwipsToPixelsRoundHalvesToEven)
{
    const struct {
        double twips;
        int pixels;
    } cases[] = {
        {0, 0}, {15, 1}, {7, 0}, {8, 1}, {14, 1},
        {7.5, 0},      // 0.5 -> 0
        {22.5, 2},     // 1.5 -> 2
        {337.5, 22},   // 22.5 -> 22
        {352.5, 24},   // 23.5 -> 24
        {-7.5, 0}, {-22.5, -2}, {1395, 93}, {315, 21},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.twips);
        EXPECT_EQ(units::px(c.twips), c.pixels);
    }
    EXPECT_EQ(units::tw(93), 1395);
    EXPECT_EQ(units::pxRect(120, 240, 1395, 337.5), QRect(8, 16, 93, 22));
    EXPECT_EQ(units::pxPoint(30, 45), QPoint(2, 3));
    EXPECT_EQ(units::pxSize(1200, 352.5), QSize(80, 24));
}

TEST(Units, ColoursAreWrittenBlueGreenRed)
{
    EXPECT_EQ(units::RGB(255, 128, 128), 0x8080FFu);
    EXPECT_EQ(units::RGB(1, 2, 3), 0x030201u);
    EXPECT_EQ(units::color(0x8080FF), QColor(255, 128, 128));
    EXPECT_EQ(units::color(0x80C0FF), QColor(255, 192, 128));
    EXPECT_EQ(units::color(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(units::bgr(QColor(1, 2, 3)), 0x030201u);
    EXPECT_EQ(units::bgr(0x123456u), 0x123456u);
    for (const std::uint32_t value : {0x000000u, 0xFFFFFFu, 0x80C0FFu, 0x0A0B0Cu})
        EXPECT_EQ(units::bgr(units::color(value)), value);
}

TEST(Units, SystemColoursComeFromTheFixedDesktopTable)
{
    const struct {
        std::uint32_t index;
        QColor colour;
    } cases[] = {
        {units::kButtonFace, QColor(236, 233, 216)},
        {units::kButtonShadow, QColor(172, 168, 153)},
        {units::kDarkShadow, QColor(113, 111, 100)},
        {units::kLight, QColor(241, 239, 226)},
        {units::kButtonHighlight, QColor(255, 255, 255)},
        {units::kButtonText, QColor(0, 0, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        EXPECT_EQ(units::color(c.index), c.colour);
        EXPECT_EQ(units::bgr(c.index), units::bgr(c.colour));
    }
    EXPECT_EQ(units::kButtonFace, 0x8000000Fu);
    EXPECT_EQ(units::kDarkShadow, 0x80000015u);
}
