// The order sheet: opening from the job window, the fill by class and supplier, the order
// quantity, the in-place editor, the sheet outliving its job window, and its outputs.

#include "movements/jobfixture.h"

#include "controls/xpbutton.h"
#include "core/helpers.h"
#include "core/mdiform1.h"
#include "movements/form7.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "platform/printerpage.h"
#include "platform/units.h"
#include "support/readback.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

using jobtest::jobLine;

namespace {

bool allFlagsOn()
{
    return std::all_of(gColumnSelected.begin(), gColumnSelected.end(), [](qint16 flag) { return flag != 0; });
}

class OrderSheet : public jobtest::JobTest {
protected:
    void TearDown() override
    {
        delete Form7::instance();
        JobTest::TearDown();
    }

    // Ticks exactly the given class boxes (needed "!", shortage "X", sufficient) and
    // presses the job window's Order button.
    static Form7* order(Form1* job, std::array<bool, 3> classes = {true, true, true})
    {
        for (int i = 0; i < 3; ++i)
            job->Check2[i]->setChecked(classes[std::size_t(i)]);
        job->XPButton2_Click();
        return Form7::instance();
    }
    static QStringList column(const Form7* sheet, int col)
    {
        QStringList texts;
        for (int r = 1; r < sheet->MSFlexGrid5->Rows(); ++r)
            texts << sheet->MSFlexGrid5->TextMatrix(r, col);
        return texts;
    }
    // A user's left click on a cell of the sheet.
    static void clickCell(Form7* sheet, int row, int col)
    {
        QCoreApplication::processEvents();   // the row heights laid out
        FlexGrid* grid = sheet->MSFlexGrid5;
        const QPoint pos(grid->columnViewportPosition(col) + grid->columnWidth(col) / 2,
                         grid->rowViewportPosition(row) + grid->rowHeight(row) / 2);
        for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QMouseEvent event(type, pos, grid->viewport()->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
            QApplication::sendEvent(grid->viewport(), &event);
        }
    }
    static void typeKey(QWidget* target, int key, const QString& text = {})
    {
        for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, key, Qt::NoModifier, text);
            QApplication::sendEvent(target, &event);
        }
    }
};

