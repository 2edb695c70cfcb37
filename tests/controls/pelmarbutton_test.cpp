// PelmarButton: its frames, picture and caption checked on the painted image, the order of
// its events under mouse and key input, link opening, assistive technology and the
// persistence of its properties.

#include "controls/pelmarbutton.h"
#include "platform/desktop.h"
#include "platform/units.h"
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <memory>
#include <vector>

namespace {

// Lets the event loop run for a while (timers, cursor moves, focus changes).
void wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at,
           Qt::KeyboardModifiers modifiers = {})
{
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::MouseButtons() : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held, modifiers);
    QApplication::sendEvent(widget, &event);
}

void key(QWidget* widget, QEvent::Type type, Qt::Key k, bool autoRepeat = false,
         Qt::KeyboardModifiers modifiers = {})
{
    const QString text = k == Qt::Key_Space ? " " : k == Qt::Key_Return ? "\r" : k == Qt::Key_Escape ? "\x1b" : "";
    QKeyEvent event(type, k, modifiers, text, autoRepeat);
    QApplication::sendEvent(widget, &event);
}

std::string rgbText(QRgb pixel)
{
    return QString("%1,%2,%3").arg(qRed(pixel)).arg(qGreen(pixel)).arg(qBlue(pixel)).toStdString();
}

std::string colourText(std::uint32_t vbColor)
{
    return rgbText(units::color(vbColor).rgb());
}

const std::string kFace = colourText(units::kButtonFace);
const std::string kShadow = colourText(units::kButtonShadow);
const std::string kHighlight = colourText(units::kButtonHighlight);
const std::string kDark = colourText(units::kDarkShadow);
const std::string kLight = colourText(units::kLight);
const QRgb kPictureColour = qRgb(200, 100, 50);

QPixmap solidPicture(QRgb colour, int width = 16, int height = 16)
{
    QPixmap picture(width, height);
    picture.fill(QColor(colour));
    return picture;
}

// A font drawn without smoothing, so caption pixels carry the ink colour exactly.
QFont crispFont()
{
    QFont font("Arial", 10);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// The bounding box of the pixels of one colour.
QRect areaOf(const QImage& image, QRgb colour)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour)
                area |= QRect(x, y, 1, 1);
    return area;
}

// A stored button (enabled, no pictures) of 120 x 40 pixels on a shown window.
class PelmarButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.setGeometry(100, 100, 400, 300);
        window.show();
        makeButton();
    }

    void makeButton()
    {
        button = PelmarButton::create(&window, PropertyBag {{"Caption", QString()}, {"Enabled", true}},
                                      "PelmarButton1");
        button->setGeometry(20, 20, 120, 40);
        button->show();
        wait(50);
        window.setFocus();
        parkCursor();
    }

    void parkCursor()
    {
        QCursor::setPos(window.mapToGlobal(QPoint(390, 290)));
        wait(60);   // the hover poll notices the pointer has gone
    }
    void hover()
    {
        QCursor::setPos(button->mapToGlobal(middle()));
        wait(40);
    }
    void focus()
    {
        button->setFocus();
        wait(20);
    }
    QPoint middle() const { return button->rect().center(); }
    std::string pixel(int x, int y) const { return rgbText(button->Image().pixel(x, y)); }

    QWidget window;
    PelmarButton* button = nullptr;
};

// ---- frames ----

// The first two rings of the frame, each side read in the middle of its edge.
struct Rings {
    std::string outerTopLeft, outerBottomRight, innerTopLeft, innerBottomRight;
};

