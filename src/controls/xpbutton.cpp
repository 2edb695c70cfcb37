#include "controls/xpbutton.h"
#include "controls/button_accessible.h"
#include "controls/xpbutton_raster.h"
#include "platform/units.h"
#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace {

constexpr int kSpace = 32;
// The hover poll asked for 1 ms; the platform timer it ran on ticked about every 15 ms, and
// so does this one, with the same behaviour at a fraction of the processor time.
constexpr int kHoverPollMs = 15;

// The mouse position in twips, as the events report it.
QPointF twipsAt(const QMouseEvent* event)
{
    return event->position() * double(units::kTwipsPerPixel);
}

QVariant pictureValue(const QPixmap& picture)
{
    return picture.isNull() ? QVariant() : QVariant(picture);
}

} // namespace

XPButton::XPButton(QWidget* parent)
    : QWidget(parent),
      colorBegin_(units::kButtonHighlight),
      colorEnd_(units::kButtonFace),
      foreColor_(units::kButtonText),
      backColor_(units::kButtonFace)
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    caption_ = objectName();
    ButtonAccessible<XPButton>::install();
    overTimer_.setInterval(kHoverPollMs);
    connect(&overTimer_, &QTimer::timeout, this, &XPButton::overTimerTick);
    overTimer_.start();
}

XPButton::~XPButton() = default;

XPButton* XPButton::create(QWidget* parent, const PropertyBag& designerData, const QString& designerName)
{
    auto* button = new XPButton(parent);
    button->setObjectName(designerName);
    button->ReadProperties(designerData);
    return button;
}

XPButton* XPButton::createDesigned(QWidget* parent, const QString& designerName, const QString& caption)
{
    return create(parent, PropertyBag {{"Caption", caption}, {"PictureAlignment", 2}}, designerName);
}

XPButton* XPButton::createDesigned(QWidget* parent, const QString& designerName, const QString& caption,
                                   int leftTw, int topTw, int widthTw, int heightTw)
{
    return units::place(createDesigned(parent, designerName, caption), designerName, leftTw, topTw, widthTw,
                        heightTw);
}

// ---- persistence ----

// The container's font, the default of the Font property.
QFont XPButton::ambientFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font();
}

void XPButton::WriteProperties(PropertyBag& bag)
{
    writingProperties_ = true;
    bag.WriteProperty("Style", style_, 0);
    bag.WriteProperty("Enabled", Enabled(), true);
    bag.WriteProperty("Picture", pictureValue(picture_), QVariant());
    bag.WriteProperty("Caption", caption_, objectName());
    bag.WriteProperty("Font", font(), ambientFont());
    bag.WriteProperty("ForeColor", foreColor_, uint(units::kButtonText));
    bag.WriteProperty("PictureAlignment", pictureAlignment_, 0);
    bag.WriteProperty("SoundOnClick", soundOnClick_, 0);
    bag.WriteProperty("SoundFile", soundFile_, QString());
    bag.WriteProperty("ColorScheme", colorScheme_, 0);
    bag.WriteProperty("ColorBegin", colorBegin_, uint(units::kButtonHighlight));
    bag.WriteProperty("ColorEnd", colorEnd_, uint(units::kButtonFace));
    bag.WriteProperty("ShowFocusRect", showFocusRect_, true);
    bag.WriteProperty("HoverEffect", hoverEffect_, false);
    bag.WriteProperty("CheckboxBehaviour", checkboxBehaviour_, false);
    bag.WriteProperty("Value", value_, false);
    writingProperties_ = false;
}

void XPButton::ReadProperties(const PropertyBag& bag)
{
    setStyle(bag.ReadProperty("Style", 0).toInt());
    setEnabled(bag.ReadProperty("Enabled", true).toBool());
    setPicture(bag.ReadProperty("Picture").value<QPixmap>());
    setCaption(bag.ReadProperty("Caption", objectName()).toString());
    setFont(bag.ReadProperty("Font", ambientFont()).value<QFont>());
    setForeColor(bag.ReadProperty("ForeColor", uint(units::kButtonText)).toUInt());
    setPictureAlignment(bag.ReadProperty("PictureAlignment", 0).toInt());
    setSoundOnClick(bag.ReadProperty("SoundOnClick", 0).toInt());
    setSoundFile(bag.ReadProperty("SoundFile", QString()).toString());
    setColorScheme(bag.ReadProperty("ColorScheme", 0).toInt());
    setColorBegin(bag.ReadProperty("ColorBegin", uint(units::kButtonHighlight)).toUInt());
    setColorEnd(bag.ReadProperty("ColorEnd", uint(units::kButtonFace)).toUInt());
    setShowFocusRect(bag.ReadProperty("ShowFocusRect", true).toBool());
    setHoverEffect(bag.ReadProperty("HoverEffect", false).toBool());
    setCheckboxBehaviour(bag.ReadProperty("CheckboxBehaviour", false).toBool());
    setValue(bag.ReadProperty("Value", false).toBool());
}

