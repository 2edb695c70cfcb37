// XPButton: the painted face checked pixel by pixel, the order of its events under real
// mouse and key input, and the persistence of its properties.

#include "controls/xpbutton.h"
#include "platform/units.h"
#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <cmath>
#include <ostream>
#include <vector>

void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace {

// Input as the window system delivers it to the widget under the mouse or with the focus.
namespace input {

void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
           QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

void press(QWidget* widget, Qt::MouseButton button, QPoint at, Qt::KeyboardModifiers modifiers = {})
{
    mouse(widget, QEvent::MouseButtonPress, button, modifiers, at);
}

void release(QWidget* widget, Qt::MouseButton button, QPoint at)
{
    mouse(widget, QEvent::MouseButtonRelease, button, {}, at);
}

void click(QWidget* widget, Qt::MouseButton button, QPoint at)
{
    press(widget, button, at);
    release(widget, button, at);
}

QString keyText(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Space: return " ";
    case Qt::Key_Return: return "\r";
    case Qt::Key_A: return "a";
    default: return {};
    }
}

void key(QWidget* widget, QEvent::Type type, Qt::Key key)
{
    QKeyEvent event(type, key, Qt::NoModifier, keyText(key));
    QApplication::sendEvent(widget, &event);
}

void keyPress(QWidget* widget, Qt::Key k) { key(widget, QEvent::KeyPress, k); }
void keyRelease(QWidget* widget, Qt::Key k) { key(widget, QEvent::KeyRelease, k); }
void keyClick(QWidget* widget, Qt::Key k)
{
    keyPress(widget, k);
    keyRelease(widget, k);
}

// Lets the event loop run for a while (timers, cursor moves, focus changes).
void wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace input

// A pixel as "r,g,b", for readable failures.
QString rgbText(QRgb pixel)
{
    return QString("%1,%2,%3").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel));
}

QString rgbText(int r, int g, int b)
{
    return QString("%1,%2,%3").arg(r).arg(g).arg(b);
}

QPixmap solidPicture(QColor color, int size = 16)
{
    QPixmap picture(size, size);
    picture.fill(color);
    return picture;
}

// A font whose glyphs are drawn without smoothing, so caption pixels carry the ink exactly.
QFont crispFont()
{
    QFont font("Arial", 10);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

class XPButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setGeometry(100, 100, 400, 300);
        button = new XPButton(&window);
        button->setCaption({});
        // 1200 x 345 twips: 80 x 23 pixels.
        button->setGeometry(units::pxRect(600, 600, 1200, 345));
        window.show();
        input::wait(50);
        window.setFocus();   // the button starts without the focus
        parkCursor();
    }

    void pump() { input::wait(20); }
    void parkCursor()
    {
        QCursor::setPos(window.mapToGlobal(QPoint(390, 290)));
        pump();
    }
    void hover()
    {
        QCursor::setPos(button->mapToGlobal(middle()));
        pump();
    }
    QPoint middle() const { return button->rect().center(); }
    QString pixel(int x, int y) const { return rgbText(button->Image().pixel(x, y)); }

    QWidget window;
    XPButton* button = nullptr;
};

// Row k of a gradient from c1 to c2 over n twips: the first row is already one step on.
int gradientComponent(int c1, int c2, int k, int n)
{
    return int(std::nearbyint(c1 + (k + 1) * (c2 - c1) * 15.0 / n));
}

TEST_F(XPButtonTest, GradientRowsRunFromOneStepBelowTopToBottomColour)
{
    // System scheme: white to button face (236, 233, 216) over 345 twips.
    EXPECT_EQ(pixel(0, 0), rgbText(254, 254, 253));   // corner left out of the outline
    for (int row : {1, 5, 11, 17, 20})
        EXPECT_EQ(pixel(40, row), rgbText(gradientComponent(255, 236, row, 345),
                                          gradientComponent(255, 233, row, 345),
                                          gradientComponent(255, 216, row, 345)))
            << "row " << row;
    EXPECT_EQ(pixel(40, 22), rgbText(236, 233, 216));   // the last row: exactly the bottom colour
    // Outline RGB(0, 78, 152), one pixel inside the right and bottom edges.
    EXPECT_EQ(pixel(40, 0), rgbText(0, 78, 152));
    EXPECT_EQ(pixel(0, 11), rgbText(0, 78, 152));
    EXPECT_EQ(pixel(78, 11), rgbText(0, 78, 152));
    EXPECT_EQ(pixel(40, 21), rgbText(0, 78, 152));
}