TEST_F(PelmarButtonTest, FrameOfEachLook)
{
    struct Case {
        const char* look;
        std::function<void()> enter;
        Rings rings;
    };
    const std::vector<Case> cases {
        {"flat at rest", [] {}, {kFace, kFace, kFace, kFace}},
        {"flat hover", [this] { hover(); }, {kHighlight, kShadow, kFace, kFace}},
        {"flat raised at rest", [this] { button->setRaised(true); button->Refresh(); },
         {kHighlight, kShadow, kFace, kFace}},
        {"flat pressed", [this] { mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, middle()); },
         {kDark, kHighlight, kShadow, kLight}},
        {"flat focused", [this] { focus(); }, {kFace, kFace, kFace, kFace}},
        {"flat raised focused", [this] { button->setRaised(true); focus(); }, {kHighlight, kDark, kFace, kShadow}},
        {"flat default", [this] { button->setDefault(true); }, {kHighlight, kDark, kFace, kShadow}},
        // The default frame over the sunken one.
        {"flat default pressed",
         [this] {
             button->setDefault(true);
             mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, middle());
         },
         {kHighlight, kDark, kShadow, kShadow}},
        {"edged at rest", [this] { button->setBorderEdged(true); }, {kShadow, kHighlight, kHighlight, kShadow}},
        {"edged hover", [this] { button->setBorderEdged(true); hover(); }, {kDark, kHighlight, kHighlight, kShadow}},
        {"edged pressed",
         [this] {
             button->setBorderEdged(true);
             mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, middle());
         },
         {kDark, kHighlight, kShadow, kDark}},
    };
    delete button;
    for (const Case& c : cases) {
        makeButton();
        c.enter();
        const int SW = button->width(), SH = button->height();
        EXPECT_EQ(pixel(SW / 2, 0), c.rings.outerTopLeft) << c.look;
        EXPECT_EQ(pixel(0, SH / 2), c.rings.outerTopLeft) << c.look;
        EXPECT_EQ(pixel(SW - 1, SH / 2), c.rings.outerBottomRight) << c.look;
        EXPECT_EQ(pixel(SW / 2, SH - 1), c.rings.outerBottomRight) << c.look;
        EXPECT_EQ(pixel(SW / 2, 1), c.rings.innerTopLeft) << c.look;
        EXPECT_EQ(pixel(1, SH / 2), c.rings.innerTopLeft) << c.look;
        EXPECT_EQ(pixel(SW - 2, SH / 2), c.rings.innerBottomRight) << c.look;
        EXPECT_EQ(pixel(SW / 2, SH - 2), c.rings.innerBottomRight) << c.look;
        mouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(-50, -50));
        delete button;
    }
    button = nullptr;
}

TEST_F(PelmarButtonTest, EdgedHoverAndPressedThirdRing)
{
    button->setBorderEdged(true);
    hover();
    EXPECT_EQ(pixel(60, 2), kHighlight);   // inner raised lines
    EXPECT_EQ(pixel(2, 20), kHighlight);
    EXPECT_EQ(pixel(117, 20), kDark);
    mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, middle());
    EXPECT_EQ(pixel(60, 2), kDark);
    EXPECT_EQ(pixel(2, 20), kDark);
    mouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, middle());
}

TEST_F(PelmarButtonTest, FocusRectangleFollowsShowFocusRectOnly)
{
    const std::string inverted = rgbText(qRgb(255 - 236, 255 - 233, 255 - 216));
    focus();
    EXPECT_EQ(pixel(3, 3), inverted);
    EXPECT_EQ(pixel(4, 3), kFace);
    EXPECT_EQ(pixel(116, 36), inverted);   // right 117 and bottom 37 excluded
    button->setShowFocusRect(false);
    EXPECT_EQ(pixel(3, 3), kFace);
}

TEST_F(PelmarButtonTest, RaisedShowsAtTheNextRepaint)
{
    button->setRaised(true);
    EXPECT_EQ(pixel(0, 20), kFace);
    button->Refresh();
    EXPECT_EQ(pixel(0, 20), kHighlight);
}

// ---- picture and caption ----