// ---- properties ----

void XPButton::setValue(bool value)
{
    if (!checkboxBehaviour_)
        return;
    value_ = value;
    emit PropertyChanged("Value");
    DrawButton(false, value_);
}

void XPButton::setCheckboxBehaviour(bool on)
{
    checkboxBehaviour_ = on;
    emit PropertyChanged("CheckboxBehaviour");
}

void XPButton::setHoverEffect(bool on)
{
    hoverEffect_ = on;
    DrawButton(false, false);
    emit PropertyChanged("HoverEffect");
}

void XPButton::setShowFocusRect(bool on)
{
    showFocusRect_ = on;
    DrawButton(false, false);
    emit PropertyChanged("ShowFocusRect");
}

void XPButton::setStyle(int style)
{
    style_ = style;
    resizeStep();
    emit PropertyChanged("Style");
}

void XPButton::setColorScheme(int scheme)
{
    colorScheme_ = scheme;
    if (scheme == -1) {
        setColorBegin(units::kButtonHighlight);
        setColorEnd(units::kButtonFace);
    }
    DrawButton(false, false);
    emit PropertyChanged("ColorScheme");
}

void XPButton::setColorBegin(uint color)
{
    colorBegin_ = color;
    if (colorScheme_ == 1)
        DrawButton(false, false);
    emit PropertyChanged("ColorBegin");
}

void XPButton::setColorEnd(uint color)
{
    colorEnd_ = color;
    if (colorScheme_ == 1)
        DrawButton(false, false);
    emit PropertyChanged("ColorEnd");
}

void XPButton::setSoundFile(const QString& path)
{
    soundFile_ = path;
    emit PropertyChanged("SoundFile");
}

void XPButton::setSoundOnClick(int mode)
{
    soundOnClick_ = mode;
    emit PropertyChanged("SoundOnClick");
}

void XPButton::setPictureAlignment(int alignment)
{
    pictureAlignment_ = alignment;
    emit PropertyChanged("PictureAlignment");
    DrawButton(false, false);
}

void XPButton::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    resizeStep();
    emit PropertyChanged("Picture");
}

void XPButton::setCaption(const QString& caption)
{
    caption_ = caption;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    DrawButton(IsMouseOver(), mouseDown_);
    emit PropertyChanged("Caption");
}

void XPButton::setForeColor(uint color)
{
    foreColor_ = color;
    resizeStep();
    emit PropertyChanged("ForeColor");
}

void XPButton::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        emit PropertyChanged("Enabled");
        DrawButton(false, false);
    } else if (event->type() == QEvent::FontChange) {
        resizeStep();
        emit PropertyChanged("Font");
    }
}

// ---- input ----

bool XPButton::IsMouseOver() const
{
    return units::underCursor(this);
}

void XPButton::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = twipsAt(event);
    const int button = units::mouseButtonCode(event->button());
    emit MouseDown(button, units::shiftCode(event->modifiers()), float(at.x()), float(at.y()));
    if (button < 2) {
        DrawButton(false, true);
        mouseDown_ = true;
    }
}

void XPButton::mouseMoveEvent(QMouseEvent* event)
{
    if (!mouseEntered_) {
        emit MouseEnter();
        mouseEntered_ = true;
    }
    const QPointF at = twipsAt(event);
    const int buttons = units::mouseButtonCode(event->buttons());
    emit MouseMove(buttons, units::shiftCode(event->modifiers()), float(at.x()), float(at.y()));
    if (buttons >= 2)
        return;
    if (!IsMouseOver()) {
        DrawButton(false, value_);
    } else if (buttons == 0) {
        if (!hoverShown_) {
            overTimer_.start();
            hoverShown_ = true;
            DrawButton(!(checkboxBehaviour_ && value_), value_);
        }
    } else {
        DrawButton(false, true);
        hoverShown_ = false;
    }
}