TEST_F(XPButtonTest, PressedFaceStartsFromHalfTheCustomBottomColour)
{
    button->setColorScheme(1);
    button->setColorBegin(units::RGB(255, 255, 255));
    button->setColorEnd(units::RGB(255, 254, 253));
    hover();
    input::press(button, Qt::LeftButton, middle());
    // Shadow RGB(128, 127, 126) runs down to the bottom colour.
    for (int row : {1, 10, 20})
        EXPECT_EQ(pixel(10, row), rgbText(gradientComponent(128, 255, row, 345),
                                          gradientComponent(127, 254, row, 345),
                                          gradientComponent(126, 253, row, 345)))
            << "row " << row;
    input::release(button, Qt::LeftButton, middle());
}

TEST_F(XPButtonTest, DisabledColoursFollowTheScheme)
{
    struct Case {
        int scheme;
        std::uint32_t colorEnd;
        QString face, ink, outline;
    };
    const std::vector<Case> cases {
        {0, units::kButtonFace, rgbText(231, 231, 224), rgbText(151, 151, 117), rgbText(151, 151, 117)},
        {1, units::RGB(0, 0, 255), rgbText(121, 121, 242), rgbText(60, 60, 121), rgbText(151, 151, 117)},
    };
    button->setFont(crispFont());
    button->setCaption("III");
    for (const Case& c : cases) {
        button->setColorScheme(c.scheme);
        button->setColorEnd(c.colorEnd);
        button->setEnabled(false);
        EXPECT_EQ(pixel(3, 11), c.face) << "scheme " << c.scheme;
        EXPECT_EQ(pixel(40, 0), c.outline) << "scheme " << c.scheme;
        int inked = 0;
        const QImage& face = button->Image();
        for (int y = 0; y < face.height(); ++y)
            for (int x = 0; x < face.width(); ++x)
                inked += rgbText(face.pixel(x, y)) == c.ink;
        EXPECT_GT(inked, 10) << "scheme " << c.scheme;
        button->setEnabled(true);
    }
}

// The pixels of the caption ink (black) on the face.
QRegion inkOf(const QImage& face)
{
    QRegion ink;
    for (int y = 0; y < face.height(); ++y)
        for (int x = 0; x < face.width(); ++x)
            if (face.pixel(x, y) == qRgb(0, 0, 0))
                ink += QRect(x, y, 1, 1);
    return ink;
}

TEST_F(XPButtonTest, CaptionIsCentredAndAmpersandUnderlines)
{
    button->setGeometry(units::pxRect(600, 600, 1200, 600));
    button->setFont(crispFont());
    button->setCaption("I");
    const QRegion plain = inkOf(button->Image());
    ASSERT_FALSE(plain.isEmpty());
    const QRect glyph = plain.boundingRect();
    EXPECT_LE(std::abs(glyph.center().x() - 40), 1);
    EXPECT_LE(std::abs(glyph.center().y() - 20), 2);

    button->setCaption("&I");
    const QRegion marked = inkOf(button->Image());
    EXPECT_TRUE(marked.subtracted(plain).boundingRect().top() > glyph.bottom());   // only an underline added
    EXPECT_TRUE(plain.subtracted(marked).isEmpty());
}