TEST_F(OrderSheet, OrderQuantityIsTheLargerOfMinimumPlusRequiredAndTheStandard)
{
    struct Case {
        const char* code;
        double minimum, standard;
        const char* required;
        const char* order;
    };
    const Case cases[] = {
        {"SMALLER", 5, 12, "4", "12"},
        {"GREATER", 5, 12, "10", "15"},
        {"TIE", 2, 12, "10", "12"},
        {"NOSTANDARD", 0, 0, "7", "7"},
        {"FRACTION", 1.5, 2, "0,75", "2,25"},
        {"NEGATIVE", 3, 1, "-1", "2"},
    };
    QStringList lines;
    for (const Case& c : cases) {
        addMaterial(c.code, 100, c.minimum, true, c.standard);
        lines << jobLine(c.code, QString("Περιγραφή ") + c.code, c.required);
    }
    Form1* job = importJob(lines);
    ASSERT_NE(job, nullptr);
    Form7* sheet = order(job);
    ASSERT_NE(sheet, nullptr);
    ASSERT_EQ(sheet->MSFlexGrid5->Rows(), 1 + int(std::size(cases)));
    for (int r = 1; r < sheet->MSFlexGrid5->Rows(); ++r) {
        const Case& c = cases[r - 1];
        SCOPED_TRACE(c.code);
        EXPECT_EQ(sheet->MSFlexGrid5->TextMatrix(r, Form7::ColCode), c.code);
        EXPECT_EQ(sheet->MSFlexGrid5->TextMatrix(r, Form7::ColDescription), QString("Περιγραφή ") + c.code);
        EXPECT_EQ(sheet->MSFlexGrid5->TextMatrix(r, Form7::ColQuantity), c.required);
        EXPECT_EQ(sheet->MSFlexGrid5->TextMatrix(r, Form7::ColOrder), c.order);
        EXPECT_EQ(sheet->MSFlexGrid5->RowHeight(r), 315);
    }
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(OrderSheet, LayoutOfTheSheet)
{
    addMaterial("A", 10, 0);
    Form1* job = importJob({jobLine("A", "a", "1")});
    ASSERT_NE(job, nullptr);
    Form7* sheet = order(job);
    ASSERT_NE(sheet, nullptr);
    const FlexGrid* grid = sheet->MSFlexGrid5;
    EXPECT_EQ(grid->geometry(), units::pxRect(120, 840, 12135, 9495));
    ASSERT_EQ(grid->Cols(), 12);
    const int widths[] = {2300, 7000, 1200, 1, 1, 1, 1, 1, 1, 1, 1, 1200};
    const char* headers[] = {"KODIKOS", "PERIGRAFI", "Απαιτούνται", "EIDOS", "", "Stock", "Min", "Rest",
                             "X", "Order", "IDpro", "Παραγγελία"};
    for (int c = 0; c < 12; ++c) {
        EXPECT_EQ(grid->ColWidth(c), widths[c]) << c;
        EXPECT_EQ(grid->TextMatrix(0, c), headers[c]) << c;
    }
    EXPECT_EQ(grid->ColAlignment(Form7::ColCode), 1);
    EXPECT_EQ(grid->ColAlignment(Form7::ColDescription), 1);
    EXPECT_EQ(grid->ColAlignment(Form7::ColQuantity), 7);
    EXPECT_EQ(grid->ColAlignment(Form7::ColKind), 7);
    EXPECT_EQ(grid->RowHeight(0), 315);
    EXPECT_EQ(grid->ForeColor(), 0x400000u);
    EXPECT_EQ(sheet->Combo5->geometry().topLeft(), units::pxPoint(1800, 240));
    EXPECT_EQ(sheet->Combo5->currentIndex(), 0);
    EXPECT_EQ(sheet->Combo5->currentText(), " - ");
    EXPECT_EQ(sheet->Combo5->count(), 31);   // " - " and the template's 30 suppliers
    EXPECT_EQ(sheet->XPButton4->geometry(), units::pxRect(12600, 840, 2175, 1215));
    EXPECT_EQ(sheet->XPButton1->geometry(), units::pxRect(12600, 2160, 2175, 1215));
    EXPECT_EQ(sheet->XPButton2->geometry(), units::pxRect(12600, 3480, 2175, 1215));
    EXPECT_EQ(sheet->XPButton3->geometry(), units::pxRect(12600, 4800, 2175, 1215));
    EXPECT_EQ(sheet->Command1->geometry(), units::pxRect(12720, 8880, 2175, 1215));
    EXPECT_TRUE(sheet->Text1->isHidden());
}

// Materials of every class and several suppliers: which rows each choice takes.
TEST_F(OrderSheet, ClassesAndSupplierChooseTheRows)
{
    addMaterial("NEED3", 10, 10, true, 0, 3);   // rest 9 below minimum: "!"
    addMaterial("SHORT3", 0, 0, true, 0, 3);    // rest -1: "X"
    addMaterial("ENOUGH0", 10, 0, true, 0, 0);  // sufficient, no supplier
    addMaterial("SHORT2", 0, 0, true, 0, 2);
    Form1* job = importJob({jobLine("NEED3", "a", "1"), jobLine("SHORT3", "b", "1"),
                            jobLine("ENOUGH0", "c", "1"), jobLine("SHORT2", "d", "1")});
    ASSERT_NE(job, nullptr);
    Form7* sheet = order(job);
    ASSERT_NE(sheet, nullptr);

    struct Case {
        std::array<bool, 3> classes;
        int supplier;
        QStringList codes;
    };
    const Case cases[] = {
        {{true, true, true}, 0, {"NEED3", "SHORT3", "ENOUGH0", "SHORT2"}},
        {{true, false, false}, 0, {"NEED3"}},
        {{false, true, false}, 0, {"SHORT3", "SHORT2"}},
        {{false, false, true}, 0, {"ENOUGH0"}},
        {{true, true, true}, 3, {"NEED3", "SHORT3"}},
        {{false, true, false}, 2, {"SHORT2"}},
        {{false, false, true}, 3, {}},
        {{false, false, false}, 0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.codes.join(",") + " supplier " + QString::number(c.supplier)).toStdString());
        for (int i = 0; i < 3; ++i)
            job->Check2[i]->setChecked(c.classes[std::size_t(i)]);
        sheet->selectSupplierEntry(c.supplier);
        EXPECT_EQ(column(sheet, Form7::ColCode), c.codes);
    }
}

