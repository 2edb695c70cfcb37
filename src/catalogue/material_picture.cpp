#include "catalogue/material_picture.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/convert.h"
#include "platform/messagebox.h"
#include "platform/units.h"
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QStyle>
#include <QToolButton>
#include <utility>

namespace picture {

Placement fitCentred(double w1, double h1, double w2, double h2)
{
    Placement p;
    if (!(w1 > 0 && h1 > 0))
        return p;
    if (h1 > w1) {
        p.h = int(conv::roundHalfEven(h2));
        p.w = int(conv::roundHalfEven(w1 * h2 / h1));
        p.x = float(p.h - p.w) / 2;
    } else {
        p.w = int(conv::roundHalfEven(w2));
        p.h = int(conv::roundHalfEven(w2 * h1 / w1));
        p.y = float(p.w - p.h) / 2;
    }
    return p;
}

Placement fitTopLeft(double w1, double h1, double w2, double h2)
{
    Placement p = fitCentred(w1, h1, w2, h2);
    p.x = p.y = 0;
    return p;
}

QString fileName(const QString& code)
{
    return NormalizeCode(code);
}

QString filePath(const QString& code)
{
    const QString name = fileName(code);
    return name.isEmpty() ? QString() : gAppPath + "/myimages/" + name + ".bmp";
}

} // namespace picture

namespace {

// A decoder that cannot reduce a picture while decoding it needs the whole picture in memory
// first; Qt's own allocation limit would refuse a large photo, so the limit is raised to
// this while a picture is read. Beyond it, a picture is too large to read.
constexpr int kDecodeLimitMb = 512;

class DecodeLimit {
public:
    DecodeLimit() : previous_(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(kDecodeLimitMb);
    }
    ~DecodeLimit() { QImageReader::setAllocationLimit(previous_); }
    DecodeLimit(const DecodeLimit&) = delete;
    DecodeLimit& operator=(const DecodeLimit&) = delete;

private:
    int previous_;
};

QSize boxPixels()
{
    return units::pxSize(picture::kBoxTwips, picture::kBoxTwips);
}

enum class Unreadable { No, NotAPicture, TooLarge };

// A picture as read, with its natural size in pixels (the size it has on the screen,
// whatever size it was decoded at), or why it could not be read.
struct ReadPicture {
    QImage image;
    QSize natural;
    Unreadable failure = Unreadable::NotAPicture;
};

// Reads a picture; reduced, a picture larger than the box is decoded at the box's size.
ReadPicture readPicture(QImageReader& reader, bool reduced)
{
    const DecodeLimit limit;
    reader.setAutoTransform(true);
    QSize natural = reader.size();
    const QSize box = boxPixels();
    if (reduced && natural.isValid() && (natural.width() > box.width() || natural.height() > box.height()))
        reader.setScaledSize(natural.scaled(box, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    QImage image = reader.read();
    if (image.isNull()) {
        const bool tooLarge = natural.isValid() &&
                              qint64(natural.width()) * natural.height() * 4 > qint64(kDecodeLimitMb) << 20;
        return {{}, natural, tooLarge ? Unreadable::TooLarge : Unreadable::NotAPicture};
    }
    if (!natural.isValid())
        natural = image.size();
    else if (reader.transformation().testFlag(QImageIOHandler::TransformationRotate90))
        natural.transpose();
    return {std::move(image), natural, Unreadable::No};
}

ReadPicture readPicture(const QString& path, bool reduced)
{
    QImageReader reader(path);
    return readPicture(reader, reduced);
}

// The clipboard's picture, decoded reduced from the bytes another program offers, or the
// picture this program put there. No picture offered at all: a null image that is no failure.
ReadPicture readClipboard()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return {{}, {}, Unreadable::No};
    ReadPicture failed;
    bool offered = false;
    for (const QString& format : data->formats()) {
        if (!format.startsWith(QLatin1String("image/")))
            continue;
        QByteArray bytes = data->data(format);
        if (bytes.isEmpty())
            continue;
        offered = true;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer, format.mid(6).toLatin1());   // the subtype as a hint
        ReadPicture read = readPicture(reader, true);
        if (read.failure == Unreadable::No)
            return read;
        if (failed.failure != Unreadable::TooLarge)
            failed = std::move(read);
    }
    if (offered)   // the same bytes decoded again, at full size, would fail the same way
        return failed;
    if (data->hasImage()) {
        const QImage image = qvariant_cast<QImage>(data->imageData());
        return image.isNull() ? failed : ReadPicture {image, image.size(), Unreadable::No};
    }
    return {{}, {}, Unreadable::No};
}

QString sizeText(QSize size)
{
    return QString("%1 x %2").arg(size.width()).arg(size.height());
}

// Why a picture file could not be read; kept tells that the box keeps the picture it had.
void reportUnreadable(const QString& path, const ReadPicture& read, bool kept)
{
    QString text = read.failure == Unreadable::TooLarge
                       ? "Η εικόνα (" + sizeText(read.natural) + ") είναι πολύ μεγάλη για να διαβαστεί:\n"
                       : QString("Το αρχείο δεν είναι εικόνα που μπορεί να διαβαστεί:\n");
    text += QDir::toNativeSeparators(path);
    if (kept)
        text += "\nΗ φωτογραφία του υλικού έμεινε ως είχε.";
    msgbox::MsgBox(text, msgbox::Critical);
}

void reportUnreadableClipboard(const ReadPicture& read)
{
    const QString text =
        read.failure == Unreadable::TooLarge
            ? "Η εικόνα του προχείρου (" + sizeText(read.natural) + ") είναι πολύ μεγάλη για να διαβαστεί."
            : QString("Το πρόχειρο έχει εικόνα που δεν μπορεί να διαβαστεί.");
    msgbox::MsgBox(text + "\nΗ φωτογραφία του υλικού έμεινε ως είχε.", msgbox::Critical);
}

void reportNotStored(const QString& path)
{
    msgbox::MsgBox("Η φωτογραφία δεν αποθηκεύτηκε:\n" + QDir::toNativeSeparators(path), msgbox::Critical);
}

void reportNoFileName(const QString& code)
{
    msgbox::MsgBox("Η φωτογραφία δεν αποθηκεύτηκε: ο κωδικός «" + code
                       + "» δεν έχει γράμματα ή ψηφία για να ονομαστεί το αρχείο της.\n"
                         "Δώστε στο υλικό κωδικό με γράμματα ή ψηφία και αποθηκεύστε ξανά.",
                   msgbox::Exclamation);
}

} // namespace

