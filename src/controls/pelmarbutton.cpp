#include "controls/pelmarbutton.h"
#include "controls/button_accessible.h"
#include "platform/desktop.h"
#include "platform/units.h"
#include <QAccessible>
#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QUrl>
#include <array>

namespace {

constexpr int kHoverPollMs = 10;
constexpr int kMinimumSidePx = 10;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kRightButton = 2;
constexpr int kCustomPointer = 99;

// The pointer shapes by MousePointer; 0, the default pointer, unsets the shape instead.
constexpr std::array<Qt::CursorShape, 16> kPointerShapes {
    Qt::ArrowCursor,      Qt::ArrowCursor,    Qt::CrossCursor,    Qt::IBeamCursor,
    Qt::ArrowCursor,      Qt::SizeAllCursor,  Qt::SizeBDiagCursor, Qt::SizeVerCursor,
    Qt::SizeFDiagCursor,  Qt::SizeHorCursor,  Qt::UpArrowCursor,  Qt::WaitCursor,
    Qt::ForbiddenCursor,  Qt::BusyCursor,     Qt::WhatsThisCursor, Qt::SizeAllCursor,
};

PelmarButton::Picture readPicture(const PropertyBag& bag, const QString& key)
{
    const QVariant value = bag.ReadProperty(key);
    if (!value.isValid())
        return std::nullopt;
    return value.value<QPixmap>();
}

QVariant pictureValue(const PelmarButton::Picture& picture)
{
    return picture ? QVariant(*picture) : QVariant();
}

} // namespace

PelmarButton::PelmarButton(QWidget* parent)
    : QWidget(parent),
      backColor_(units::kButtonFace),
      foreColor_(units::kButtonText),
      bufferBackColor_(ambientBackColor())   // a new button's picture buffer takes the container's colour
{
    ButtonAccessible<PelmarButton>::install();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    overTimer_.setInterval(kHoverPollMs);
    connect(&overTimer_, &QTimer::timeout, this, &PelmarButton::overTimerTick);

    // The values of a button just placed on a window.
    QWidget::setFont(ambientFont());
    caption_ = objectName();
    hoverPicture_ = QPixmap();
    normalPicture_ = QPixmap();
    Refresh();
}

PelmarButton* PelmarButton::create(QWidget* parent, const PropertyBag& designerData, const QString& designerName)
{
    auto* button = new PelmarButton(parent);
    button->setObjectName(designerName);
    button->ReadProperties(designerData);
    return button;
}

// ---- persistence ----

QFont PelmarButton::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

std::uint32_t PelmarButton::ambientBackColor() const
{
    if (!parentWidget())
        return units::kButtonFace;
    return units::bgr(parentWidget()->palette().color(parentWidget()->backgroundRole()));
}

void PelmarButton::ReadProperties(const PropertyBag& bag)
{
    backColor_ = bag.ReadProperty("BackColor", uint(units::kButtonFace)).toUInt();
    bufferBackColor_ = backColor_;
    showFocusRect_ = bag.ReadProperty("ShowFocusRect", true).toBool();
    showBorderOnFocus_ = bag.ReadProperty("ShowBorderOnFocus", true).toBool();
    caption_ = bag.ReadProperty("Caption", objectName()).toString();
    picturePosition_ = bag.ReadProperty("PicturePosition", 1).toInt();
    shownPicture_ = readPicture(bag, "Picture");
    pictureWidth_ = bag.ReadProperty("PictureWidth", 32).toInt();
    pictureHeight_ = bag.ReadProperty("PictureHeight", 32).toInt();
    pictureSize_ = bag.ReadProperty("PictureSize", 1).toInt();
    QWidget::setFont(bag.ReadProperty("Font", ambientFont()).value<QFont>());
    hoverPicture_ = readPicture(bag, "PictureHover");
    normalPicture_ = readPicture(bag, "Picture");
    setMouseIcon(readPicture(bag, "MouseIcon"));
    // No default: a button stored without its enabled state loads disabled.
    setEnabled(bag.ReadProperty("Enabled").toBool());
    mousePointer_ = bag.ReadProperty("MousePointer", 0).toInt();
    applyPointer();
    foreColor_ = bag.ReadProperty("ForeColor", uint(units::kButtonText)).toUInt();
    raised_ = bag.ReadProperty("Raised", false).toBool();
    borderEdged_ = bag.ReadProperty("BorderEdged", false).toBool();
    url_ = bag.ReadProperty("URL", QString()).toString();
    Refresh();
}