TEST_F(OrderSheet, OrderButtonNeedsATickedClassAndOnlyRaisesAnOpenSheet)
{
    MDIForm1 main;
    addMaterial("A", 10, 0);
    addMaterial("B", 0, 0);
    Form1* job = importJob({jobLine("A", "a", "1"), jobLine("B", "b", "1")});
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(order(job, {false, false, false}), nullptr);

    Form7* sheet = order(job, {false, true, false});
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(column(sheet, Form7::ColCode), QStringList({"B"}));
    auto* sub = qobject_cast<QMdiSubWindow*>(sheet->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->geometry(), units::pxRect(0, 0, Form7::kWidthTw, Form7::kHeightTw));

    sheet->MSFlexGrid5->setTextMatrix(1, Form7::ColOrder, "40");
    main.mdiArea->setActiveSubWindow(qobject_cast<QMdiSubWindow*>(job->parentWidget()));
    EXPECT_EQ(order(job, {true, true, true}), sheet);   // the same sheet, not refilled
    EXPECT_EQ(main.mdiArea->activeSubWindow(), sub);
    EXPECT_EQ(column(sheet, Form7::ColCode), QStringList({"B"}));
    EXPECT_EQ(column(sheet, Form7::ColOrder), QStringList({"40"}));

    sheet->Command1_Click();   // the job window stays
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form7::instance(), nullptr);
    EXPECT_EQ(Form1::instance(), job);
    EXPECT_FALSE(job->isHidden());
}

// A user's pick of an entry refills, also the entry already chosen, so a change of the job
// window's classes shows after picking again; edited quantities go.
TEST_F(OrderSheet, PickingAnEntryRefills)
{
    addMaterial("A", 10, 0);
    addMaterial("B", 0, 0);
    Form1* job = importJob({jobLine("A", "a", "1"), jobLine("B", "b", "1")});
    ASSERT_NE(job, nullptr);
    Form7* sheet = order(job, {false, true, false});
    ASSERT_NE(sheet, nullptr);
    sheet->MSFlexGrid5->setTextMatrix(1, Form7::ColOrder, "40");
    job->Check2[2]->setChecked(true);
    EXPECT_EQ(column(sheet, Form7::ColCode), QStringList({"B"}));   // not by itself
    emit sheet->Combo5->activated(0);
    EXPECT_EQ(column(sheet, Form7::ColCode), QStringList({"A", "B"}));
    EXPECT_EQ(column(sheet, Form7::ColOrder), QStringList({"1", "1"}));
}

TEST_F(OrderSheet, EditorWritesEveryKeyThroughAndEscKeepsIt)
{
    addMaterial("A", 0, 5, true, 12);
    addMaterial("B", 0, 5, true, 12);
    Form1* job = importJob({jobLine("A", "a", "4"), jobLine("B", "b", "4")});
    ASSERT_NE(job, nullptr);
    Form7* sheet = order(job);
    ASSERT_NE(sheet, nullptr);
    FlexGrid* grid = sheet->MSFlexGrid5;

    clickCell(sheet, 2, Form7::ColOrder);
    QLineEdit* editor = sheet->Text1;
    ASSERT_FALSE(editor->isHidden());
    EXPECT_EQ(editor->text(), "12");
    EXPECT_EQ(editor->selectedText(), "12");
    grid->setRow(2);
    grid->setCol(Form7::ColOrder);
    EXPECT_EQ(editor->geometry(), units::pxRect(120 + grid->CellLeft(), 840 + grid->CellTop(), grid->CellWidth(),
                                                grid->CellHeight()));
    EXPECT_EQ(units::bgr(editor->palette().color(QPalette::Base)), 0xC0FFFFu);
    EXPECT_EQ(units::bgr(editor->palette().color(QPalette::Text)), 0x0000FFu);

    typeKey(editor, Qt::Key_2, "2");
    EXPECT_EQ(grid->TextMatrix(2, Form7::ColOrder), "2");
    typeKey(editor, Qt::Key_5, "5");
    EXPECT_EQ(grid->TextMatrix(2, Form7::ColOrder), "25");
    typeKey(editor, Qt::Key_Escape);
    EXPECT_TRUE(editor->isHidden());
    EXPECT_EQ(grid->TextMatrix(2, Form7::ColOrder), "25");
    EXPECT_EQ(grid->TextMatrix(1, Form7::ColOrder), "12");

    // Enter hides too; a click on another column hides the editor.
    clickCell(sheet, 1, Form7::ColOrder);
    ASSERT_FALSE(editor->isHidden());
    typeKey(editor, Qt::Key_Return);
    EXPECT_TRUE(editor->isHidden());
    clickCell(sheet, 1, Form7::ColOrder);
    ASSERT_FALSE(editor->isHidden());
    clickCell(sheet, 1, Form7::ColCode);
    EXPECT_TRUE(editor->isHidden());
}