class PelmarButtonLayoutTest : public PelmarButtonTest {
protected:
    void SetUp() override
    {
        PelmarButtonTest::SetUp();
        button->copyFont(crispFont());
        QFont font = button->Font();
        font.setStyleStrategy(QFont::NoAntialias);
        button->QWidget::setFont(font);
    }
    QRect ink() const { return areaOf(button->Image(), qRgb(0, 0, 0)); }
    QRect picture() const { return areaOf(button->Image(), kPictureColour); }
    // The caption's width and height as measured: the wrapped text and one average
    // character width of margin at either side.
    QSize captionSize(const QString& caption) const
    {
        const QFontMetrics metrics(button->Font());
        const QRect text = metrics.boundingRect(QRect(0, 0, 1000, 0), Qt::AlignHCenter | Qt::TextShowMnemonic, caption);
        return QSize(text.width() + 2 * metrics.averageCharWidth(), text.height());
    }
};

TEST_F(PelmarButtonLayoutTest, PictureRectangleByPosition)
{
    // 120 x 80 pixels: content box left 4, top 4, 112 x 72.
    button->resize(120, 80);
    button->setCaption("Mail");
    const QSize text = captionSize("Mail");
    const int TW = text.width(), TH = text.height();
    struct Case {
        int position;
        QRect picture;
    };
    const std::vector<Case> cases {
        {0, QRect(3, 4 + (72 - (32 + 4 + TH)) / 2, 32, 32)},
        {1, QRect(3, 24, 32, 32)},
        {2, QRect(4 + (112 - (32 + 4 + TW)) / 2 + TW + 4, 24, 32, 32)},
        {3, QRect(3, 4 + (72 - (32 + 4 + TH)) / 2 + TH + 4, 32, 32)},
        {7, QRect(3, 24, 32, 32)},   // outside 0 to 3: as the default
    };
    button->setPicture(solidPicture(kPictureColour));   // 16 x 16 stretched to 32 x 32
    for (const Case& c : cases) {
        button->setPicturePosition(c.position);
        EXPECT_EQ(picture(), c.picture) << "position " << c.position;
        EXPECT_FALSE(ink().isNull()) << "position " << c.position;
        EXPECT_FALSE(ink().intersects(c.picture.adjusted(-3, -3, 3, 3))) << "position " << c.position;
    }
    // Beside the picture the caption is centred vertically; above or below it, across.
    button->setPicturePosition(1);
    EXPECT_GE(ink().left(), 39);
    EXPECT_LE(std::abs(ink().center().y() - 40), 2);
    button->setPicturePosition(3);
    EXPECT_LE(std::abs(ink().center().x() - 60), 2);
}

TEST_F(PelmarButtonLayoutTest, PictureWithoutCaptionAndCaptionWithoutPicture)
{
    button->setPicture(solidPicture(kPictureColour));
    EXPECT_EQ(picture(), QRect(3, 4, 32, 32));
    button->setPicture(std::nullopt);
    button->setCaption("Mail");
    EXPECT_LE(std::abs(ink().center().x() - 60), 2);
    EXPECT_LE(std::abs(ink().center().y() - 20), 2);
    // A long caption wraps at the content box's width.
    button->resize(60, 80);
    button->setCaption("one two three four");
    EXPECT_GE(ink().left(), 4);
    EXPECT_LT(ink().right(), 56);
    EXPECT_GT(ink().height(), QFontMetrics(button->Font()).height());
}

TEST_F(PelmarButtonLayoutTest, PressedPictureAndCaptionMoveOnePixel)
{
    button->setCaption("Mail");
    button->setPicture(solidPicture(kPictureColour));
    const QRect restInk = ink();
    mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, middle());
    EXPECT_EQ(picture(), QRect(4, 5, 32, 32));
    EXPECT_EQ(ink(), restInk.translated(1, 1));
    mouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, middle());
    EXPECT_EQ(picture(), QRect(3, 4, 32, 32));
}