void PelmarButton::WriteProperties(PropertyBag& bag) const
{
    bag.WriteProperty("Caption", caption_, objectName());
    bag.WriteProperty("PicturePosition", picturePosition_, 1);
    // The normal picture, also while the hover picture is shown.
    bag.WriteProperty("Picture", pictureValue(normalPicture_), QVariant());
    bag.WriteProperty("PictureWidth", pictureWidth_, 32);
    bag.WriteProperty("PictureHeight", pictureHeight_, 32);
    bag.WriteProperty("PictureSize", pictureSize_, 1);
    bag.WriteProperty("PictureHover", pictureValue(hoverPicture_), QVariant());
    bag.WriteProperty("Enabled", Enabled(), QVariant());
    bag.WriteProperty("Font", font(), ambientFont());
    bag.WriteProperty("MouseIcon", pictureValue(mouseIcon_), QVariant());
    bag.WriteProperty("MousePointer", mousePointer_, 0);
    bag.WriteProperty("ShowBorderOnFocus", showBorderOnFocus_, true);
    bag.WriteProperty("ShowFocusRect", showFocusRect_, true);
    bag.WriteProperty("Raised", raised_, false);
    bag.WriteProperty("BorderEdged", borderEdged_, false);
    bag.WriteProperty("URL", url_, QString());
    bag.WriteProperty("BackColor", uint(backColor_), uint(units::kButtonFace));
    bag.WriteProperty("ForeColor", uint(foreColor_), uint(units::kButtonText));
}

// ---- properties ----

void PelmarButton::setBackColor(uint color)
{
    backColor_ = color;
    emit PropertyChanged("BackColor");
    Refresh();
}

void PelmarButton::setForeColor(uint color)
{
    foreColor_ = color;
    emit PropertyChanged("ForeColor");
    Refresh();
}

void PelmarButton::copyFont(const QFont& source)
{
    QFont copy = font();
    copy.setFamily(source.family());
    // The size as it was set: in pixels, or in points.
    if (source.pixelSize() > 0)
        copy.setPixelSize(source.pixelSize());
    else
        copy.setPointSizeF(source.pointSizeF());
    copy.setBold(source.bold());
    copy.setItalic(source.italic());
    copy.setUnderline(source.underline());
    copy.setStrikeOut(source.strikeOut());
    QWidget::setFont(copy);   // repaints through the font change
    emit PropertyChanged("Font");
}

void PelmarButton::setMousePointer(int pointer)
{
    mousePointer_ = pointer;
    applyPointer();
    emit PropertyChanged("MousePointer");
}

void PelmarButton::setMouseIcon(const Picture& icon)
{
    mouseIcon_ = icon;
    applyPointer();
    emit PropertyChanged("MouseIcon");
}

void PelmarButton::applyPointer()
{
    if (mousePointer_ == kCustomPointer && mouseIcon_ && !mouseIcon_->isNull())
        setCursor(QCursor(*mouseIcon_));
    else if (mousePointer_ > 0 && mousePointer_ < int(kPointerShapes.size()))
        setCursor(kPointerShapes[std::size_t(mousePointer_)]);
    else
        unsetCursor();
}

void PelmarButton::setShowBorderOnFocus(bool on)
{
    showBorderOnFocus_ = on;
    emit PropertyChanged("ShowBorderOnFocus");
    Refresh();
}

void PelmarButton::setShowFocusRect(bool on)
{
    showFocusRect_ = on;
    emit PropertyChanged("ShowFocusRect");
    Refresh();
}