// An editor left open over a refill is hidden by it and writes into no other row.
TEST_F(OrderSheet, RefillEndsTheEdit)
{
    addMaterial("A", 10, 0, true, 3);
    addMaterial("B", 0, 0, true, 3, 2);
    addMaterial("C", 0, 0, true, 3);
    Form1* job = importJob({jobLine("A", "a", "1"), jobLine("B", "b", "1"), jobLine("C", "c", "1")});
    ASSERT_NE(job, nullptr);
    Form7* sheet = order(job);
    ASSERT_NE(sheet, nullptr);
    clickCell(sheet, 3, Form7::ColOrder);
    ASSERT_FALSE(sheet->Text1->isHidden());

    sheet->selectSupplierEntry(2);
    EXPECT_TRUE(sheet->Text1->isHidden());
    ASSERT_EQ(column(sheet, Form7::ColCode), QStringList({"B"}));
    sheet->Text1->setText("99");
    sheet->Text1_KeyUp('9', 0);
    sheet->selectSupplierEntry(0);
    sheet->Text1_KeyUp('9', 0);
    EXPECT_EQ(column(sheet, Form7::ColOrder), QStringList({"3", "3", "3"}));
}

TEST_F(OrderSheet, ClosedJobWindowLeavesTheSheetItsRows)
{
    addMaterial("A", 0, 0, true, 3);
    Form1* job = importJob({jobLine("A", "a", "1")});
    ASSERT_NE(job, nullptr);
    Form7* sheet = order(job);
    ASSERT_NE(sheet, nullptr);
    sheet->MSFlexGrid5->setTextMatrix(1, Form7::ColOrder, "8");

    job->Command1_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_EQ(Form1::instance(), nullptr);
    // Another supplier picked: refused, and the box names again the supplier of the rows.
    sheet->Combo5->setCurrentIndex(3);
    emit sheet->Combo5->activated(3);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("δεν είναι πια ανοιχτή"));
    EXPECT_EQ(column(sheet, Form7::ColCode), QStringList({"A"}));
    EXPECT_EQ(column(sheet, Form7::ColOrder), QStringList({"8"}));
    EXPECT_EQ(sheet->Combo5->currentIndex(), 0);
}

TEST_F(OrderSheet, CopyTakesCodeDescriptionAndOrderOfEveryRow)
{
    addMaterial("A", 0, 5, true, 12);
    addMaterial("B", 0, 0, true, 2);
    Form1* job = importJob({jobLine("A", "Πρώτο", "4"), jobLine("B", "Δεύτερο", "1")});
    ASSERT_NE(job, nullptr);
    Form7* sheet = order(job);
    ASSERT_NE(sheet, nullptr);
    sheet->MSFlexGrid5->setTextMatrix(2, Form7::ColOrder, "7");
    sheet->XPButton1_Click();
    EXPECT_EQ(QApplication::clipboard()->text(),
              "KODIKOS\tPERIGRAFI\tΠαραγγελία\t\nA\tΠρώτο\t12\t\nB\tΔεύτερο\t7\t\n");
    EXPECT_TRUE(allFlagsOn());
    EXPECT_EQ(boxes.count(), 0);
}

