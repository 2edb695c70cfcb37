#include "catalogue/material_picture.h"
#include "core/globals.h"
#include "support/testenv.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
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

// The header of a bitmap that claims 60000 x 60000 pixels and holds none of them.
QByteArray hugeBitmapHeader()
{
    QByteArray bytes(54, '\0');
    const auto put32 = [&](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = char((value >> (8 * i)) & 0xFF);
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, 60000);
    put32(22, 60000);
    bytes[26] = 1;
    bytes[28] = 24;
    return bytes;
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

TEST(MaterialPicture, UnreadableFilesLeaveTheBoxEmptyWithOneMessage)
{
    DataFolder folder;
    const struct {
        const char* name;
        QByteArray bytes;
    } files[] = {
        {"not a picture", "just some text"},
        {"huge picture", hugeBitmapHeader()},
    };
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        testenv::Boxes boxes;
        const QString path = folder.dataPath() + "/Sxediakuf/file.bmp";
        writeBytes(path, f.bytes);
        MaterialPictureBox box;
        QApplication::clipboard()->setImage(filled(30, 30));
        box.paste();
        EXPECT_FALSE(box.loadFile(path));
        EXPECT_FALSE(box.hasPicture());
        EXPECT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().text.contains(QDir::toNativeSeparators(path)));

        // The same file as a material's stored picture: shown empty, one message, and kept.
        const QString stored = picture::filePath("A1");
        writeBytes(stored, f.bytes);
        boxes.clear();
        box.showFile("A1");
        EXPECT_FALSE(box.hasPicture());
        EXPECT_EQ(boxes.count(), 1);
        box.saveFile("A1");
        EXPECT_EQ(fileBytes(stored), f.bytes);
    }
}

TEST(MaterialPicture, CodesThatNormaliseAlikeShareOneFileAndEmptyNamesNone)
{
    DataFolder folder;
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
    other.paste();
    other.saveFile("- ./");
    other.clear();
    other.saveFile("- ./");
    EXPECT_EQ(fileBytes(gAppPath + "/myimages/.bmp"), shared);
    EXPECT_EQ(imageFiles(), (QStringList{".bmp", "AB12.bmp"}));
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