TEST_F(PelmarButtonLayoutTest, DisabledLookIsEmbossed)
{
    // Left half opaque, right half transparent: stretched twice, the shape's right edge
    // casts a highlight one picture pixel (two button pixels) to the right.
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x)
            image.setPixel(x, y, kPictureColour);
    button->setPicture(QPixmap::fromImage(image));
    button->setCaption("Mail");
    button->setEnabled(false);
    EXPECT_EQ(pixel(3, 4), kShadow);
    EXPECT_EQ(pixel(18, 30), kShadow);
    EXPECT_EQ(pixel(19, 30), kHighlight);
    EXPECT_EQ(pixel(19, 4), kFace);   // nothing above the shape's first row
    EXPECT_EQ(pixel(21, 30), kFace);
    // The caption twice: highlight one pixel down and right, shadow on top; no black ink.
    const QImage& face = button->Image();
    const QRect shadowInk = areaOf(face.copy(39, 0, 81, 40), units::color(units::kButtonShadow).rgb());
    const QRect highlightInk = areaOf(face.copy(39, 0, 81, 40), qRgb(255, 255, 255));
    ASSERT_FALSE(shadowInk.isNull());
    EXPECT_EQ(highlightInk.bottomRight(), shadowInk.bottomRight() + QPoint(1, 1));
    EXPECT_TRUE(ink().isNull());
}

TEST_F(PelmarButtonLayoutTest, CaptionMnemonicIsUnderlined)
{
    button->setCaption("M");
    const QRect plain = ink();
    button->setCaption("&M");
    EXPECT_GT(ink().bottom(), plain.bottom());
    EXPECT_EQ(ink().top(), plain.top());
}

TEST_F(PelmarButtonLayoutTest, HoverPictureWhileThePointerIsOver)
{
    button->setPicture(solidPicture(kPictureColour));
    button->setPictureHover(solidPicture(qRgb(0, 0, 255)));
    hover();
    EXPECT_EQ(areaOf(button->Image(), qRgb(0, 0, 255)), QRect(3, 4, 32, 32));
    parkCursor();
    EXPECT_EQ(picture(), QRect(3, 4, 32, 32));

    // A new button's hover picture holds no image: hovering shows no picture at all.
    auto* fresh = new PelmarButton(&window);
    fresh->setGeometry(200, 20, 120, 40);
    fresh->setPicture(solidPicture(kPictureColour));
    fresh->show();
    QCursor::setPos(fresh->mapToGlobal(QPoint(60, 20)));
    wait(40);
    EXPECT_TRUE(areaOf(fresh->Image(), kPictureColour).isNull());
    parkCursor();
    EXPECT_EQ(areaOf(fresh->Image(), kPictureColour), QRect(3, 4, 32, 32));
}

// Stored while the pointer rests on it, the button keeps its normal picture.
TEST_F(PelmarButtonLayoutTest, WrittenWhileHoveredStoresTheNormalPicture)
{
    button->setPicture(solidPicture(kPictureColour));
    button->setPictureHover(solidPicture(qRgb(0, 0, 255)));
    hover();
    ASSERT_EQ(areaOf(button->Image(), qRgb(0, 0, 255)), QRect(3, 4, 32, 32));
    PropertyBag bag;
    button->WriteProperties(bag);
    std::unique_ptr<PelmarButton> reloaded(PelmarButton::create(&window, bag, "PelmarButton2"));
    ASSERT_TRUE(reloaded->NormalPicture().has_value());
    EXPECT_EQ(reloaded->NormalPicture()->toImage().pixel(0, 0), kPictureColour);
    EXPECT_EQ(reloaded->ShownPicture()->toImage().pixel(0, 0), kPictureColour);
}

// ---- sizes ----

