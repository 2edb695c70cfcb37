#include "platform/workbook.h"
#include "support/readback.h"
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(Workbook, WritesValuesLayoutAndCombinedFormats)
{
    Workbook book;
    book.setText(1, 1, "0007");
    book.setNumber(1, 2, 6.4);
    book.setText(2, 1, "Λάστιχο & βίδα");
    book.setColumnWidth(1, 5);
    book.setColumnWidth(2, 51);
    book.setCenterHeader("Α & Β - Σελίδα ", true);
    book.addPageBreakBefore(51);
    book.addPageBreakBefore(101);
    // The border goes on first, the row's fill after it: the cell keeps both.
    book.setBorder(1, 1);
    book.setRowFill(1, QColor(220, 220, 220));
    book.setRowFill(2, QColor(255, 255, 255));

    QTemporaryDir dir;
    const QString path = dir.filePath("b.xlsx");
    book.save(path);
    const readback::XlsxSheet sheet(path);

    EXPECT_EQ(sheet.cell("A1").text, "0007");
    EXPECT_FALSE(sheet.cell("A1").number);
    EXPECT_TRUE(sheet.cell("B1").number);
    EXPECT_DOUBLE_EQ(sheet.cell("B1").text.toDouble(), 6.4);
    EXPECT_EQ(sheet.cell("A2").text, "Λάστιχο & βίδα");
    EXPECT_EQ(int(sheet.columnWidth(1)), 5);
    EXPECT_EQ(int(sheet.columnWidth(2)), 51);
    EXPECT_EQ(sheet.header(), "&CΑ && Β - Σελίδα &P");
    EXPECT_EQ(sheet.breaksBefore(), (QVector<int> {51, 101}));

    EXPECT_TRUE(sheet.cell("A1").border);
    EXPECT_EQ(sheet.cell("A1").fill, QColor(220, 220, 220));
    EXPECT_FALSE(sheet.cell("B1").border);
    EXPECT_EQ(sheet.cell("B1").fill, QColor(220, 220, 220));
    EXPECT_EQ(sheet.rowFill(1), QColor(220, 220, 220));
    EXPECT_EQ(sheet.cell("A2").fill, QColor(255, 255, 255));
}

TEST(Workbook, FileThatCannotBeWrittenIsAnErrorThatNamesTheFileAndTheCause)
{
    const std::pair<QString, QString> cases[] = {
        {"/nonexistent-folder-of-tarmel/b.xlsx", "Το αρχείο ή ο φάκελος δεν υπάρχει."},
        {"/dev/full", "Ο δίσκος είναι γεμάτος."},   // every write to it fails as on a full disk
    };
    for (const auto& [path, cause] : cases) {
        Workbook book;
        book.setText(1, 1, "x");
        try {
            book.save(path);
            ADD_FAILURE() << "no error for " << path.toStdString();
        } catch (const WorkbookError& error) {
            EXPECT_EQ(QString::fromStdString(error.what()), "Το αρχείο \"" + path + "\" δεν γράφτηκε: " + cause);
        }
    }
}

TEST(Workbook, MissingTemporaryFolderIsAnErrorNotAFileElsewhere)
{
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent-folder-of-tarmel");
    Workbook book;
    book.setText(1, 1, "x");
    EXPECT_THROW(book.saveToTemporaryFile(), WorkbookError);
    qputenv("TMPDIR", tmp);
    EXPECT_TRUE(QDir("/").entryList({"tarmel-*.xlsx"}, QDir::Files).isEmpty());
}

TEST(Workbook, TemporaryFileIsNewEachTime)
{
    Workbook book;
    book.setText(1, 1, "x");
    const QString first = book.saveToTemporaryFile();
    const QString second = book.saveToTemporaryFile();
    EXPECT_NE(first, second);
    EXPECT_EQ(QFileInfo(first).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
    EXPECT_TRUE(first.endsWith(".xlsx"));
    EXPECT_EQ(readback::XlsxSheet(second).cell("A1").text, "x");
    QFile::remove(first);
    QFile::remove(second);
}

} // namespace
