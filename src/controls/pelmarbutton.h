#pragma once
// PelmarButton: a flat or raised three-dimensional push button with a picture and a
// word-wrapped caption. It swaps to a second picture while the pointer is over it and can
// open a link (a web address, or a "mailto:" address) when clicked. Everything it draws and
// every coordinate it reports are pixels of its own area.
//
// Use:
//     auto* mail = PelmarButton::create(this, PropertyBag{{"Caption", "&Mail us"},
//                                                         {"Enabled", true},
//                                                         {"URL", "mailto:office@example.com"}},
//                                       "PelmarButton1");
//     connect(mail, &PelmarButton::Click, this, &Form::PelmarButton1_Click);
// Colours are &HBBGGRR values or system colours &H80000000 + n. A picture is either none
// (std::nullopt) or a picture object, which may hold no image (a null QPixmap).

#include "controls/propertybag.h"
#include <QFont>
#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <optional>

class QShortcut;

class PelmarButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(uint BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(uint ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)
    Q_PROPERTY(QFont Font READ Font WRITE copyFont)
    Q_PROPERTY(int MousePointer READ MousePointer WRITE setMousePointer)
    Q_PROPERTY(bool ShowBorderOnFocus READ ShowBorderOnFocus WRITE setShowBorderOnFocus)
    Q_PROPERTY(bool ShowFocusRect READ ShowFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(bool Raised READ Raised WRITE setRaised)
    Q_PROPERTY(bool BorderEdged READ BorderEdged WRITE setBorderEdged)
    Q_PROPERTY(QString URL READ URL WRITE setURL)
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int PicturePosition READ PicturePosition WRITE setPicturePosition)
    Q_PROPERTY(int PictureWidth READ PictureWidth WRITE setPictureWidth)
    Q_PROPERTY(int PictureHeight READ PictureHeight WRITE setPictureHeight)
    Q_PROPERTY(int PictureSize READ PictureSize WRITE setPictureSize)

public:
    using Picture = std::optional<QPixmap>;

    // A new instance, as placed on a window: the container's font and background colour,
    // the designer name as caption (the object name, empty until set), a 32 x 32 picture
    // rectangle left of the caption, and picture objects without an image as picture and
    // hover picture.
    explicit PelmarButton(QWidget* parent = nullptr);

    // A stored instance: sets the designer name as object name, then reads every property
    // from the bag (ReadProperties). A bag without "Enabled" loads the button disabled.
    static PelmarButton* create(QWidget* parent, const PropertyBag& designerData,
                                const QString& designerName = {});

    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Repaints the whole button into its image.
    void Refresh();
    // Opens the URL: a "mailto:" address with the mail program, any other text as a link;
    // an empty URL does nothing.
    void GoToURL();

    uint BackColor() const { return backColor_; }
    void setBackColor(uint color);
    uint ForeColor() const { return foreColor_; }
    void setForeColor(uint color);
    // The button's own enabled state (QWidget::setEnabled sets it and repaints).
    bool Enabled() const { return !testAttribute(Qt::WA_Disabled); }
    QFont Font() const { return font(); }
    // Takes the family, size, bold, italic, underline and strike-out of source.
    void copyFont(const QFont& source);
    int MousePointer() const { return mousePointer_; }   // 0 default ... 15 size all, 99 MouseIcon
    void setMousePointer(int pointer);
    Picture MouseIcon() const { return mouseIcon_; }
    void setMouseIcon(const Picture& icon);
    WId hwnd() const { return winId(); }
    bool ShowBorderOnFocus() const { return showBorderOnFocus_; }
    void setShowBorderOnFocus(bool on);
    bool ShowFocusRect() const { return showFocusRect_; }
    void setShowFocusRect(bool on);
    bool Raised() const { return raised_; }
    void setRaised(bool on);   // shows at the next repaint
    bool BorderEdged() const { return borderEdged_; }
    void setBorderEdged(bool on);
    QString URL() const { return url_; }
    void setURL(const QString& url);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    // 0 picture above the caption, 1 left of it, 2 right of it, 3 below it; other values
    // are kept but laid out as 1.
    int PicturePosition() const { return picturePosition_; }
    void setPicturePosition(int position);
    Picture ShownPicture() const { return shownPicture_; }
    Picture NormalPicture() const { return normalPicture_; }
    void setPicture(const Picture& picture);
    int PictureWidth() const { return pictureWidth_; }    // pixels
    void setPictureWidth(int width);
    int PictureHeight() const { return pictureHeight_; }   // pixels
    void setPictureHeight(int height);
    // 0 a 16 x 16 picture rectangle, 1 32 x 32, 2 the picture's own size; other values
    // leave the size as it is.
    int PictureSize() const { return pictureSize_; }
    void setPictureSize(int mode);
    Picture PictureHover() const { return hoverPicture_; }
    void setPictureHover(const Picture& picture);

    // The window's default button (Enter) and cancel button (Esc). A default button also
    // draws the default frame.
    bool Default() const { return default_; }
    void setDefault(bool on);
    bool Cancel() const { return cancel_; }
    void setCancel(bool on);

    // The persistent image the button is drawn into; it paints itself from it.
    const QImage& Image() const { return surface_; }

    // For assistive technology: the button never toggles, and its press action is a click
    // that comes from neither the mouse nor the keyboard: Click, then GoToURL, when enabled.
    std::optional<bool> accessibleChecked() const { return std::nullopt; }
    void accessiblePress();

signals:
    void Click();
    void KeyDown(int keyCode, int shift);
    void KeyPress(int keyAscii);
    void KeyUp(int keyCode, int shift);
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    void MouseIn(int shift);
    void MouseOut(int shift);
    // Tells the container that a property changed, by its name.
    void PropertyChanged(const QString& propertyName);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct MouseDownRecord {
        int button = 0;
        int shift = 0;
        float x = 0;
        float y = 0;
    };

    QFont ambientFont() const;
    std::uint32_t ambientBackColor() const;

    // Input.
    bool isOver(float x, float y) const;
    void mouseDownStep(const MouseDownRecord& down);
    void overTimerTick();
    void clickAndOpen();
    void accessKeyPress(int keyCode);
    void applyPointer();
    void updateShortcuts();
    void fitPictureSize();

    // Painting, into surface_.
    void LayoutPictureAndCaption();
    void MeasureCaption();
    void DrawPicture();
    void DrawCaption();
    void DrawBorder();
    void drawCaptionText(const QRect& rect, std::uint32_t color);
    int captionMargin() const;

    // Persisted properties.
    std::uint32_t backColor_;
    std::uint32_t foreColor_;
    int mousePointer_ = 0;
    Picture mouseIcon_;
    bool showBorderOnFocus_ = true;
    bool showFocusRect_ = true;
    bool raised_ = false;
    bool borderEdged_ = false;
    QString url_;
    QString caption_;
    int picturePosition_ = 1;
    Picture shownPicture_;
    Picture normalPicture_;
    Picture hoverPicture_;
    int pictureWidth_ = 32;
    int pictureHeight_ = 32;
    int pictureSize_ = 1;

    // The extender's flags.
    bool default_ = false;
    bool cancel_ = false;
    QShortcut* enterShortcut_ = nullptr;
    QShortcut* keypadEnterShortcut_ = nullptr;
    QShortcut* escapeShortcut_ = nullptr;

    // Input state.
    bool focused_ = false;
    bool pressed_ = false;
    bool hover_ = false;
    bool keyHeld_ = false;
    MouseDownRecord lastDown_;
    QTimer overTimer_;

    // Drawing: the persistent image, the picture buffer's background and the layout.
    QImage surface_;
    std::uint32_t bufferBackColor_;
    QRect contentBox_;
    QRect pictureRect_;
    QRect captionRect_;
};