TEST_F(PelmarButtonTest, PictureSizeModes)
{
    struct Case {
        int mode;
        PelmarButton::Picture picture;
        QSize expected;
    };
    const std::vector<Case> cases {
        {0, std::nullopt, {16, 16}},
        {1, std::nullopt, {32, 32}},
        {2, solidPicture(kPictureColour, 20, 10), {20, 10}},
        {2, std::nullopt, {32, 32}},   // no picture to take the size from
        {5, std::nullopt, {7, 9}},     // unknown mode: unchanged
    };
    for (const Case& c : cases) {
        button->setPicture(c.picture);
        button->setPictureWidth(7);
        button->setPictureHeight(9);
        button->setPictureSize(c.mode);
        EXPECT_EQ(QSize(button->PictureWidth(), button->PictureHeight()), c.expected) << "mode " << c.mode;
    }
    // In mode 2 the picture setter sizes the rectangle too, also for none.
    button->setPictureSize(2);
    button->setPicture(solidPicture(kPictureColour, 12, 24));
    EXPECT_EQ(QSize(button->PictureWidth(), button->PictureHeight()), QSize(12, 24));
    button->setPicture(std::nullopt);
    EXPECT_EQ(QSize(button->PictureWidth(), button->PictureHeight()), QSize(32, 32));
}

TEST_F(PelmarButtonTest, TooNarrowBecomesTenPixels)
{
    button->resize(6, 40);
    EXPECT_EQ(button->size(), QSize(10, 40));
    EXPECT_EQ(button->Image().size(), QSize(10, 40));
    button->resize(50, 3);
    EXPECT_EQ(button->size(), QSize(50, 10));
}

// ---- events ----

class PelmarButtonEventTest : public PelmarButtonTest {
protected:
    void SetUp() override
    {
        PelmarButtonTest::SetUp();
        QObject::connect(button, &PelmarButton::Click, [this] { log << "Click"; });
        QObject::connect(button, &PelmarButton::MouseDown, [this](int b, int s, float x, float y) {
            log << QString("MouseDown %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
        });
        QObject::connect(button, &PelmarButton::MouseUp,
                         [this](int b, int, float, float) { log << QString("MouseUp %1").arg(b); });
        QObject::connect(button, &PelmarButton::MouseIn, [this](int s) { log << QString("MouseIn %1").arg(s); });
        QObject::connect(button, &PelmarButton::MouseOut, [this](int s) { log << QString("MouseOut %1").arg(s); });
        QObject::connect(button, &PelmarButton::KeyDown, [this](int k, int) { log << QString("KeyDown %1").arg(k); });
        QObject::connect(button, &PelmarButton::KeyUp, [this](int k, int) { log << QString("KeyUp %1").arg(k); });
        log.clear();
    }
    bool looksPressed() const { return pixel(0, 20) == kDark; }
    QStringList log;
};

TEST_F(PelmarButtonEventTest, LeavingWhileHeldShowsReleasedAndComingBackPressed)
{
    hover();
    mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(10, 4), Qt::ShiftModifier);
    EXPECT_TRUE(looksPressed());
    parkCursor();   // the poll finds another window under the pointer
    EXPECT_FALSE(looksPressed());
    EXPECT_EQ(pixel(0, 20), kFace);
    hover();
    mouse(button, QEvent::MouseMove, Qt::LeftButton, middle());
    EXPECT_TRUE(looksPressed());
    mouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, middle());
    EXPECT_FALSE(looksPressed());
    // Coordinates in pixels; MouseOut carries the Shift of the mouse-down.
    EXPECT_EQ(log, QStringList({"MouseIn 0", "MouseDown 1 1 10 4", "MouseOut 1", "MouseIn 0", "Click", "MouseUp 1"}));
}