// A sheet of 120 grid rows: the header row and data rows "C001" to "C119".
class LongOrderSheet : public OrderSheet {
protected:
    void SetUp() override
    {
        OrderSheet::SetUp();
        addMaterial("A", 0, 0, true, 3);
        job = importJob({jobLine("A", "a", "1")});
        ASSERT_NE(job, nullptr);
        sheet = order(job);
        ASSERT_NE(sheet, nullptr);
        FlexGrid* grid = sheet->MSFlexGrid5;
        grid->setRows(120);
        for (int r = 1; r < 120; ++r) {
            grid->setTextMatrix(r, Form7::ColCode, QString("C%1").arg(r, 3, 10, QChar('0')));
            grid->setTextMatrix(r, Form7::ColDescription, QString("Υλικό %1").arg(r));
            grid->setTextMatrix(r, Form7::ColQuantity, "99");
            grid->setTextMatrix(r, Form7::ColOrder, QString::number(r) + ",5");
        }
    }
    // Presses the workbook button; the file it opened, removed when the test ends.
    QString exportWorkbook()
    {
        QString opened;
        const desktop::OpenerGuard opener([&](const QUrl& url) {
            opened = url.toLocalFile();
            return true;
        });
        sheet->XPButton2_Click();
        workbooks << opened;
        return opened;
    }
    void TearDown() override
    {
        for (const QString& path : workbooks)
            QFile::remove(path);
        OrderSheet::TearDown();
    }

    Form1* job = nullptr;
    Form7* sheet = nullptr;
    QStringList workbooks;
    QTemporaryDir dir;
};

TEST_F(LongOrderSheet, WorkbookBreaksEveryFiftyRowsAndNumbersEachPage)
{
    const readback::XlsxSheet book(exportWorkbook());
    EXPECT_EQ(book.lastRow(), 120);
    EXPECT_EQ(book.breaksBefore(), QVector<int>({51, 101}));
    EXPECT_EQ(book.header(), "&CΠαραγγελία υλικών - Σελίδα &P");
    const double widths[] = {18, 54, 10};
    for (int c = 1; c <= 3; ++c)
        EXPECT_EQ(int(book.columnWidth(c)), int(widths[c - 1])) << c;   // as stored, with the padding
    EXPECT_EQ(book.cell("A1").text, "KODIKOS");
    EXPECT_EQ(book.cell("C1").text, "Παραγγελία");
    EXPECT_EQ(book.cell("A120").text, "C119");
    EXPECT_EQ(book.cell("B120").text, "Υλικό 119");
    EXPECT_TRUE(book.cell("C120").number);
    EXPECT_EQ(book.cell("C120").text, "119.5");
    EXPECT_FALSE(book.hasCell("D2"));
    for (const int row : {1, 2, 51, 120}) {
        const QColor fill = row % 2 == 1 ? QColor(220, 220, 220) : QColor(255, 255, 255);
        EXPECT_EQ(book.rowFill(row), fill) << row;
        for (const char* col : {"A", "B", "C"}) {
            const readback::XlsxSheet::Cell cell = book.cell(col + QString::number(row));
            EXPECT_TRUE(cell.border) << col << row;
            EXPECT_EQ(cell.fill, fill) << col << row;
        }
    }
    EXPECT_TRUE(allFlagsOn());
    EXPECT_EQ(boxes.count(), 0);
}

// One page needs no page number; the fiftieth data row starts the second page.
TEST_F(LongOrderSheet, WorkbookOfOnePage)
{
    struct Case {
        int rows;
        QString header;
        QVector<int> breaks;
    };
    const Case cases[] = {
        {1, "&CΠαραγγελία υλικών", {}},
        {50, "&CΠαραγγελία υλικών", {}},
        {51, "&CΠαραγγελία υλικών - Σελίδα &P", {51}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rows);
        sheet->MSFlexGrid5->setRows(c.rows);
        const readback::XlsxSheet book(exportWorkbook());
        EXPECT_EQ(book.lastRow(), c.rows);
        EXPECT_EQ(book.header(), c.header);
        EXPECT_EQ(book.breaksBefore(), c.breaks);
    }
}