void PelmarButton::setRaised(bool on)
{
    raised_ = on;
    emit PropertyChanged("Raised");
}

void PelmarButton::setBorderEdged(bool on)
{
    borderEdged_ = on;
    emit PropertyChanged("BorderEdged");
    Refresh();
}

void PelmarButton::setURL(const QString& url)
{
    url_ = url;
    emit PropertyChanged("URL");
}

void PelmarButton::setCaption(const QString& caption)
{
    caption_ = caption;
    emit PropertyChanged("Caption");
    QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    Refresh();
}

void PelmarButton::setPicturePosition(int position)
{
    picturePosition_ = position;
    emit PropertyChanged("PicturePosition");
    Refresh();
}

void PelmarButton::setPicture(const Picture& picture)
{
    shownPicture_ = picture;
    normalPicture_ = picture;
    emit PropertyChanged("Picture");
    if (pictureSize_ == 2)
        fitPictureSize();
    Refresh();
}

void PelmarButton::setPictureWidth(int width)
{
    pictureWidth_ = width;
    emit PropertyChanged("PictureWidth");
    Refresh();
}

void PelmarButton::setPictureHeight(int height)
{
    pictureHeight_ = height;
    emit PropertyChanged("PictureHeight");
    Refresh();
}

void PelmarButton::setPictureSize(int mode)
{
    pictureSize_ = mode;
    emit PropertyChanged("PictureSize");
    switch (mode) {
    case 0: pictureWidth_ = pictureHeight_ = 16; break;
    case 1: pictureWidth_ = pictureHeight_ = 32; break;
    case 2: fitPictureSize(); break;
    default: break;
    }
    Refresh();
}

// The picture rectangle takes the shown picture's own size; without a picture there is no
// size to take, so it keeps the usual 32 x 32.
void PelmarButton::fitPictureSize()
{
    if (shownPicture_) {
        pictureWidth_ = shownPicture_->width();
        pictureHeight_ = shownPicture_->height();
    } else {
        pictureWidth_ = pictureHeight_ = 32;
    }
}

void PelmarButton::setPictureHover(const Picture& picture)
{
    hoverPicture_ = picture;
    emit PropertyChanged("PictureHover");
}

void PelmarButton::setDefault(bool on)
{
    default_ = on;
    updateShortcuts();
    Refresh();
}

void PelmarButton::setCancel(bool on)
{
    cancel_ = on;
    updateShortcuts();
}

// The window hands Enter to its default button and Esc to its cancel button.
void PelmarButton::updateShortcuts()
{
    const auto shortcut = [this](QShortcut*& made, int key, int keyCode, bool wanted) {
        if (wanted && !made) {
            made = new QShortcut(QKeySequence(key), this, [this, keyCode] { accessKeyPress(keyCode); },
                                 Qt::WindowShortcut);
            made->setAutoRepeat(false);
        }
        if (made)
            made->setEnabled(wanted);
    };
    shortcut(enterShortcut_, Qt::Key_Return, kEnter, default_);
    shortcut(keypadEnterShortcut_, Qt::Key_Enter, kEnter, default_);
    shortcut(escapeShortcut_, Qt::Key_Escape, kEscape, cancel_);
}

// With the focus, Enter is the button's own key (its KeyDown clicks), not the window's.
bool PelmarButton::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            event->accept();
            return true;
        }
    }
    return QWidget::event(event);
}

void PelmarButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        emit PropertyChanged("Enabled");
        Refresh();
    } else if (event->type() == QEvent::FontChange) {
        Refresh();
    }
}

// ---- input ----

bool PelmarButton::isOver(float x, float y) const
{
    return x >= 0 && y >= 0 && x < width() && y < height();
}

void PelmarButton::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    mouseDownStep({units::mouseButtonCode(event->button()), units::shiftCode(event->modifiers()),
                   float(at.x()), float(at.y())});
}