TEST_F(PelmarButtonEventTest, MouseSequences)
{
    struct Case {
        const char* name;
        std::function<void()> input;
        QStringList events;
    };
    const std::vector<Case> cases {
        {"released off the button",
         [this] {
             mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5));
             mouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(130, 5));
         },
         {"MouseDown 1 0 5 5", "MouseUp 1"}},
        {"right button",
         [this] {
             mouse(button, QEvent::MouseButtonPress, Qt::RightButton, QPoint(5, 5));
             EXPECT_FALSE(looksPressed());
             mouse(button, QEvent::MouseButtonRelease, Qt::RightButton, QPoint(5, 5));
         },
         {"MouseDown 2 0 5 5", "MouseUp 2"}},
        {"double click replays the first press",
         [this] {
             mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, QPoint(5, 5));
             mouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(5, 5));
             mouse(button, QEvent::MouseButtonDblClick, Qt::LeftButton, QPoint(6, 7));
             EXPECT_TRUE(looksPressed());
             mouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, QPoint(6, 7));
         },
         {"MouseDown 1 0 5 5", "Click", "MouseUp 1", "MouseDown 1 0 5 5", "Click", "MouseUp 1"}},
    };
    for (const Case& c : cases) {
        log.clear();
        c.input();
        EXPECT_EQ(log, c.events) << c.name;
        EXPECT_FALSE(looksPressed()) << c.name;
    }
}

TEST_F(PelmarButtonEventTest, RightReleaseClearsThePressWithoutRepainting)
{
    mouse(button, QEvent::MouseButtonPress, Qt::LeftButton, middle());
    mouse(button, QEvent::MouseButtonPress, Qt::RightButton, middle());
    mouse(button, QEvent::MouseButtonRelease, Qt::RightButton, middle());
    EXPECT_TRUE(looksPressed());
    button->Refresh();
    EXPECT_FALSE(looksPressed());
    mouse(button, QEvent::MouseButtonRelease, Qt::LeftButton, middle());
}