// A 16 x 16 picture RGB(200, 100, 50) with a transparent top-left pixel and a button-face
// pixel beside it, centred on a 1200 x 600 twips button: at pixels (32, 11) to (47, 26).
class XPButtonPictureTest : public XPButtonTest {
protected:
    void SetUp() override
    {
        XPButtonTest::SetUp();
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(QColor(200, 100, 50));
        image.setPixel(0, 0, qRgba(0, 0, 0, 0));
        image.setPixel(1, 0, qRgb(236, 233, 216));
        button->setGeometry(units::pxRect(600, 600, 1200, 600));
        button->setPictureAlignment(4);
        button->setPicture(QPixmap::fromImage(image));
    }
};

TEST_F(XPButtonPictureTest, HoverEffectGreysThePictureAtRestOnly)
{
    button->setHoverEffect(true);
    EXPECT_EQ(pixel(37, 16), rgbText(116, 116, 116));
    // Transparent and button-face pixels are left out: the face shows through.
    EXPECT_EQ(pixel(32, 11), pixel(31, 11));
    EXPECT_EQ(pixel(33, 11), pixel(31, 11));
    hover();
    EXPECT_EQ(pixel(37, 16), rgbText(200, 100, 50));
    parkCursor();
    EXPECT_EQ(pixel(37, 16), rgbText(116, 116, 116));
}

TEST_F(XPButtonPictureTest, DisabledPictureIsGrey)
{
    button->setEnabled(false);
    EXPECT_EQ(pixel(37, 16), rgbText(116, 116, 116));
    EXPECT_EQ(pixel(32, 11), rgbText(231, 231, 224));
}

TEST_F(XPButtonPictureTest, PressedPictureMovesOnePixelRightAndDown)
{
    EXPECT_EQ(pixel(47, 26), rgbText(200, 100, 50));
    EXPECT_EQ(pixel(48, 27), pixel(31, 27));
    hover();
    input::press(button, Qt::LeftButton, middle());
    EXPECT_EQ(pixel(47, 26), rgbText(200, 100, 50));
    EXPECT_EQ(pixel(48, 27), rgbText(200, 100, 50));
    EXPECT_EQ(pixel(32, 12), pixel(31, 12));   // left column now face
    input::release(button, Qt::LeftButton, middle());
}

TEST_F(XPButtonTest, HotRingReplacesTheFocusRing)
{
    const auto masked = [](int r, int g, int b, std::uint32_t ring) {
        return rgbText(r & int(ring & 0xFF), g & int((ring >> 8) & 0xFF), b & int((ring >> 16) & 0xFF));
    };
    const int r = gradientComponent(255, 236, 11, 345);
    const int g = gradientComponent(255, 233, 11, 345);
    const int b = gradientComponent(255, 216, 11, 345);
    button->setFocus();
    pump();
    ASSERT_TRUE(button->hasFocus());
    // Focus ring, masked over the face, 3 pixels wide inside the outline.
    EXPECT_EQ(pixel(1, 11), masked(r, g, b, units::RGB(169, 197, 239)));
    EXPECT_EQ(pixel(2, 11), masked(r, g, b, units::RGB(169, 197, 239)));
    EXPECT_EQ(pixel(0, 11), rgbText(0, 78, 152));
    EXPECT_EQ(pixel(3, 11), rgbText(r, g, b));
    hover();
    // Hot ring only, masked over the face and over the outline.
    EXPECT_EQ(pixel(1, 11), masked(r, g, b, units::RGB(253, 216, 137)));
    EXPECT_EQ(pixel(0, 11), masked(0, 78, 152, units::RGB(253, 216, 137)));
    // No hot look while the button is held down.
    input::press(button, Qt::LeftButton, middle());
    EXPECT_EQ(pixel(0, 11), rgbText(0, 78, 152));
    input::release(button, Qt::LeftButton, middle());
}