void PelmarButton::mouseDownStep(const MouseDownRecord& down)
{
    lastDown_ = down;
    if (down.button != kRightButton) {
        pressed_ = true;
        Refresh();
    }
    emit MouseDown(down.button, down.shift, down.x, down.y);
}

// The second press of a double click: the last mouse-down once more, so that its release
// clicks again. The button keeps the mouse until that release.
void PelmarButton::mouseDoubleClickEvent(QMouseEvent*)
{
    mouseDownStep(lastDown_);
}

void PelmarButton::mouseMoveEvent(QMouseEvent* event)
{
    const float x = float(event->position().x());
    const float y = float(event->position().y());
    const int shift = units::shiftCode(event->modifiers());
    if (isOver(x, y) && !hover_) {
        overTimer_.start();
        hover_ = true;
        if (hoverPicture_)
            shownPicture_ = hoverPicture_;
        emit MouseIn(shift);
        Refresh();
    }
    emit MouseMove(units::mouseButtonCode(event->buttons()), shift, x, y);
}

void PelmarButton::mouseReleaseEvent(QMouseEvent* event)
{
    const int button = units::mouseButtonCode(event->button());
    const float x = float(event->position().x());
    const float y = float(event->position().y());
    pressed_ = false;
    if (button != kRightButton) {
        Refresh();
        if (isOver(x, y))
            clickAndOpen();
    }
    emit MouseUp(button, units::shiftCode(event->modifiers()), x, y);
}

void PelmarButton::overTimerTick()
{
    if (units::underCursor(this))
        return;
    overTimer_.stop();
    hover_ = false;
    shownPicture_ = normalPicture_;
    emit MouseOut(lastDown_.shift);
    Refresh();
    if (pressed_) {
        // Shown released while the pointer is away, still held: coming back shows it pressed.
        pressed_ = false;
        Refresh();
        pressed_ = true;
    }
}

void PelmarButton::keyPressEvent(QKeyEvent* event)
{
    const int keyCode = units::keyCode(event->key());
    if (!keyHeld_) {
        if (keyCode == kEnter) {
            clickAndOpen();
        } else if (keyCode == kSpace) {
            pressed_ = true;
            Refresh();
            clickAndOpen();
        }
        keyHeld_ = true;
    }
    emit KeyDown(keyCode, units::shiftCode(event->modifiers()));
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
}

void PelmarButton::keyReleaseEvent(QKeyEvent* event)
{
    // Some platforms repeat a held key as release and press pairs: only the user's own
    // release counts.
    if (event->isAutoRepeat())
        return;
    const int keyCode = units::keyCode(event->key());
    if (keyCode == kSpace) {
        pressed_ = false;
        Refresh();
    }
    keyHeld_ = false;
    emit KeyUp(keyCode, units::shiftCode(event->modifiers()));
}

void PelmarButton::accessKeyPress(int keyCode)
{
    if (Enabled() && (keyCode == kEnter || keyCode == kEscape))
        clickAndOpen();
}

void PelmarButton::accessiblePress()
{
    if (Enabled())
        clickAndOpen();
}

void PelmarButton::clickAndOpen()
{
    emit Click();
    GoToURL();
}

void PelmarButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    focused_ = true;
    Refresh();
}

void PelmarButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    focused_ = false;
    pressed_ = false;
    // A key released after the focus left is never seen here: without this, Shift+Tab away
    // would leave Enter and Space dead when the focus comes back.
    keyHeld_ = false;
    Refresh();
}

void PelmarButton::GoToURL()
{
    if (url_.startsWith(QLatin1String("mailto:"), Qt::CaseSensitive))
        desktop::open(QUrl(url_));   // the mail program
    else if (!url_.isEmpty())
        desktop::open(QUrl::fromUserInput(url_));   // the browser, or the program for the file
}

// ---- size ----

void PelmarButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (width() < kMinimumSidePx)
        resize(kMinimumSidePx, height());
    if (height() < kMinimumSidePx)
        resize(width(), kMinimumSidePx);
    Refresh();
}

void PelmarButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, surface_);
}