TEST_F(PelmarButtonEventTest, KeysClickOnceWhenTheyGoDown)
{
    focus();
    log.clear();
    key(button, QEvent::KeyPress, Qt::Key_Space);
    EXPECT_TRUE(looksPressed());
    key(button, QEvent::KeyPress, Qt::Key_Space, true);   // auto-repeat
    key(button, QEvent::KeyRelease, Qt::Key_Space, true);
    EXPECT_TRUE(looksPressed());
    key(button, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_FALSE(looksPressed());
    key(button, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_FALSE(looksPressed());   // Enter clicks without showing the button pushed in
    key(button, QEvent::KeyPress, Qt::Key_Return, true);
    key(button, QEvent::KeyRelease, Qt::Key_Return);
    EXPECT_EQ(log, QStringList({"Click", "KeyDown 32", "KeyDown 32", "KeyUp 32", "Click", "KeyDown 13",
                                "KeyDown 13", "KeyUp 13"}));

    // While another key is held, Space does not click; after that key's release its
    // next repeat does.
    log.clear();
    key(button, QEvent::KeyPress, Qt::Key_Shift);
    key(button, QEvent::KeyPress, Qt::Key_Space, false, Qt::ShiftModifier);
    key(button, QEvent::KeyRelease, Qt::Key_Shift);
    key(button, QEvent::KeyPress, Qt::Key_Space, true);
    key(button, QEvent::KeyRelease, Qt::Key_Space);
    EXPECT_EQ(log, QStringList({"KeyDown 16", "KeyDown 32", "KeyUp 16", "Click", "KeyDown 32", "KeyUp 32"}));
}

TEST_F(PelmarButtonEventTest, KeyHeldWhenTheFocusLeftDoesNotBlockTheKeys)
{
    auto* other = new QLineEdit(&window);
    other->show();
    focus();
    key(button, QEvent::KeyPress, Qt::Key_Shift);   // Shift+Tab: its release lands elsewhere
    other->setFocus();
    wait(20);
    focus();
    log.clear();
    key(button, QEvent::KeyPress, Qt::Key_Return);
    EXPECT_EQ(log, QStringList({"Click", "KeyDown 13"}));
}

TEST_F(PelmarButtonEventTest, WindowHandsEnterToTheDefaultAndEscToTheCancelButton)
{
    auto* edit = new QLineEdit(&window);
    edit->show();
    window.activateWindow();
    edit->setFocus();
    wait(20);
    ASSERT_TRUE(edit->hasFocus());
    const auto typeInEdit = [edit](Qt::Key k) {
        key(edit, QEvent::KeyPress, k);
        key(edit, QEvent::KeyRelease, k);
    };
    typeInEdit(Qt::Key_Return);
    EXPECT_TRUE(log.isEmpty());   // not yet the default button
    button->setDefault(true);
    typeInEdit(Qt::Key_Return);
    typeInEdit(Qt::Key_Escape);
    EXPECT_EQ(log, QStringList({"Click"}));
    button->setCancel(true);
    typeInEdit(Qt::Key_Escape);
    EXPECT_EQ(log, QStringList({"Click", "Click"}));
    button->setEnabled(false);
    typeInEdit(Qt::Key_Return);
    EXPECT_EQ(log, QStringList({"Click", "Click"}));
    // With the focus the default button takes Enter as its own key: one click.
    button->setEnabled(true);
    focus();
    log.clear();
    key(button, QEvent::KeyPress, Qt::Key_Return);
    key(button, QEvent::KeyRelease, Qt::Key_Return);
    EXPECT_EQ(log, QStringList({"Click", "KeyDown 13", "KeyUp 13"}));
}

TEST_F(PelmarButtonEventTest, GoToURLThroughTheDesktopOpener)
{
    QList<QUrl> opened;
    desktop::OpenerGuard guard([&opened, this](const QUrl& url) {
        log << "open";
        opened << url;
        return true;
    });
    struct Case {
        QString url;
        QList<QUrl> expected;
    };
    const std::vector<Case> cases {
        {"mailto:office@example.com", {QUrl("mailto:office@example.com")}},
        {"MAILTO:office@example.com", {QUrl("mailto:office@example.com")}},   // a link, not a mail address
        {"www.example.com/stock", {QUrl("http://www.example.com/stock")}},
        {"", {}},
    };
    focus();
    for (const Case& c : cases) {
        opened.clear();
        log.clear();
        button->setURL(c.url);
        key(button, QEvent::KeyPress, Qt::Key_Return);
        key(button, QEvent::KeyRelease, Qt::Key_Return);
        EXPECT_EQ(opened, c.expected) << c.url.toStdString();
        EXPECT_EQ(log.first(), "Click") << c.url.toStdString();   // the click first, then the link
    }
}

TEST_F(PelmarButtonEventTest, AssistiveTechnologySeesAPushButton)
{
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);
    button->setCaption("&Mail us");
    EXPECT_EQ(accessible->text(QAccessible::Name), "Mail us");
    button->setCaption({});
    button->setToolTip("Write to the office");
    EXPECT_EQ(accessible->text(QAccessible::Name), "Write to the office");

    QAccessibleActionInterface* actions = accessible->actionInterface();
    ASSERT_NE(actions, nullptr);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log, QStringList({"Click"}));
    button->setEnabled(false);
    EXPECT_TRUE(accessible->state().disabled);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(log, QStringList({"Click"}));
}

// ---- properties ----

TEST(PelmarButtonProperties, NewAndStoredInstances)
{
    QWidget form;
    form.setFont(QFont("Arial", 9));
    PelmarButton fresh(&form);
    EXPECT_TRUE(fresh.Enabled());
    EXPECT_EQ(fresh.PicturePosition(), 1);
    EXPECT_EQ(fresh.PictureSize(), 1);
    EXPECT_TRUE(fresh.ShowBorderOnFocus() && fresh.ShowFocusRect());
    EXPECT_FALSE(fresh.Raised() || fresh.BorderEdged());
    EXPECT_EQ(fresh.Font(), form.font());
    EXPECT_FALSE(fresh.ShownPicture().has_value());
    ASSERT_TRUE(fresh.PictureHover().has_value());   // a picture without an image
    EXPECT_TRUE(fresh.PictureHover()->isNull());

    // A stored button without its enabled state loads disabled; with it, as stored.
    std::unique_ptr<PelmarButton> withoutKey(PelmarButton::create(&form, {}, "PelmarButton2"));
    EXPECT_FALSE(withoutKey->Enabled());
    EXPECT_EQ(withoutKey->Caption(), "PelmarButton2");
    EXPECT_FALSE(withoutKey->PictureHover().has_value());
    std::unique_ptr<PelmarButton> withKey(PelmarButton::create(&form, {{"Enabled", true}}, "PelmarButton3"));
    EXPECT_TRUE(withKey->Enabled());
    // Only the enabled state, which has no default, is written for a plain button.
    PropertyBag written;
    withKey->WriteProperties(written);
    EXPECT_EQ(written.keys(), QStringList({"Enabled"}));
}

