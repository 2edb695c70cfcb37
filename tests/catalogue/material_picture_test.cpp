#include "catalogue/material_picture.h"
#include "core/globals.h"
#include "support/testenv.h"
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using testenv::DataFolder;

QImage filled(int width, int height, Qt::GlobalColor color = Qt::red)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writePicture(const QString& path, const QImage& image, const char* format = nullptr)
{
    QDir().mkpath(QFileInfo(path).path());
    ASSERT_TRUE(image.save(path, format));
}

QStringList imageFiles()
{
    return QDir(gAppPath + "/myimages").entryList(QDir::Files | QDir::Hidden);
}

// Red within what JPEG compression changes.
bool isRed(const QImage& image, int x, int y)
{
    const QColor c = image.pixelColor(x, y);
    return c.red() > 200 && c.green() < 60 && c.blue() < 60;
}

// The header of a 24-bit bitmap of width x height pixels.
QByteArray bitmapHeader(quint32 width, quint32 height)
{
    QByteArray bytes(54, '\0');
    const auto put32 = [&](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54 + (width * 3 + 3) / 4 * 4 * height);
    put32(10, 54);
    put32(14, 40);
    put32(18, width);
    put32(22, height);
    bytes[26] = 1;
    bytes[28] = 24;
    return bytes;
}

// A bitmap that claims 16384 x 16384 pixels, the most a bitmap may have, and holds none of them.
QByteArray hugeBitmapHeader()
{
    return bitmapHeader(16384, 16384);
}

// A black bitmap of 6000 x 6000 pixels, written as a sparse file: larger than Qt reads
// whole by default, without taking the disk.
void writeLargeBitmap(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bitmapHeader(6000, 6000));
    ASSERT_TRUE(file.resize(54 + qint64(18000) * 6000));
}

// A red PNG of 6000 x 6000 pixels: larger than Qt decodes whole by default, yet small.
const QByteArray& largePng()
{
    static const QByteArray bytes = [] {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        filled(6000, 6000).save(&buffer, "PNG");
        return png;
    }();
    return bytes;
}

// Puts bytes on the clipboard as another program offers a picture: in one image format.
void offerOnClipboard(const QString& format, const QByteArray& bytes)
{
    auto* data = new QMimeData;
    data->setData(format, bytes);
    QApplication::clipboard()->setMimeData(data);
}

} // namespace

