#include "catalogue/form3.h"
#include "catalogue/material_picture.h"
#include "core/globals.h"
#include "platform/filedialog.h"
#include "platform/flexgrid.h"
#include "platform/screenclip.h"
#include "support/testenv.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

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

// The materials window inside a main window of its own, with the given materials listed.
struct Fixture {
    DataFolder folder;
    testenv::Boxes boxes;
    QWidget main;
    Form3* form = nullptr;

    explicit Fixture(const QStringList& codes)
    {
        for (const QString& code : codes)
            DataFolder::exec(gConnStock, "insert into protesyles (Perigrafi, kodikos) values ('Item " + code +
                                             "', '" + code + "')");
        form = new Form3(&main);
        main.show();
    }

    // Modify on a list row.
    void modify(int row)
    {
        form->MSFlexGrid1->setRow(row);
        form->Command2_Click();
    }
};

} // namespace

TEST(Form3Picture, ModifyShowsThePictureAndSaveWritesOrDeletesIt)
{
    Fixture f({"ab-12", "X9"});
    const QString shared = gAppPath + "/myimages/AB12.bmp";
    ASSERT_TRUE(filled(400, 300, Qt::blue).save(shared, "PNG"));
    const QByteArray stored = fileBytes(shared);

    f.modify(1);
    EXPECT_EQ(f.form->Label1[18]->text(), "AB12");
    EXPECT_EQ(f.form->Picture2->picture().size(), QSize(400, 300));
    EXPECT_FALSE(f.form->ImageX[1]->isHidden());
    // An unchanged save leaves the larger stored picture alone.
    f.form->Command7_Click();
    EXPECT_EQ(fileBytes(shared), stored);

    // The same code written otherwise shares the file.
    f.form->setText1(1, "AB 12");
    f.form->Command7_Click();
    EXPECT_EQ(fileBytes(shared), stored);

    QApplication::clipboard()->setImage(filled(60, 60));
    f.form->ImageX[1]->click();
    f.form->Command7_Click();
    EXPECT_EQ(QImage(shared).size(), QSize(177, 177));

    f.form->ImageX[0]->click();
    f.form->Command7_Click();
    EXPECT_FALSE(QFile::exists(shared));
    EXPECT_EQ(f.boxes.count(), 0);
}

TEST(Form3Picture, ANewMaterialWritesNoPicture)
{
    Fixture f({"X9"});
    f.modify(1);
    f.form->Command4_Click();
    EXPECT_TRUE(f.form->ImageX[1]->isHidden());
    EXPECT_FALSE(f.form->Picture2->hasPicture());
    f.form->setText1(0, "New item");
    f.form->setText1(1, "N1");
    QApplication::clipboard()->setImage(filled(60, 60));
    f.form->ImageX_Click(1);
    ASSERT_TRUE(f.form->Picture2->hasPicture());
    f.form->Command7_Click();
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from protesyles where kodikos='N1'").toInt(), 1);
    EXPECT_EQ(QDir(gAppPath + "/myimages").entryList(QDir::Files), QStringList());
}

TEST(Form3Picture, OpenAsksForAPictureFileAndLoadsIt)
{
    Fixture f({"X9"});
    f.modify(1);
    const QString file = f.folder.dataPath() + "/Sxediakuf/wide.bmp";
    QDir().mkpath(QFileInfo(file).path());
    ASSERT_TRUE(filled(400, 200).save(file));
    QVector<filedialog::Request> asked;
    QString answer = "  " + file + "  ";
    const filedialog::ChooserGuard chooser([&](const filedialog::Request& request) {
        asked << request;
        return answer;
    });

    f.form->ImageX[2]->click();
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].title, "Search picture");
    EXPECT_EQ(asked[0].folder, f.folder.dataPath() + "/Sxediakuf");
    EXPECT_EQ(asked[0].description, "Picture File (jpg, bmp)");
    EXPECT_EQ(asked[0].patterns, "*.jpg;*.bmp");
    ASSERT_TRUE(f.form->Picture2->hasPicture());
    EXPECT_EQ(f.form->Picture2->picture().pixelColor(88, 20), QColor(Qt::red));
    EXPECT_EQ(f.form->Picture2->picture().pixelColor(88, 160), QColor(Qt::white));

    // Cancelled: the box stays cleared.
    answer.clear();
    f.form->ImageX[2]->click();
    EXPECT_FALSE(f.form->Picture2->hasPicture());
    EXPECT_EQ(f.boxes.count(), 0);
}

TEST(Form3Picture, ScreenClip)
{
    Fixture f({"X9"});
    f.modify(1);
    {
        // No tool: the message, over a main window that was never minimised.
        const screenclip::ToolsGuard none({screenclip::Tool{"tarmel-no-such-tool", {}}});
        QApplication::clipboard()->setImage(filled(60, 60));
        f.form->ImageXY->click();
        ASSERT_EQ(f.boxes.count(), 1);
        EXPECT_EQ(f.boxes.last().text, "Αποτυχία εκκίνησης του Snip & Sketch.");
        EXPECT_EQ(f.boxes.last().style, 0);
        EXPECT_EQ(f.boxes.last().title, "tarmel");
        EXPECT_EQ(f.main.windowState(), Qt::WindowNoState);
    }
    {
        // The clip arrives while the main window is minimised, and is pasted.
        const screenclip::ToolsGuard tool({{"sh", {"-c", "exec sleep 1"}}});
        bool minimised = false;
        QTimer::singleShot(100, [&] {
            minimised = f.main.isMinimized();
            QApplication::clipboard()->setImage(filled(60, 60));
        });
        f.form->ImageXY->click();
        EXPECT_TRUE(minimised);
        EXPECT_FALSE(f.main.isMinimized());
        EXPECT_TRUE(f.form->Picture2->hasPicture());
    }
    {
        // Restored without a clip: the box is left cleared.
        const screenclip::ToolsGuard tool({{"sh", {"-c", "exec sleep 5"}}});
        QTimer::singleShot(100, [&] { f.main.showNormal(); });
        f.form->ImageXY->click();
        EXPECT_FALSE(f.form->Picture2->hasPicture());
    }
    EXPECT_EQ(f.boxes.count(), 1);
}

// A pasted or opened picture that cannot be read leaves the shown picture, so that Save
// keeps the stored file.
TEST(Form3Picture, APictureThatCannotBeReadKeepsTheStoredOne)
{
    Fixture f({"X9"});
    const QString stored = gAppPath + "/myimages/X9.bmp";
    ASSERT_TRUE(filled(177, 177, Qt::blue).save(stored, "BMP"));
    const QByteArray before = fileBytes(stored);
    f.modify(1);
    ASSERT_TRUE(f.form->Picture2->hasPicture());

    auto* data = new QMimeData;
    data->setData("image/png", "no picture in these bytes");
    QApplication::clipboard()->setMimeData(data);
    f.form->ImageX[1]->click();
    const QString file = f.folder.dataPath() + "/Sxediakuf/broken.jpg";
    QDir().mkpath(QFileInfo(file).path());
    QFile broken(file);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("no picture either");
    broken.close();
    const filedialog::ChooserGuard chooser([&](const filedialog::Request&) { return file; });
    f.form->ImageX[2]->click();
    EXPECT_EQ(f.boxes.count(), 2);

    ASSERT_TRUE(f.form->Picture2->hasPicture());
    f.form->Command7_Click();
    EXPECT_EQ(fileBytes(stored), before);
}