TEST(PelmarButtonProperties, EveryPropertyRoundTripsInOrder)
{
    QWidget form;
    PelmarButton source(&form);
    source.setObjectName("PelmarButton1");
    source.setCaption("&Mail");
    source.setPicturePosition(3);
    source.setPicture(solidPicture(kPictureColour));
    source.setPictureWidth(20);
    source.setPictureHeight(24);
    source.setPictureSize(4);
    source.setPictureHover(solidPicture(qRgb(0, 0, 255), 8, 8));
    source.copyFont(QFont("Courier New", 12));
    source.setMouseIcon(solidPicture(qRgb(0, 255, 0), 8, 8));
    source.setMousePointer(99);
    source.setShowBorderOnFocus(false);
    source.setShowFocusRect(false);
    source.setRaised(true);
    source.setBorderEdged(true);
    source.setURL("mailto:office@example.com");
    source.setBackColor(units::RGB(1, 2, 3));
    source.setForeColor(units::RGB(4, 5, 6));
    PropertyBag bag;
    source.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), QStringList({"Caption", "PicturePosition", "Picture", "PictureWidth", "PictureHeight",
                                       "PictureSize", "PictureHover", "Enabled", "Font", "MouseIcon",
                                       "MousePointer", "ShowBorderOnFocus", "ShowFocusRect", "Raised",
                                       "BorderEdged", "URL", "BackColor", "ForeColor"}));

    std::unique_ptr<PelmarButton> copy(PelmarButton::create(&form, bag, "PelmarButton1"));
    for (const char* name : {"Caption", "PicturePosition", "PictureWidth", "PictureHeight", "PictureSize", "Enabled",
                             "Font", "MousePointer", "ShowBorderOnFocus", "ShowFocusRect", "Raised", "BorderEdged",
                             "URL", "BackColor", "ForeColor"})
        EXPECT_EQ(copy->property(name), source.property(name)) << name;
    EXPECT_EQ(copy->NormalPicture()->size(), QSize(16, 16));
    EXPECT_EQ(copy->PictureHover()->size(), QSize(8, 8));
    EXPECT_EQ(copy->MouseIcon()->size(), QSize(8, 8));
    EXPECT_EQ(copy->cursor().shape(), Qt::BitmapCursor);
}

// A font is copied with its size as it was set, in pixels or in points.
TEST(PelmarButtonProperties, FontSizeIsCopiedInPixelsOrPoints)
{
    QFont byPixels("Arial");
    byPixels.setPixelSize(20);
    const QFont byPoints("Arial", 14);
    PelmarButton button;
    button.copyFont(byPixels);
    EXPECT_EQ(button.Font().pixelSize(), 20);
    button.copyFont(byPoints);
    EXPECT_EQ(button.Font().pointSizeF(), 14);
    EXPECT_EQ(button.Font().pixelSize(), -1);
}

TEST(PelmarButtonProperties, SettersTellTheContainer)
{
    PelmarButton button;
    QStringList changed;
    QObject::connect(&button, &PelmarButton::PropertyChanged, [&changed](const QString& name) { changed << name; });
    button.setCaption("x");
    button.setRaised(true);
    button.setURL("y");
    button.setPictureSize(0);
    button.setEnabled(false);
    button.copyFont(QFont("Arial", 14));
    EXPECT_EQ(changed, QStringList({"Caption", "Raised", "URL", "PictureSize", "Enabled", "Font"}));
}

} // namespace