TEST_F(XPButtonTest, ClassicBevelAtRestAndFocused)
{
    button->setStyle(1);
    // Right edges at columns 79 (last), 78, 77; rest face ColorEnd = button face.
    EXPECT_EQ(pixel(0, 11), rgbText(255, 255, 255));
    EXPECT_EQ(pixel(1, 11), rgbText(241, 239, 226));
    EXPECT_EQ(pixel(78, 11), rgbText(172, 168, 153));
    EXPECT_EQ(pixel(79, 11), rgbText(113, 111, 100));
    EXPECT_EQ(pixel(4, 10), rgbText(236, 233, 216));
    button->setFocus();
    pump();
    // Bevel one pixel in, a black frame, the dotted focus rectangle 4 pixels inside.
    EXPECT_EQ(pixel(0, 11), rgbText(0, 0, 0));
    EXPECT_EQ(pixel(1, 11), rgbText(255, 255, 255));
    EXPECT_EQ(pixel(2, 11), rgbText(241, 239, 226));
    EXPECT_EQ(pixel(77, 11), rgbText(172, 168, 153));
    EXPECT_EQ(pixel(78, 11), rgbText(113, 111, 100));
    EXPECT_EQ(pixel(79, 11), rgbText(0, 0, 0));
    EXPECT_EQ(pixel(4, 10), rgbText(255 - 236, 255 - 233, 255 - 216));
    EXPECT_EQ(pixel(4, 11), rgbText(236, 233, 216));
}

TEST_F(XPButtonTest, CheckedClassicButtonLooksPressedWithoutFocus)
{
    button->setStyle(1);
    button->setCheckboxBehaviour(true);
    button->setValue(true);
    EXPECT_EQ(pixel(0, 11), rgbText(0, 0, 0));
    EXPECT_EQ(pixel(1, 11), rgbText(172, 168, 153));   // button-shadow frame one pixel in
    EXPECT_EQ(pixel(2, 11), rgbText(236, 233, 216));
}

// ---- events ----

class XPButtonEventTest : public XPButtonTest {
protected:
    void SetUp() override
    {
        XPButtonTest::SetUp();
        const auto record = [this](const QString& name) { return [this, name] { log << name; }; };
        QObject::connect(button, &XPButton::Click, record("Click"));
        QObject::connect(button, &XPButton::MouseDown,
                [this](int b, int, float, float) { log << QString("MouseDown %1").arg(b); });
        QObject::connect(button, &XPButton::MouseMove, [this](int, int, float, float) {
            if (log.isEmpty() || log.last() != "MouseMove")
                log << "MouseMove";
        });
        QObject::connect(button, &XPButton::MouseUp, [this](int b, int, float, float) { log << QString("MouseUp %1").arg(b); });
        QObject::connect(button, &XPButton::MouseEnter, record("MouseEnter"));
        QObject::connect(button, &XPButton::MouseExit, record("MouseExit"));
        QObject::connect(button, &XPButton::KeyDown, [this](int k, int) { log << QString("KeyDown %1").arg(k); });
        QObject::connect(button, &XPButton::KeyUp, [this](int k, int) { log << QString("KeyUp %1").arg(k); });
        QObject::connect(button, &XPButton::KeyPress, [this](int k) { log << QString("KeyPress %1").arg(k); });
        log.clear();
    }
    QStringList log;
};

TEST_F(XPButtonEventTest, MouseClickOrder)
{
    const QString rest = pixel(40, 11);
    hover();
    input::press(button, Qt::LeftButton, middle());
    input::release(button, Qt::LeftButton, middle());
    parkCursor();
    EXPECT_EQ(log, QStringList({"MouseEnter", "MouseMove", "MouseDown 1", "MouseUp 1", "Click", "MouseExit"}));
    EXPECT_EQ(pixel(40, 11), rest);
}