void XPButton::mouseReleaseEvent(QMouseEvent* event)
{
    const int button = units::mouseButtonCode(event->button());
    if (button != 1)
        return;
    mouseDown_ = false;
    if (!IsMouseOver()) {
        DrawButton(false, value_);
        return;
    }
    if (checkboxBehaviour_) {
        if (!value_) {
            setValue(true);
        } else {
            setValue(false);
            DrawButton(true, false);
        }
    } else {
        DrawButton(true, false);
    }
    const QPointF at = twipsAt(event);
    emit MouseUp(button, units::shiftCode(event->modifiers()), float(at.x()), float(at.y()));
    playClickSound();
    emit Click();
}

void XPButton::overTimerTick()
{
    if (IsMouseOver())
        return;
    overTimer_.stop();
    DrawButton(false, value_);
    hoverShown_ = false;
    emit MouseExit();
    mouseEntered_ = false;
}

void XPButton::keyPressEvent(QKeyEvent* event)
{
    if (!hasFocus_)
        return;
    const int keyCode = units::keyCode(event->key());
    emit KeyDown(keyCode, units::shiftCode(event->modifiers()));
    if (!event->text().isEmpty())
        emit KeyPress(event->text().at(0).unicode());
    if (!Enabled())
        return;
    // The focus moves once this key has been handled, as an injected Tab would.
    const auto moveFocus = [this](bool forward) {
        QTimer::singleShot(0, this, [this, forward] { focusNextPrevChild(forward); });
    };
    switch (keyCode) {
    case kSpace: DrawButton(false, true); break;
    case 39:
    case 40: moveFocus(true); break;
    case 37:
    case 38: moveFocus(false); break;
    default: break;
    }
}

void XPButton::keyReleaseEvent(QKeyEvent* event)
{
    // A held key repeats its presses only; the repeated releases of some platforms are
    // not key releases of the user's.
    if (!hasFocus_ || event->isAutoRepeat())
        return;
    const int keyCode = units::keyCode(event->key());
    emit KeyUp(keyCode, units::shiftCode(event->modifiers()));
    if (keyCode != kSpace)
        return;
    accessiblePress();
}

std::optional<bool> XPButton::accessibleChecked() const
{
    if (!checkboxBehaviour_)
        return std::nullopt;
    return value_;
}

void XPButton::accessiblePress()
{
    setValue(!value_);
    DrawButton(IsMouseOver(), checkboxBehaviour_ && value_);
    playClickSound();
    emit Click();
}

void XPButton::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    focusChanged(true);
}

void XPButton::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    focusChanged(false);
}

void XPButton::focusChanged(bool focused)
{
    hasFocus_ = focused;
    DrawButton(IsMouseOver(), checkboxBehaviour_ ? value_ : mouseDown_);
}

void XPButton::playClickSound()
{
    // Mode 1 would play a built-in sound that the program does not carry: silent. A missing
    // file stays silent too, without starting the audio back end for nothing.
    if (soundOnClick_ != 2 || !QFileInfo(soundFile_).isFile())
        return;
    if (!sound_)
        sound_ = std::make_unique<QSoundEffect>();
    const QUrl source = QUrl::fromLocalFile(soundFile_);
    if (sound_->source() != source)
        sound_->setSource(source);
    sound_->play();   // an unreadable file stays silent
}

// ---- shape ----

void XPButton::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    resizeStep();
}

void XPButton::resizeStep()
{
    if (writingProperties_)
        return;
    if (style_ != 0) {
        clearMask();
    } else if (style_ != lastStyle_ || size() != lastSize_) {
        // Rebuilt whenever the size changes (not only its width + height): a region kept
        // from another shape would cut the button off.
        clearMask();
        applyRoundRegion(0, 0, units::px(scaleWidth()), units::px(scaleHeight()), 5, 5);
    }
    lastSize_ = size();
    lastStyle_ = style_;
    Cls();
    DrawButton(false, false);
}

void XPButton::applyRoundRegion(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight)
{
    const int widthPx = units::px(scaleWidth());
    const int heightPx = units::px(scaleHeight());
    // A rounded region leaves out its right-most column and bottom row, as the platform's
    // rounded regions did; the outline is drawn just inside it.
    const QRegion rounded = raster::roundRectArea(left, top, right - 1, bottom - 1, cornerWidth, cornerHeight);
    setMask(rounded.intersected(QRegion(0, 0, widthPx, heightPx)));
}

double XPButton::scaleWidth() const
{
    return width() * double(units::kTwipsPerPixel);
}

double XPButton::scaleHeight() const
{
    return height() * double(units::kTwipsPerPixel);
}

void XPButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, surface_);
}