TEST(MaterialPicture, PlacementInTwips)
{
    struct Case {
        const char* name;
        bool centred;
        double w1, h1;
        int w, h;
        float x, y;
    };
    const Case cases[] = {
        {"wide, half twip rounds to even", true, 4000, 2000, 2655, 1328, 0, 663.5f},
        {"tall, centred across", true, 1000, 3000, 885, 2655, 885, 0},
        {"square fills the box", true, 1500, 1500, 2655, 2655, 0, 0},
        {"wide from a file, top left", false, 4000, 2000, 2655, 1328, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto fit = c.centred ? picture::fitCentred : picture::fitTopLeft;
        const picture::Placement p = fit(c.w1, c.h1, picture::kBoxTwips, picture::kBoxTwips);
        EXPECT_EQ(p.w, c.w);
        EXPECT_EQ(p.h, c.h);
        EXPECT_FLOAT_EQ(p.x, c.x);
        EXPECT_FLOAT_EQ(p.y, c.y);
    }
}

TEST(MaterialPicture, PasteCentresAndLoadKeepsTopLeft)
{
    DataFolder folder;
    MaterialPictureBox box;
    // 400 x 200 pixels: 177 x 88.5 pixels in the box, 44 pixels from the top when centred.
    QApplication::clipboard()->setImage(filled(400, 200));
    box.paste();
    ASSERT_EQ(box.picture().size(), QSize(177, 177));
    EXPECT_FALSE(isRed(box.picture(), 88, 20));
    EXPECT_TRUE(isRed(box.picture(), 88, 88));
    EXPECT_FALSE(isRed(box.picture(), 88, 160));

    QApplication::clipboard()->setImage(filled(100, 300));
    box.paste();
    EXPECT_FALSE(isRed(box.picture(), 20, 88));
    EXPECT_TRUE(isRed(box.picture(), 88, 88));
    EXPECT_TRUE(isRed(box.picture(), 88, 1));

    const QString file = folder.dataPath() + "/Sxediakuf/wide.jpg";
    writePicture(file, filled(400, 200));
    ASSERT_TRUE(box.loadFile(file));
    EXPECT_TRUE(isRed(box.picture(), 88, 20));
    EXPECT_FALSE(isRed(box.picture(), 88, 160));
}

TEST(MaterialPicture, PasteWithoutAPictureLeavesTheBoxEmpty)
{
    DataFolder folder;
    testenv::Boxes boxes;
    MaterialPictureBox box;
    QApplication::clipboard()->setImage(filled(30, 30));
    box.paste();
    ASSERT_TRUE(box.hasPicture());
    QApplication::clipboard()->setText("no picture here");
    box.paste();
    EXPECT_FALSE(box.hasPicture());
    EXPECT_EQ(boxes.count(), 0);
}

// Large pictures, from a file or as another program puts them on the clipboard, are
// decoded reduced to the box and shown.
TEST(MaterialPicture, LargePicturesAreShownReduced)
{
    DataFolder folder;
    testenv::Boxes boxes;
    const QString png = folder.dataPath() + "/Sxediakuf/large.png";
    writeBytes(png, largePng());
    const QString bmp = folder.dataPath() + "/Sxediakuf/large.bmp";
    writeLargeBitmap(bmp);

    MaterialPictureBox box;
    offerOnClipboard("image/png", largePng());
    box.paste();
    ASSERT_EQ(box.picture().size(), QSize(177, 177));
    EXPECT_TRUE(isRed(box.picture(), 1, 1));
    EXPECT_TRUE(isRed(box.picture(), 175, 175));

    box.clear();
    ASSERT_TRUE(box.loadFile(png));
    EXPECT_TRUE(isRed(box.picture(), 88, 88));
    ASSERT_TRUE(box.loadFile(bmp));
    EXPECT_EQ(box.picture().pixelColor(88, 88), QColor(Qt::black));
    EXPECT_EQ(boxes.count(), 0);
}

// A picture that cannot be read is told, saying why, and the box keeps the picture it had,
// so that a save keeps the stored one.
TEST(MaterialPicture, UnreadablePicturesAreToldAndTheBoxKeepsItsPicture)
{
    DataFolder folder;
    const struct {
        const char* name;
        QByteArray bytes;
        QString why;
    } cases[] = {
        {"not a picture", "just some text", "δεν"},
        {"huge picture", hugeBitmapHeader(), "(16384 x 16384) είναι πολύ μεγάλη"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testenv::Boxes boxes;
        MaterialPictureBox box;
        QApplication::clipboard()->setImage(filled(30, 30));
        box.paste();
        const QImage before = box.picture();

        const QString path = folder.dataPath() + "/Sxediakuf/file.bmp";
        writeBytes(path, c.bytes);
        EXPECT_FALSE(box.loadFile(path));
        EXPECT_EQ(box.picture(), before);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().text.contains(QDir::toNativeSeparators(path)));
        EXPECT_TRUE(boxes.last().text.contains(c.why)) << boxes.last().text.toStdString();

        offerOnClipboard("image/bmp", c.bytes);
        box.paste();
        EXPECT_EQ(box.picture(), before);
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_TRUE(boxes.last().text.contains("προχείρου") || boxes.last().text.contains("πρόχειρο"));
        EXPECT_TRUE(boxes.last().text.contains(c.why)) << boxes.last().text.toStdString();

        // The same file as a material's stored picture: shown empty, one message, and kept.
        const QString stored = picture::filePath("A1");
        writeBytes(stored, c.bytes);
        boxes.clear();
        box.showFile("A1");
        EXPECT_FALSE(box.hasPicture());
        EXPECT_EQ(boxes.count(), 1);
        box.saveFile("A1");
        EXPECT_EQ(fileBytes(stored), c.bytes);
    }
}

TEST(MaterialPicture, CodesThatNormaliseAlikeShareOneFileAndEmptyNamesNone)
{
    DataFolder folder;
    testenv::Boxes boxes;
    EXPECT_EQ(picture::filePath("ab-12"), gAppPath + "/myimages/AB12.bmp");
    EXPECT_EQ(picture::filePath("AB 12"), picture::filePath("ab-12"));
    EXPECT_EQ(picture::fileName("ab-12"), "AB12");

    MaterialPictureBox box;
    box.showFile("ab-12");
    QApplication::clipboard()->setImage(filled(50, 50));
    box.paste();
    box.saveFile("ab-12");
    MaterialPictureBox other;
    other.showFile("AB 12");
    EXPECT_EQ(other.picture(), box.picture());

    // A code of removed characters only: no ".bmp" is read, written or deleted.
    const QByteArray shared = fileBytes(picture::filePath("ab-12"));
    writeBytes(gAppPath + "/myimages/.bmp", shared);
    other.showFile("- ./");
    EXPECT_FALSE(other.hasPicture());
    EXPECT_EQ(boxes.count(), 0);
    other.paste();
    other.saveFile("- ./");
    // The picture that is not kept is told, naming the code.
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("«- ./»"));
    other.clear();
    other.saveFile("- ./");
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(fileBytes(gAppPath + "/myimages/.bmp"), shared);
    EXPECT_EQ(imageFiles(), (QStringList{".bmp", "AB12.bmp"}));

    // Given a code with a name afterwards, the picture is kept under it.
    other.paste();
    other.saveFile("---");
    EXPECT_EQ(boxes.count(), 2);
    other.saveFile("C-3");
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(imageFiles(), (QStringList{".bmp", "AB12.bmp", "C3.bmp"}));
}