// Assistive technology sees a push button named by its caption (by its tooltip without
// one), with its enabled and checked states; its press action clicks it, only while enabled.
TEST_F(XPButtonEventTest, AssistiveTechnologySeesAPushButton)
{
    button->setCaption("&Εκτέλεση && τέλος");
    button->setToolTip("Αφαίρεση από την αποθήκη");
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), "Εκτέλεση & τέλος");
    button->setCaption("");
    EXPECT_EQ(face->text(QAccessible::Name), "Αφαίρεση από την αποθήκη");

    QAccessibleActionInterface* actions = face->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_EQ(actions->actionNames(), QStringList({QAccessibleActionInterface::pressAction()}));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log, QStringList({"Click"}));

    button->setEnabled(false);
    EXPECT_TRUE(face->state().disabled);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log, QStringList({"Click"}));

    button->setEnabled(true);
    button->setCheckboxBehaviour(true);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(face->state().checkable);
    EXPECT_TRUE(face->state().checked);
    EXPECT_TRUE(button->Value());
}

TEST_F(XPButtonEventTest, MouseCoordinatesAreTwips)
{
    QVariantList down;
    QObject::connect(button, &XPButton::MouseDown,
            [&down](int b, int shift, float x, float y) { down = {b, shift, x, y}; });
    input::press(button, Qt::LeftButton, QPoint(10, 4), Qt::ShiftModifier);
    EXPECT_EQ(down, QVariantList({1, 1, 150.0f, 60.0f}));
    input::release(button, Qt::LeftButton, QPoint(10, 4));
}

TEST_F(XPButtonEventTest, PressReleasedOutsideRaisesNoClick)
{
    const QString rest = pixel(40, 11);
    hover();
    input::press(button, Qt::LeftButton, middle());
    EXPECT_NE(pixel(40, 11), rest);
    parkCursor();
    input::release(button, Qt::LeftButton, QPoint(200, 100));
    EXPECT_FALSE(log.contains("Click"));
    EXPECT_FALSE(log.contains("MouseUp 1"));
    EXPECT_EQ(pixel(40, 11), rest);
}

TEST_F(XPButtonEventTest, RightButtonRaisesMouseDownOnly)
{
    hover();
    const QString hot = pixel(1, 11);
    log.clear();
    input::press(button, Qt::RightButton, middle());
    input::release(button, Qt::RightButton, middle());
    EXPECT_EQ(log, QStringList({"MouseDown 2"}));
    EXPECT_EQ(pixel(1, 11), hot);
}

TEST_F(XPButtonEventTest, SpaceClicksAndOtherKeysDoNot)
{
    button->setFocus();
    pump();
    log.clear();
    input::keyPress(button, Qt::Key_Space);
    const QString pressed = pixel(40, 1);
    input::keyRelease(button, Qt::Key_Space);
    input::keyClick(button, Qt::Key_Return);
    input::keyClick(button, Qt::Key_A);
    EXPECT_EQ(log, QStringList({"KeyDown 32", "KeyPress 32", "KeyUp 32", "Click", "KeyDown 13", "KeyPress 13",
                                "KeyUp 13", "KeyDown 65", "KeyPress 97", "KeyUp 65"}));
    EXPECT_EQ(pressed, rgbText(gradientComponent(172, 236, 1, 345), gradientComponent(168, 233, 1, 345),
                               gradientComponent(153, 216, 1, 345)));
}

TEST_F(XPButtonEventTest, ArrowKeysMoveTheFocusAfterTheirKeyEvents)
{
    auto* before = new XPButton(&window);
    auto* after = new XPButton(&window);
    QWidget::setTabOrder(before, button);
    QWidget::setTabOrder(button, after);
    before->show();
    after->show();
    window.activateWindow();
    struct Case {
        Qt::Key key;
        XPButton* target;
    };
    for (const Case& c : {Case {Qt::Key_Right, after}, Case {Qt::Key_Down, after}, Case {Qt::Key_Left, before},
                          Case {Qt::Key_Up, before}}) {
        button->setFocus();
        pump();
        log.clear();
        input::keyClick(button, c.key);
        EXPECT_EQ(log.size(), 2) << c.key;   // KeyDown and KeyUp on this button first
        pump();
        EXPECT_TRUE(c.target->hasFocus()) << c.key;
    }
}

