#include "core/gridoutput.h"
#include "core/helpers.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "platform/printerpage.h"
#include "platform/workbook.h"
#include "support/readback.h"
#include "support/testenv.h"
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <stdexcept>

namespace {

using namespace gridoutput;

bool allFlagsOn()
{
    for (qint16 flag : gColumnSelected) {
        if (flag != -1)
            return false;
    }
    return true;
}

// A grid shaped like the order sheet: 12 columns, code, description and quantity in 0, 1, 11.
void fillSheet(FlexGrid& grid, int dataRows)
{
    grid.setCols(12);
    grid.setRows(dataRows + 1);
    grid.setTextMatrix(0, 0, "Κωδικός");
    grid.setTextMatrix(0, 1, "Περιγραφή");
    grid.setTextMatrix(0, 11, "Ποσότητα");
    for (int r = 1; r <= dataRows; ++r) {
        grid.setTextMatrix(r, 0, QString("C%1").arg(r, 3, 10, QChar('0')));
        grid.setTextMatrix(r, 1, QString("  Item %1  ").arg(r));
        grid.setTextMatrix(r, 5, "hidden");
        grid.setTextMatrix(r, 11, QString("%1,5").arg(r));
    }
}

WorkbookLayout sheetLayout()
{
    WorkbookLayout layout;
    layout.columnWidths = {18, 54, 10};
    layout.numericColumns = {11};
    layout.cellBorders = true;
    layout.oddRowFill = QColor(220, 220, 220);
    layout.evenRowFill = QColor(255, 255, 255);
    layout.header = "Παραγγελία υλικών - Σελίδα ";
    layout.headerPageNumber = true;
    layout.rowsPerPage = 50;
    return layout;
}

PrintLayout sheetPrint()
{
    PrintLayout layout;
    layout.fontName = "Arial";
    layout.fontSize = 11;
    layout.columns = {{0, 200}, {1, 2500, true}, {11, 9500}};
    layout.trimTexts = true;
    layout.pageTitle = "    Παραγγελία υλικών - Σελίδα ";
    layout.rowsPerPage = 50;
    return layout;
}

class GridOutput : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece)); }
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        SelectAllColumns();
    }
    testenv::Boxes boxes;
    QTemporaryDir dir;
};

TEST_F(GridOutput, FlagsComeBackOnHoweverTheOutputEnds)
{
    try {
        const ColumnFlagsGuard flags(3, 16);
        EXPECT_EQ(gColumnSelected[2], -1);
        EXPECT_EQ(gColumnSelected[3], 0);
        EXPECT_EQ(gColumnSelected[16], 0);
        EXPECT_EQ(gColumnSelected[17], -1);
        throw std::runtime_error("the output failed midway");
    } catch (const std::runtime_error&) {
    }
    EXPECT_TRUE(allFlagsOn());
}

TEST_F(GridOutput, WorkbookFollowsTheLayout)
{
    FlexGrid grid;
    fillSheet(grid, 119);
    grid.setTextMatrix(7, 11, "λίγο");   // an edited quantity that is no number
    const ColumnFlagsGuard flags(2, 10);
    const QString path = dir.filePath("s.xlsx");
    buildWorkbook(grid, sheetLayout()).save(path);
    const readback::XlsxSheet sheet(path);

    EXPECT_EQ(sheet.lastRow(), 120);
    EXPECT_EQ(sheet.cell("A1").text, "Κωδικός");
    EXPECT_EQ(sheet.cell("C1").text, "Ποσότητα");
    EXPECT_FALSE(sheet.cell("C1").number);
    EXPECT_EQ(sheet.cell("A2").text, "C001");
    EXPECT_FALSE(sheet.cell("A2").number);
    EXPECT_EQ(sheet.cell("B2").text, "  Item 1  ");
    EXPECT_TRUE(sheet.cell("C2").number);
    EXPECT_DOUBLE_EQ(sheet.cell("C2").text.toDouble(), 1.5);
    EXPECT_EQ(sheet.cell("C8").text, "λίγο");
    EXPECT_FALSE(sheet.hasCell("D2"));   // the hidden column 5 was not flagged
    EXPECT_EQ(int(sheet.columnWidth(1)), 18);
    EXPECT_EQ(int(sheet.columnWidth(2)), 54);
    EXPECT_EQ(int(sheet.columnWidth(3)), 10);
    EXPECT_EQ(sheet.breaksBefore(), (QVector<int> {51, 101}));
    EXPECT_EQ(sheet.header(), "&CΠαραγγελία υλικών - Σελίδα &P");
    for (const char* ref : {"A1", "C1", "B2", "C120"}) {
        EXPECT_TRUE(sheet.cell(ref).border) << ref;
    }
    EXPECT_EQ(sheet.cell("A1").fill, QColor(220, 220, 220));
    EXPECT_EQ(sheet.rowFill(1), QColor(220, 220, 220));
    EXPECT_EQ(sheet.cell("B2").fill, QColor(255, 255, 255));
    EXPECT_EQ(sheet.cell("C3").fill, QColor(220, 220, 220));
}

