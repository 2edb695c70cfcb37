#pragma once
// XPButton: the owner-drawn push button of every window. It paints its whole face into a
// persistent image (gradient face with rounded corners for Style 0, classic bevel for
// Style 1, optional picture beside the caption, hover and focus rings, disabled look),
// raises mouse and keyboard events with twips coordinates, plays an optional click sound
// and can act as a toggle (CheckboxBehaviour).
//
// Use from a window:
//     auto* ok = XPButton::create(this, PropertyBag{{"Caption", "~Epistrofi"},
//                                                   {"Picture", pixmap},
//                                                   {"PictureAlignment", 2}}, "Command1");
//     ok->setGeometry(units::pxRect(120, 240, 1215, 855));
//     connect(ok, &XPButton::Click, this, &Form2::Command1_Click);
//     ok->setEnabled(false);   // draws the disabled look
// Colours are &HBBGGRR values or system colours &H80000000 + n; X and Y of the mouse
// events are twips.

#include "controls/propertybag.h"
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

class QSoundEffect;

class XPButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Value READ Value WRITE setValue)
    Q_PROPERTY(bool CheckboxBehaviour READ CheckboxBehaviour WRITE setCheckboxBehaviour)
    Q_PROPERTY(bool HoverEffect READ HoverEffect WRITE setHoverEffect)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(int Style READ Style WRITE setStyle)
    Q_PROPERTY(int ColorScheme READ ColorScheme WRITE setColorScheme)
    Q_PROPERTY(uint ColorBegin READ ColorBegin WRITE setColorBegin)
    Q_PROPERTY(uint ColorEnd READ ColorEnd WRITE setColorEnd)
    Q_PROPERTY(QString SoundFile READ SoundFile WRITE setSoundFile)
    Q_PROPERTY(int SoundOnClick READ SoundOnClick WRITE setSoundOnClick)
    Q_PROPERTY(int PictureAlignment READ PictureAlignment WRITE setPictureAlignment)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QPixmap Picture READ Picture WRITE setPicture)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QFont Font READ Font WRITE setFont)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)

public:
    // A new instance with the initial values of a button just placed on a window:
    // Style 0, the container's font, the designer name as caption (the object name,
    // empty until set), no picture, focus ring shown, system colours.
    explicit XPButton(QWidget* parent = nullptr);
    ~XPButton() override;

    // A button created from a window's designer data: sets the designer name as object
    // name, then reads every property from the bag (ReadProperties); keys missing from the
    // bag take their defaults (the caption's default is the designer name).
    static XPButton* create(QWidget* parent, const PropertyBag& designerData,
                            const QString& designerName = {});
    // A window's button as its designer stored it: the caption, with any picture above it
    // (PictureAlignment 2); every other property keeps its default.
    static XPButton* createDesigned(QWidget* parent, const QString& designerName,
                                    const QString& caption);
    // The same, placed at its designed rectangle in twips.
    static XPButton* createDesigned(QWidget* parent, const QString& designerName, const QString& caption,
                                    int leftTw, int topTw, int widthTw, int heightTw);

    // The 16 properties, in the order they are persisted.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag);

    bool Value() const { return value_; }
    void setValue(bool value);   // only acts while CheckboxBehaviour is true
    bool CheckboxBehaviour() const { return checkboxBehaviour_; }
    void setCheckboxBehaviour(bool on);
    bool HoverEffect() const { return hoverEffect_; }
    void setHoverEffect(bool on);
    bool ShowFocusRect() const { return showFocusRect_; }
    void setShowFocusRect(bool on);
    int Style() const { return style_; }   // 0 gradient and rounded, 1 classic bevel
    void setStyle(int style);
    int ColorScheme() const { return colorScheme_; }   // 0 system colours, else ColorBegin/ColorEnd
    void setColorScheme(int scheme);
    uint ColorBegin() const { return colorBegin_; }
    void setColorBegin(uint color);
    uint ColorEnd() const { return colorEnd_; }
    void setColorEnd(uint color);
    QString SoundFile() const { return soundFile_; }
    void setSoundFile(const QString& path);
    int SoundOnClick() const { return soundOnClick_; }   // 0 silent, 1 built-in (none), 2 SoundFile
    void setSoundOnClick(int mode);
    // 0 picture left of the caption, 1 right, 2 above, 3 below, 4 both centred.
    int PictureAlignment() const { return pictureAlignment_; }
    void setPictureAlignment(int alignment);
    // The button's own enabled state (QWidget::setEnabled sets it and repaints); a disabled
    // container does not make the button look disabled.
    bool Enabled() const { return !testAttribute(Qt::WA_Disabled); }
    QPixmap Picture() const { return picture_; }
    void setPicture(const QPixmap& picture);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    QFont Font() const { return font(); }   // set with QWidget::setFont
    uint ForeColor() const { return foreColor_; }
    void setForeColor(uint color);

    // The persistent image the face is drawn into; the button paints itself from it.
    const QImage& Image() const { return surface_; }

    // For assistive technology: the checked state in checkbox mode, and its press action,
    // a click as a Space release gives it (checkbox mode toggles Value).
    std::optional<bool> accessibleChecked() const;
    void accessiblePress();

public slots:
    void ShowAboutBox() {}   // the control has no about box

signals:
    void Click();
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseEnter();
    void MouseExit();
    void KeyDown(int keyCode, int shift);
    void KeyUp(int keyCode, int shift);
    void KeyPress(int keyAscii);
    // Tells the container that a property changed, by its name.
    void PropertyChanged(const QString& propertyName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QFont ambientFont() const;

    // Input and shape.
    bool IsMouseOver() const;
    void overTimerTick();
    void resizeStep();
    void applyRoundRegion(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
    void playClickSound();
    void focusChanged(bool focused);

    // Painting, into surface_.
    void DrawButton(bool hover, bool pressed);
    void DrawGradient(std::uint32_t colorTop, std::uint32_t colorBottom);
    void DrawClassicBevel(bool pressed);
    void DrawFocusRectangle();
    void MakeGreyedPicture(int x, int y);
    void Cls();
    void setBackColor(std::uint32_t color);
    std::uint32_t resolveColor(std::uint32_t color, int xTw, int yTw);
    void drawCaption(const QRect& rect, std::uint32_t color);
    double scaleWidth() const;    // W, twips
    double scaleHeight() const;   // H, twips

    // Persisted properties.
    bool value_ = false;
    bool checkboxBehaviour_ = false;
    bool hoverEffect_ = false;
    bool showFocusRect_ = true;
    int style_ = 0;
    int colorScheme_ = 0;
    uint colorBegin_;
    uint colorEnd_;
    QString soundFile_;
    int soundOnClick_ = 0;
    int pictureAlignment_ = 0;
    QPixmap picture_;
    QString caption_;
    uint foreColor_;

    // Input state.
    bool hasFocus_ = false;
    bool mouseDown_ = false;
    bool mouseEntered_ = false;
    bool hoverShown_ = false;
    QSize lastSize_;
    int lastStyle_ = 0;
    bool writingProperties_ = false;
    QTimer overTimer_;
    std::unique_ptr<QSoundEffect> sound_;

    // The persistent image the face is drawn into and painted from.
    QImage surface_;
    std::uint32_t backColor_;
    int picX_ = 0;   // twips
    int picY_ = 0;
};