TEST_F(XPButtonEventTest, CheckboxModeTogglesValue)
{
    button->setValue(true);
    EXPECT_FALSE(button->Value());   // ignored outside checkbox mode
    button->setCheckboxBehaviour(true);
    hover();
    input::click(button, Qt::LeftButton, middle());
    EXPECT_TRUE(button->Value());
    // On: pressed face, no hover look even under the cursor.
    EXPECT_EQ(pixel(40, 1), rgbText(gradientComponent(172, 236, 1, 345), gradientComponent(168, 233, 1, 345),
                                    gradientComponent(153, 216, 1, 345)));
    EXPECT_EQ(pixel(1, 11), rgbText(gradientComponent(172, 236, 11, 345), gradientComponent(168, 233, 11, 345),
                                    gradientComponent(153, 216, 11, 345)));
    input::click(button, Qt::LeftButton, middle());
    EXPECT_FALSE(button->Value());
    button->setFocus();
    pump();
    input::keyClick(button, Qt::Key_Space);
    EXPECT_TRUE(button->Value());
    EXPECT_EQ(log.count("Click"), 3);
}

TEST_F(XPButtonEventTest, MissingSoundFileStillClicks)
{
    button->setSoundOnClick(2);
    button->setSoundFile("/nonexistent/click.wav");
    hover();
    input::click(button, Qt::LeftButton, middle());
    EXPECT_EQ(log.count("Click"), 1);
}

// ---- shape ----

TEST_F(XPButtonTest, RoundedRegionFollowsStyleAndSize)
{
    // Style 0: the last column and row and the corner pixels are cut away.
    const auto expectRounded = [this] {
        const QRegion mask = button->mask();
        const int w = button->width(), h = button->height();
        EXPECT_EQ(mask.boundingRect(), QRect(0, 0, w - 1, h - 1));
        EXPECT_FALSE(mask.contains(QPoint(0, 0)));
        EXPECT_TRUE(mask.contains(QPoint(1, 0)));
        EXPECT_TRUE(mask.contains(QPoint(0, 1)));
        EXPECT_FALSE(mask.contains(QPoint(w - 2, h - 2)));
        EXPECT_TRUE(mask.contains(QPoint(w - 2, h / 2)));
    };
    expectRounded();
    button->setStyle(1);
    EXPECT_TRUE(button->mask().isEmpty());
    button->setStyle(0);
    expectRounded();
    // Same width + height, other shape: the region is rebuilt.
    button->setGeometry(units::pxRect(0, 0, 1000, 500));
    expectRounded();
    button->setGeometry(units::pxRect(0, 0, 500, 1000));
    expectRounded();
}

// ---- properties ----

TEST(XPButtonProperties, ColorSchemeMinusOneResetsTheColours)
{
    XPButton button;
    button.setColorBegin(units::RGB(1, 2, 3));
    button.setColorEnd(units::RGB(4, 5, 6));
    button.setColorScheme(-1);
    EXPECT_EQ(button.ColorScheme(), -1);
    EXPECT_EQ(button.ColorBegin(), units::kButtonHighlight);
    EXPECT_EQ(button.ColorEnd(), units::kButtonFace);
}