MaterialPictureBox::MaterialPictureBox(QWidget* parent) : QWidget(parent)
{
    setObjectName("Picture2");
    setAccessibleName("Φωτογραφία");
    units::setBackColor(this, units::RGB(255, 255, 255));
}

void MaterialPictureBox::clear()
{
    setPicture({});
    changed_ = true;
}

void MaterialPictureBox::paste()
{
    const ReadPicture read = readClipboard();
    if (read.failure != Unreadable::No) {
        reportUnreadableClipboard(read);
        return;
    }
    if (read.image.isNull()) {
        clear();
        return;
    }
    const double w1 = units::tw(read.natural.width());
    const double h1 = units::tw(read.natural.height());
    drawScaled(read.image, picture::fitCentred(w1, h1, picture::kBoxTwips, picture::kBoxTwips));
}

bool MaterialPictureBox::loadFile(const QString& path)
{
    const ReadPicture read = readPicture(path, true);
    if (read.failure != Unreadable::No) {
        reportUnreadable(path, read, true);
        return false;
    }
    const double w1 = units::tw(read.natural.width());
    const double h1 = units::tw(read.natural.height());
    drawScaled(read.image, picture::fitTopLeft(w1, h1, picture::kBoxTwips, picture::kBoxTwips));
    return true;
}

void MaterialPictureBox::showFile(const QString& code)
{
    setPicture({});
    changed_ = false;
    shownName_ = picture::fileName(code);
    const QString path = picture::filePath(code);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    ReadPicture read = readPicture(path, false);
    if (read.failure != Unreadable::No) {
        reportUnreadable(path, read, false);
        return;
    }
    setPicture(std::move(read.image));
}

void MaterialPictureBox::saveFile(const QString& code)
{
    const QString name = picture::fileName(code);
    // A new name takes the picture along; without one it leaves the file of that name (which
    // another material may share) alone.
    const bool carried = name != shownName_ && hasPicture();
    if (!(changed_ || carried))
        return;
    if (name.isEmpty()) {
        // A code made only of removed characters names no file: the user is told that its
        // picture is not kept, rather than finding it gone.
        if (hasPicture())
            reportNoFileName(code);
        return;
    }
    const QString path = picture::filePath(code);
    if (hasPicture()) {
        QDir().mkpath(QFileInfo(path).path());
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !picture_.save(&file, "BMP") || !file.commit()) {
            reportNotStored(path);
            return;
        }
    } else if (QFileInfo::exists(path) && !QFile::remove(path)) {
        reportNotStored(path);
        return;
    }
    shownName_ = name;
    changed_ = false;
}

void MaterialPictureBox::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void MaterialPictureBox::drawScaled(const QImage& source, const picture::Placement& placement)
{
    QImage drawing(boxPixels(), QImage::Format_RGB32);
    drawing.fill(Qt::white);
    QPainter painter(&drawing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double perPixel = units::kTwipsPerPixel;
    painter.drawImage(QRectF(placement.x / perPixel, placement.y / perPixel, placement.w / perPixel,
                             placement.h / perPixel),
                      source);
    painter.end();
    setPicture(std::move(drawing));
    changed_ = true;
}

void MaterialPictureBox::setPicture(QImage picture)
{
    picture_ = std::move(picture);
    update();
}

MaterialPictureControls buildPictureControls(QWidget* frame)
{
    MaterialPictureControls c;
    c.Picture2 = new MaterialPictureBox(frame);
    c.Picture2->setGeometry(units::pxRect(2760, 5760, picture::kBoxTwips, picture::kBoxTwips));

    QStyle* style = frame->style();
    const auto button = [&](const QString& name, const QString& tip, int top, const char* theme,
                            QStyle::StandardPixmap fallback) {
        auto* b = new QToolButton(frame);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAccessibleName(tip);
        b->setAutoRaise(true);
        b->setIcon(QIcon::fromTheme(theme, style->standardIcon(fallback)));
        b->setGeometry(units::pxRect(5640, top, 240, 240));
        b->setIconSize(b->size() - QSize(2, 2));
        return b;
    };
    c.ImageXY = button("ImageXY", "Αποκοπή οθόνης", 5640, "applets-screenshooter", QStyle::SP_ComputerIcon);
    c.ImageX[1] = button("ImageX(1)", "clipboard", 6000, "edit-paste", QStyle::SP_FileIcon);
    c.ImageX[0] = button("ImageX(0)", "Clear", 6360, "edit-clear", QStyle::SP_DialogDiscardButton);
    c.ImageX[2] = button("ImageX(2)", "Open", 6720, "document-open", QStyle::SP_DirOpenIcon);
    c.ImageX[3] = button("ImageX(3)", "Clear", 6720, "edit-clear", QStyle::SP_DialogDiscardButton);
    c.ImageX[3]->hide();
    return c;
}