TEST_F(GridOutput, ExportOpensTheFileOrNamesIt)
{
    FlexGrid grid;
    fillSheet(grid, 2);
    for (const bool opens : {true, false}) {
        QUrl opened;
        const desktop::OpenerGuard opener([&](const QUrl& url) {
            opened = url;
            return opens;
        });
        boxes.clear();
        const QString path = exportToWorkbook(grid, sheetLayout());
        ASSERT_FALSE(path.isEmpty());
        EXPECT_EQ(opened.toLocalFile(), path);
        EXPECT_EQ(readback::XlsxSheet(path).cell("A3").text, "C002");
        if (opens) {
            EXPECT_EQ(boxes.count(), 0);
        } else {
            ASSERT_EQ(boxes.count(), 1);
            EXPECT_TRUE(boxes.last().text.contains(path));
        }
        QFile::remove(path);
    }
}

TEST_F(GridOutput, WorkbookThatCannotBeWrittenIsTold)
{
    FlexGrid grid;
    fillSheet(grid, 2);
    // A temporary "folder" that is a file: no new file can be made in it.
    QFile notAFolder(dir.filePath("file"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", notAFolder.fileName().toLocal8Bit());
    bool opened = false;
    const desktop::OpenerGuard opener([&](const QUrl&) { return opened = true; });
    const QString path = exportToWorkbook(grid, sheetLayout());
    qputenv("TMPDIR", tmp);
    EXPECT_TRUE(path.isEmpty());
    EXPECT_FALSE(opened);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().style, 16);
}

TEST_F(GridOutput, PrintoutHasATitledPageForEveryFiftyRows)
{
    FlexGrid grid;
    fillSheet(grid, 119);
    const QString path = dir.filePath("s.pdf");
    {
        const PrinterPage::PdfRedirect redirect(path);
        EXPECT_TRUE(printGrid(grid, sheetPrint(), "order"));
    }
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(readback::pdfPageCount(path), 3);
    const QStringList pages = readback::pdfText(path).split('\f');
    for (int p = 0; p < 3; ++p) {
        const QStringList lines = pages[p].split('\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines[0].trimmed(), QString("Παραγγελία υλικών - Σελίδα %1").arg(p + 1));
        const int first = p == 0 ? 1 : 50 * p;   // page 1 starts with the header row
        const QString firstRow = p == 0 ? "Κωδικός" : QString("C%1").arg(first, 3, 10, QChar('0'));
        EXPECT_TRUE(lines[1].trimmed().startsWith(firstRow)) << lines[1].toStdString();
        EXPECT_EQ(lines.size(), 1 + (p < 2 ? 50 : 20));
    }
    // The trimmed description stands at its x.
    for (const readback::PdfWord& word : readback::pdfWords(path)) {
        if (word.text == "Item") {
            EXPECT_NEAR(word.x, 567 + 2500, 30);
        }
    }
}

// The words printed on the line of the word that starts with the given text, left to right.
QVector<readback::PdfWord> lineOf(const QVector<readback::PdfWord>& words, const QString& start)
{
    const auto first = std::find_if(words.begin(), words.end(),
                                    [&](const readback::PdfWord& w) { return w.text.startsWith(start); });
    if (first == words.end())
        return {};
    QVector<readback::PdfWord> line;
    for (const readback::PdfWord& w : words) {
        if (w.page == first->page && std::abs(w.y - first->y) < 60)
            line << w;
    }
    std::sort(line.begin(), line.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    return line;
}

QString joined(const QVector<readback::PdfWord>& words)
{
    QStringList texts;
    for (const readback::PdfWord& w : words)
        texts << w.text;
    return texts.join(' ');
}

// Codes and quantities print whole; a code that runs into the description moves it along;
// only the description is shortened, and only where it would run into the next column.
TEST_F(GridOutput, CodesAndQuantitiesPrintWholeOnlyDescriptionsAreShortened)
{
    struct Case {
        QString code, description, quantity;
        bool shortened;
    };
    const QString longDescription = QString("Προφίλ αλουμινίου θερμοδιακοπής ").repeated(4).trimmed();
    const Case cases[] = {
        {"C1", "Βίδα", "5", false},
        {"ABCDEFGHJKLMNPQRSTUV", "Προφίλ αλουμινίου", "12,5", false},
        {"C3", longDescription, "1234567,25", true},
        {"DEFGHJKLMNPQRSTUVWXY", longDescription, "7", true},
        {QString(48, 'W'), "Ζάντα", "8", true},   // past the quantity's x: it moves on
    };
    FlexGrid grid;
    grid.setCols(12);
    grid.setRows(int(std::size(cases)) + 1);
    for (int r = 1; r < grid.Rows(); ++r) {
        const Case& c = cases[r - 1];
        grid.setTextMatrix(r, 0, c.code);
        grid.setTextMatrix(r, 1, c.description);
        grid.setTextMatrix(r, 11, c.quantity);
    }
    const QString path = dir.filePath("w.pdf");
    {
        const PrinterPage::PdfRedirect redirect(path);
        ASSERT_TRUE(printGrid(grid, sheetPrint(), "order"));
    }
    constexpr int kMarginTw = 567;
    const QVector<readback::PdfWord> words = readback::pdfWords(path);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code.toStdString());
        const QVector<readback::PdfWord> line = lineOf(words, c.code.left(20));
        ASSERT_GE(line.size(), 2);
        const readback::PdfWord& code = line.front();
        const readback::PdfWord& quantity = line.back();
        EXPECT_EQ(code.text, c.code);
        EXPECT_EQ(quantity.text, c.quantity);
        EXPECT_NEAR(code.x - kMarginTw, 200, 30);
        EXPECT_GE(quantity.x - kMarginTw, 9500 - 30);
        const QVector<readback::PdfWord> description = line.mid(1, line.size() - 2);
        const QString printed = joined(description);
        if (!c.shortened) {
            EXPECT_EQ(printed, c.description);
        } else if (!printed.isEmpty()) {
            EXPECT_TRUE(printed.endsWith("…")) << printed.toStdString();
            EXPECT_TRUE(c.description.startsWith(printed.chopped(1)));
        }
        if (!description.isEmpty()) {
            EXPECT_GE(description.front().x - kMarginTw, 2500 - 30);
            EXPECT_GT(description.front().x, code.right);
            EXPECT_LT(description.back().right, quantity.x);
        }
        if (c.code.size() <= 2) {
            EXPECT_NEAR(quantity.x - kMarginTw, 9500, 30);
        }
        EXPECT_GT(quantity.x, code.right);
    }
}

TEST_F(GridOutput, NoPrinterIsToldAndNothingPrints)
{
    FlexGrid grid;
    fillSheet(grid, 2);
    const PrinterPage::InstalledPrinters none({});
    EXPECT_FALSE(printGrid(grid, sheetPrint(), "order"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_TRUE(boxes.last().text.contains("εκτυπωτής"));
}

TEST_F(GridOutput, TextsAreClippedToTheirColumn)
{
    auto page = PrinterPage::pdf(dir.filePath("c.pdf"));
    page->setFontName("Arial");
    page->setFontSize(9);
    const QString longText = QString("ΑΛΟΥΜΙΝΙΟ ΠΡΟΦΙΛ ").repeated(10);
    const QString clipped = clipText(*page, longText, 3000);
    EXPECT_TRUE(clipped.endsWith("…"));
    EXPECT_LE(page->TextWidth(clipped), 3000);
    EXPECT_GT(page->TextWidth(clipped + "ΑΑ"), 3000);
    EXPECT_TRUE(longText.startsWith(clipped.chopped(1)));
    EXPECT_EQ(clipText(*page, "short", 3000), "short");
    // At the edge the exact width decides.
    const QString edge = "ΠΡΟΦΙΛ ΑΛΟΥΜΙΝΙΟΥ 40";
    EXPECT_EQ(clipText(*page, edge, page->TextWidth(edge)), edge);
    EXPECT_TRUE(clipText(*page, edge, page->TextWidth(edge) - 15).endsWith("…"));
    EXPECT_EQ(clipText(*page, "two\r\nlines", 3000), "two  lines");
    page->EndDoc();
}

} // namespace