TEST(XPButtonProperties, DesignerDataStoresOnlyWhatDiffers)
{
    QWidget form;
    form.setFont(QFont("Arial", 9));
    const QPixmap picture = solidPicture(Qt::red);
    QFont captionFont("Arial", 10);
    captionFont.setBold(true);
    std::unique_ptr<XPButton> button(XPButton::create(
        &form, PropertyBag {{"Caption", "~Epistrofi"}, {"Font", captionFont}, {"Picture", picture},
                            {"PictureAlignment", 2}},
        "Command1"));
    EXPECT_EQ(button->objectName(), "Command1");
    EXPECT_EQ(button->Caption(), "~Epistrofi");
    EXPECT_EQ(button->Font(), captionFont);
    EXPECT_EQ(button->PictureAlignment(), 2);
    EXPECT_EQ(button->Picture().size(), picture.size());
    EXPECT_EQ(button->Style(), 0);
    EXPECT_TRUE(button->Enabled());
    EXPECT_EQ(button->ForeColor(), units::kButtonText);
    EXPECT_TRUE(button->ShowFocusRect());
    EXPECT_EQ(button->ColorBegin(), units::kButtonHighlight);
    EXPECT_EQ(button->ColorEnd(), units::kButtonFace);
    EXPECT_FALSE(button->HoverEffect() || button->CheckboxBehaviour() || button->Value());
    EXPECT_EQ(button->property("Caption").toString(), "~Epistrofi");

    PropertyBag written;
    button->WriteProperties(written);
    EXPECT_EQ(written.keys(), QStringList({"Picture", "Caption", "Font", "PictureAlignment"}));

    // Nothing differs from the defaults: nothing is stored; the caption defaults to the name.
    std::unique_ptr<XPButton> plain(XPButton::create(&form, {}, "Command7"));
    EXPECT_EQ(plain->Caption(), "Command7");
    EXPECT_EQ(plain->Font(), form.font());
    PropertyBag empty;
    plain->WriteProperties(empty);
    EXPECT_EQ(empty.size(), 0);
}

TEST(XPButtonProperties, EveryPropertyRoundTripsInOrder)
{
    QWidget form;
    XPButton source(&form);
    source.setObjectName("Command3");
    source.setStyle(1);
    source.setEnabled(false);
    source.setPicture(solidPicture(Qt::blue));
    source.setCaption("&Save");
    source.setFont(QFont("Courier New", 12));
    source.setForeColor(units::RGB(10, 20, 30));
    source.setPictureAlignment(3);
    source.setSoundOnClick(2);
    source.setSoundFile("/tmp/click.wav");
    source.setColorScheme(1);
    source.setColorBegin(units::RGB(1, 2, 3));
    source.setColorEnd(units::RGB(4, 5, 6));
    source.setShowFocusRect(false);
    source.setHoverEffect(true);
    source.setCheckboxBehaviour(true);
    source.setValue(true);
    PropertyBag bag;
    source.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), QStringList({"Style", "Enabled", "Picture", "Caption", "Font", "ForeColor",
                                       "PictureAlignment", "SoundOnClick", "SoundFile", "ColorScheme",
                                       "ColorBegin", "ColorEnd", "ShowFocusRect", "HoverEffect",
                                       "CheckboxBehaviour", "Value"}));

    std::unique_ptr<XPButton> copy(XPButton::create(&form, bag, "Command3"));
    for (const char* name : {"Style", "Enabled", "Caption", "Font", "ForeColor", "PictureAlignment",
                             "SoundOnClick", "SoundFile", "ColorScheme", "ColorBegin", "ColorEnd",
                             "ShowFocusRect", "HoverEffect", "CheckboxBehaviour", "Value"})
        EXPECT_EQ(copy->property(name), source.property(name)) << name;
    EXPECT_EQ(copy->Picture().size(), source.Picture().size());

    // A stored Value survives only in checkbox mode.
    bag.WriteProperty("CheckboxBehaviour", false, false);
    std::unique_ptr<XPButton> push(XPButton::create(&form, bag, "Command3"));
    EXPECT_FALSE(push->Value());
}

TEST(PropertyBag, DefaultsAreLeftOutAndReadBack)
{
    PropertyBag bag;
    bag.WriteProperty("Style", 1, 0);
    bag.WriteProperty("Caption", "OK", "Command1");
    bag.WriteProperty("Enabled", true, true);
    EXPECT_EQ(bag.keys(), QStringList({"Style", "Caption"}));
    EXPECT_EQ(bag.ReadProperty("Enabled", true), QVariant(true));
    bag.WriteProperty("Style", 0, 0);   // back to its default: no longer stored
    EXPECT_EQ(bag.keys(), QStringList({"Caption"}));
    EXPECT_EQ(bag.ReadProperty("Style", 0).toInt(), 0);
}

} // namespace