TEST(MaterialPicture, SaveWritesOrDeletesOnlyWhatChanged)
{
    DataFolder folder;
    testenv::Boxes boxes;
    // Stored in another format than the one written, so that any rewrite shows.
    const QString a1 = picture::filePath("A1");
    writePicture(a1, filled(400, 300, Qt::blue), "PNG");
    const QByteArray stored = fileBytes(a1);
    MaterialPictureBox box;

    // Shown and saved unchanged: a picture larger than the box is left as it is.
    box.showFile("A1");
    ASSERT_EQ(box.picture().size(), QSize(400, 300));
    box.saveFile("A1");
    EXPECT_EQ(fileBytes(a1), stored);

    // A new code takes the whole picture along; the old file stays.
    box.saveFile("B2");
    EXPECT_EQ(QImage(picture::filePath("B2")).size(), QSize(400, 300));
    EXPECT_EQ(fileBytes(a1), stored);
    // A material without a picture renamed onto an existing file leaves that file alone.
    MaterialPictureBox empty;
    empty.showFile("C3");
    empty.saveFile("B2");
    EXPECT_TRUE(QFile::exists(picture::filePath("B2")));

    // A pasted picture is written as the box's drawing, through no leftover file.
    box.showFile("A1");
    QApplication::clipboard()->setImage(filled(60, 60));
    box.paste();
    box.saveFile("A1");
    const QImage written(a1);
    EXPECT_EQ(written.size(), QSize(177, 177));
    EXPECT_TRUE(isRed(written, 88, 88));
    EXPECT_EQ(QImageReader(a1).format(), "bmp");

    // Cleared and saved: the file is gone.
    box.showFile("A1");
    box.clear();
    box.saveFile("A1");
    EXPECT_FALSE(QFile::exists(a1));
    EXPECT_EQ(imageFiles(), QStringList{"B2.bmp"});
    EXPECT_EQ(boxes.count(), 0);
}