TEST_F(LongOrderSheet, PrintoutHasATitledPageForEveryFiftyRows)
{
    const QString path = dir.filePath("order.pdf");
    {
        const PrinterPage::PdfRedirect redirect(path);
        sheet->XPButton4_Click();
    }
    ASSERT_EQ(boxes.count(), 0);
    ASSERT_EQ(readback::pdfPageCount(path), 3);
    QStringList pages = readback::pdfText(path).split('\f');
    if (pages.size() > 3 && pages.back().trimmed().isEmpty())
        pages.pop_back();
    ASSERT_EQ(pages.size(), 3);
    QStringList printed;
    for (int p = 0; p < 3; ++p) {
        const QStringList lines = pages[p].split('\n', Qt::SkipEmptyParts);
        ASSERT_FALSE(lines.isEmpty());
        EXPECT_EQ(lines.first().trimmed(), QString("Παραγγελία υλικών - Σελίδα %1").arg(p + 1));
        EXPECT_EQ(pages[p].count("Σελίδα"), 1);
        QStringList codes;
        for (const QString& line : lines) {
            const QString first = line.trimmed().section(' ', 0, 0);
            if (first.size() == 4 && first.startsWith('C'))
                codes << first;
        }
        EXPECT_EQ(codes.size(), p == 0 ? 49 : p == 1 ? 50 : 20) << p;
        printed << codes;
    }
    EXPECT_TRUE(pages[0].contains("KODIKOS"));
    EXPECT_FALSE(pages[1].contains("KODIKOS"));
    QStringList expected;
    for (int r = 1; r < 120; ++r)
        expected << QString("C%1").arg(r, 3, 10, QChar('0'));
    EXPECT_EQ(printed, expected);

    // The three columns at their places, 10 mm page margin aside; the order as edited.
    constexpr int kMarginTw = 567;
    const QVector<readback::PdfWord> words = readback::pdfWords(path);
    const auto code = std::find_if(words.begin(), words.end(), [](const auto& w) { return w.text == "C119"; });
    ASSERT_NE(code, words.end());
    QVector<readback::PdfWord> line;
    for (const readback::PdfWord& w : words)
        if (w.page == code->page && std::abs(w.y - code->y) < 60)
            line << w;
    std::sort(line.begin(), line.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    ASSERT_EQ(line.size(), 4);   // code, "Υλικό", "119", order
    EXPECT_NEAR(line[0].x - kMarginTw, 200, 30);
    EXPECT_NEAR(line[1].x - kMarginTw, 2500, 30);
    EXPECT_NEAR(line[3].x - kMarginTw, 9500, 30);
    EXPECT_EQ(line[3].text, "119,5");
}

// An order goes to a supplier: a long code prints whole, and the description gives way.
TEST_F(LongOrderSheet, PrintoutKeepsLongCodesWhole)
{
    const QString code = "ABCDEFGHJKLMNPQRSTUV";
    FlexGrid* grid = sheet->MSFlexGrid5;
    grid->setTextMatrix(1, Form7::ColCode, code);
    grid->setTextMatrix(1, Form7::ColDescription, QString("Προφίλ αλουμινίου ").repeated(6));
    grid->setTextMatrix(1, Form7::ColOrder, "1234567,25");
    const QString path = dir.filePath("order.pdf");
    {
        const PrinterPage::PdfRedirect redirect(path);
        sheet->XPButton4_Click();
    }
    QVector<readback::PdfWord> line;
    const QVector<readback::PdfWord> words = readback::pdfWords(path);
    const auto first = std::find_if(words.begin(), words.end(), [&](const auto& w) { return w.text == code; });
    ASSERT_NE(first, words.end());
    for (const readback::PdfWord& w : words)
        if (w.page == first->page && std::abs(w.y - first->y) < 60)
            line << w;
    std::sort(line.begin(), line.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    ASSERT_GE(line.size(), 3);
    EXPECT_EQ(line.front().text, code);
    EXPECT_GT(line[1].x, line.front().right);
    EXPECT_TRUE(line[line.size() - 2].text.endsWith("…"));
    EXPECT_LT(line[line.size() - 2].right, line.back().x);
    EXPECT_EQ(line.back().text, "1234567,25");
}

// However an output ends, the next finds every column flag on; a failure is told.
TEST_F(LongOrderSheet, OutputsLeaveEveryFlagOnAndTellTheirFailures)
{
    QFile notAFolder(dir.filePath("file"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", notAFolder.fileName().toLocal8Bit());
    sheet->XPButton2_Click();
    qputenv("TMPDIR", tmp);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_TRUE(allFlagsOn());

    {
        const PrinterPage::InstalledPrinters none({});
        sheet->XPButton4_Click();
    }
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_TRUE(allFlagsOn());

    sheet->XPButton1_Click();
    EXPECT_TRUE(QApplication::clipboard()->text().startsWith("KODIKOS\tPERIGRAFI\tΠαραγγελία\t\nC001\tΥλικό 1\t1,5\t\n"));
}

} // namespace
