#include "catalogue/form8.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "platform/printerpage.h"
#include "support/readback.h"
#include "support/testenv.h"
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

using testenv::DataFolder;

constexpr int kMarginTw = 567;   // the PDF page's 10 mm margin

struct Material {
    int id;
    QString stock, minimum, maximum, standard;   // SQL literals
    int unit = 0;
    int supplier = 0;
    bool controlled = true;
};

void insert(const Material& m)
{
    DataFolder::exec(gConnStock,
        QString("insert into protesyles (ID, Perigrafi, kodikos, monadametr, promitheftis, mystock,"
                " minstock, maxstock, tmpNum1, exeielegxo) values (%1, 'Υλικό %2', 'K%2', %3, %4,"
                " %5, %6, %7, %8, %9)")
            .arg(m.id)
            .arg(m.id, 3, 10, QChar('0'))
            .arg(m.unit)
            .arg(m.supplier)
            .arg(m.stock, m.minimum, m.maximum, m.standard)
            .arg(m.controlled ? 1 : 0));
}

// Materials 1..count, each short (stock 2, minimum 5, maximum 20, standard 10: proposal 10).
void insertShortages(int count)
{
    db::Transaction transaction(gConnStock);
    for (int id = 1; id <= count; ++id)
        insert({id, "2", "5", "20", "10"});
    transaction.Commit();
}

bool allFlagsOn()
{
    for (qint16 flag : gColumnSelected) {
        if (flag != -1)
            return false;
    }
    return true;
}

class ShortageList : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece)); }
    void TearDown() override
    {
        form.reset();
        QLocale::setDefault(QLocale::c());
        SelectAllColumns();
    }

    Form8* open()
    {
        form = std::make_unique<Form8>(&owner);
        return form.get();
    }
    QStringList column(int col) const
    {
        QStringList texts;
        for (int r = 1; r < form->MSFlexGrid1->Rows(); ++r)
            texts << form->MSFlexGrid1->TextMatrix(r, col);
        return texts;
    }
    // The user picks supplier entry k.
    void pick(int k)
    {
        form->Combo5->setCurrentIndex(k);
        emit form->Combo5->activated(k);
    }
    // Selects rows anchor..other as a drag from anchor to other does.
    void select(int anchor, int other)
    {
        form->MSFlexGrid1->setRow(anchor);
        form->MSFlexGrid1->setRowSel(other);
    }

    DataFolder data;
    testenv::Boxes boxes;
    QWidget owner;
    std::unique_ptr<Form8> form;
    QTemporaryDir dir;
};

TEST_F(ShortageList, ProposalsFollowTheRuleInSinglePrecision)
{
    struct Case {
        Material material;
        const char* proposal;   // "" when the material is not listed
    };
    const Case cases[] = {
        {{1, "2", "5", "20", "10"}, "10"},     // the standard quantity
        {{2, "2", "5", "8", "10"}, "6"},       // up to the maximum
        {{3, "2", "5", "0", "10"}, "3"},       // -2 becomes up to the minimum
        {{4, "2", "5", "20", "0"}, "18"},      // zero falls back to the maximum
        {{5, "2", "5", "2", "0"}, "3"},        // then to the minimum
        {{6, "-3", "0", "0", "0"}, "3"},       // all zero below an empty stock
        {{7, "0", "10", "6.4", "0", 0}, "6"},  // pieces are whole
        {{8, "0", "10", "6.4", "0", 2}, "6,4"},
        {{9, "0.1", "1", "0.3", "0", 1}, "0,2"},   // 0.3 - 0.1 in single precision
        {{10, "2", "5", "'x'", "10"}, "3"},    // an unreadable maximum is 0, not the row before's
        {{11, "5", "5", "20", "10"}, ""},      // stock at the minimum is no shortage
        {{12, "2", "5", "20", "10", 0, 0, false}, ""},   // no stock control
    };
    for (const Case& c : cases)
        insert(c.material);
    open();

    QStringList ids, proposals;
    for (const Case& c : cases) {
        if (*c.proposal) {
            ids << QString("%1").arg(c.material.id, 4, 10, QChar('0'));
            proposals << c.proposal;
        }
    }
    EXPECT_EQ(column(Form8::ColId), ids);
    EXPECT_EQ(column(Form8::ColOrder), proposals);
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(1, Form8::ColDescription), "Υλικό 001");
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(1, Form8::ColCheck), "ok");
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(1, Form8::ColStock), "2");
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(0, Form8::ColOrder), "Παραγγελία");
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(ShortageList, SupplierFilterListsOnlyThatSupplier)
{
    for (int id = 1; id <= 6; ++id)
        insert({id, "1", "5", "20", "10", 0, id % 3 + 1});
    open();
    EXPECT_EQ(column(Form8::ColId).size(), 6);
    pick(3);
    EXPECT_EQ(column(Form8::ColId), (QStringList {"0002", "0005"}));
    pick(0);
    EXPECT_EQ(column(Form8::ColId).size(), 6);
}

// Every pick refills from the database, also of the supplier already shown: edited
// proposals and deleted rows come back as stored.
TEST_F(ShortageList, PickingTheShownSupplierAgainRefills)
{
    insertShortages(3);
    open();
    form->MSFlexGrid1->setTextMatrix(1, Form8::ColOrder, "99");
    select(3, 3);
    form->XPButton4_Click();
    ASSERT_EQ(column(Form8::ColId), (QStringList {"0001", "0002"}));
    pick(0);
    EXPECT_EQ(column(Form8::ColId), (QStringList {"0001", "0002", "0003"}));
    EXPECT_EQ(column(Form8::ColOrder), (QStringList {"10", "10", "10"}));
}

TEST_F(ShortageList, ListThatCannotBeReadIsToldNotShownEmpty)
{
    insertShortages(3);
    open();
    DataFolder::exec(gConnStock, "drop table protesyles");
    pick(2);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("δεν διαβάστηκε"));
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 1);
}

TEST_F(ShortageList, EditorWritesEveryChangeIntoTheRowItWasOpenedOn)
{
    insertShortages(4);
    open();
    FlexGrid* grid = form->MSFlexGrid1;
    QLineEdit* editor = form->Text2;
    form->show();
    QCoreApplication::processEvents();

    // A real press on the order cell of row 2 opens the editor over it.
    const QPoint cell(grid->columnViewportPosition(Form8::ColOrder) + 5, grid->rowViewportPosition(2) + 5);
    QMouseEvent press(QEvent::MouseButtonPress, cell, grid->viewport()->mapToGlobal(cell), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &press);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "10");
    EXPECT_EQ(editor->selectedText(), "10");

    editor->setText(" 7 ");
    EXPECT_EQ(grid->TextMatrix(2, Form8::ColOrder), "7");
    editor->clear();
    EXPECT_EQ(grid->TextMatrix(2, Form8::ColOrder), "0");
    editor->setText("λίγα");
    // The current row moves on; the editor still writes to its own row.
    grid->setRow(3);
    editor->setText("5");
    EXPECT_EQ(grid->TextMatrix(2, Form8::ColOrder), "5");
    EXPECT_EQ(grid->TextMatrix(3, Form8::ColOrder), "10");
    form->Text2_KeyDown(Qt::Key_Return, 0);
    EXPECT_FALSE(editor->isVisible());

    // The editor's edge, in twips.
    grid->setRow(1);
    form->MSFlexGrid1_MouseDown(1, 0, 13481, 0);
    EXPECT_TRUE(editor->isVisible());
    form->MSFlexGrid1_MouseDown(1, 0, 13480, 0);
    EXPECT_FALSE(editor->isVisible());
}

TEST_F(ShortageList, EditorOnAListWithoutRowsLeavesTheHeader)
{
    open();
    form->show();
    ASSERT_EQ(form->MSFlexGrid1->Rows(), 1);
    form->MSFlexGrid1_MouseDown(1, 0, 14000, 100);
    EXPECT_FALSE(form->Text2->isVisible());
    form->Text2->setText("");
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(0, Form8::ColOrder), "Παραγγελία");
}

TEST_F(ShortageList, DeleteRemovesTheSelectedRowsTopDownOnly)
{
    insertShortages(6);
    open();
    select(5, 3);
    form->XPButton4_Click();
    EXPECT_EQ(column(Form8::ColId).size(), 6);

    select(3, 5);
    form->XPButton4_Click();
    EXPECT_EQ(column(Form8::ColId), (QStringList {"0001", "0002", "0006"}));
    EXPECT_EQ(form->MSFlexGrid1->Row(), 1);
    EXPECT_EQ(form->MSFlexGrid1->RowSel(), 1);

    // Every row selected: all go, the header stays.
    select(1, 3);
    form->XPButton4_Click();
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 1);
    EXPECT_EQ(form->MSFlexGrid1->TextMatrix(0, Form8::ColId), "id");
    EXPECT_EQ(gConnStock.isOpen(), true);
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 6);
}

TEST_F(ShortageList, OwnerIsEnabledAgainHoweverTheListGoes)
{
    // By the return button.
    owner.setEnabled(false);
    open();
    form->Command1_Click();
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(Form8::instance(), nullptr);
    form.release();   // it deletes itself
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Any other way: the window is simply destroyed (its sub-window closed).
    Form8* opened = Form8::openOver(&owner);
    EXPECT_FALSE(owner.isEnabled());
    delete opened;
    EXPECT_TRUE(owner.isEnabled());
}

TEST_F(ShortageList, CopyAndWorkbookTakeTheListAsEdited)
{
    insertShortages(3);
    DataFolder::exec(gConnStock, "update protesyles set monadametr=2, mystock=1.5 where ID=3");
    open();
    select(2, 2);
    form->XPButton4_Click();
    form->MSFlexGrid1->setTextMatrix(1, Form8::ColOrder, "12");

    form->XPButton2_Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "id\tPERIGRAFI\tKODIKOS\tΠαραγγελία\t\n"
              "0001\tΥλικό 001\tK001\t12\t\n"
              "0003\tΥλικό 003\tK003\t10,0\t\n");
    EXPECT_TRUE(allFlagsOn());

    QString opened;
    const desktop::OpenerGuard opener([&](const QUrl& url) {
        opened = url.toLocalFile();
        return true;
    });
    form->XPButton3_Click();
    EXPECT_TRUE(allFlagsOn());
    ASSERT_FALSE(opened.isEmpty());
    const readback::XlsxSheet sheet(opened);
    EXPECT_EQ(sheet.lastRow(), 3);
    EXPECT_EQ(sheet.cell("A2").text, "0001");
    EXPECT_FALSE(sheet.cell("A2").number);
    EXPECT_EQ(sheet.cell("C3").text, "K003");
    EXPECT_EQ(sheet.cell("D1").text, "Παραγγελία");
    EXPECT_TRUE(sheet.cell("D2").number);
    EXPECT_EQ(sheet.cell("D2").text, "12");
    EXPECT_TRUE(sheet.cell("D3").number);
    EXPECT_FALSE(sheet.hasCell("E2"));
    const double widths[] = {5, 51, 21, 15};
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(int(sheet.columnWidth(c)), int(widths[c - 1])) << c;
    QFile::remove(opened);
}

TEST_F(ShortageList, FailedWorkbookLeavesEveryFlagOn)
{
    insertShortages(2);
    open();
    QFile notAFolder(dir.filePath("file"));
    ASSERT_TRUE(notAFolder.open(QIODevice::WriteOnly));
    notAFolder.close();
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", notAFolder.fileName().toLocal8Bit());
    form->XPButton3_Click();
    qputenv("TMPDIR", tmp);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_TRUE(allFlagsOn());
}

// The data rows printed on each page: the identifiers in reading order.
QVector<QStringList> printedIds(const QString& pdf)
{
    QVector<QStringList> pages;
    for (const QString& page : readback::pdfText(pdf).split('\f')) {
        QStringList ids;
        for (const QString& line : page.split('\n')) {
            const QString first = line.trimmed().section(' ', 0, 0);
            if (first.size() == 4 && first.toInt() > 0)
                ids << first;
        }
        pages << ids;
    }
    if (!pages.isEmpty() && pages.back().isEmpty() && readback::pdfText(pdf).endsWith('\f'))
        pages.pop_back();   // pdftotext ends the last page with a form feed
    return pages;
}

TEST_F(ShortageList, PrintoutRunsOverPagesWithoutLossRepeatOrBlankPage)
{
    insertShortages(100);
    open();
    const QString path = dir.filePath("list.pdf");
    {
        const PrinterPage::PdfRedirect redirect(path);
        form->XPButton5_Click();
    }
    ASSERT_EQ(boxes.count(), 0);
    ASSERT_EQ(readback::pdfPageCount(path), 2);
    const QVector<QStringList> pages = printedIds(path);
    ASSERT_EQ(pages.size(), 2);
    QStringList all = pages[0] + pages[1];
    QStringList expected;
    for (int id = 1; id <= 100; ++id)
        expected << QString("%1").arg(id, 4, 10, QChar('0'));
    EXPECT_EQ(all, expected);
    EXPECT_TRUE(readback::pdfText(path).split('\f')[0].contains("Παραγγελία"));   // the header row

    // The columns at their x, and the band colours continuing by grid row over the break.
    const QVector<readback::PdfWord> words = readback::pdfWords(path);
    const QImage first = readback::pdfPage(path, 1, 144);
    const QImage second = readback::pdfPage(path, 2, 144);
    int checked = 0;
    for (const readback::PdfWord& id : words) {
        if (id.text.size() != 4 || id.text.toInt() == 0)
            continue;
        QVector<double> xs;
        for (const readback::PdfWord& w : words) {
            if (w.page == id.page && std::abs(w.y - id.y) < 60)
                xs << w.x - kMarginTw;
        }
        std::sort(xs.begin(), xs.end());
        ASSERT_EQ(xs.size(), 5) << id.text.toStdString();   // id, "Υλικό", number, code, order
        EXPECT_NEAR(xs[0], 0, 30);
        EXPECT_NEAR(xs[1], 600, 30);
        EXPECT_NEAR(xs[3], 6500, 30);
        EXPECT_NEAR(xs[4], 10000, 30);
        const int gridRow = id.text.toInt();
        if (gridRow == 1 || gridRow == pages[0].size() + 1 || gridRow == pages[0].size() + 2) {
            const QImage& image = id.page == 1 ? first : second;
            const QColor band = image.pixelColor(int((kMarginTw + 11000) / 10), int((id.y + 60) / 10));
            const QColor expectedBand = gridRow % 2 == 1 ? QColor(200, 200, 210) : QColor(255, 255, 255);
            EXPECT_EQ(band, expectedBand) << "grid row " << gridRow;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 3);

    // A list whose last row just fills the first page prints one page, not a blank second one.
    const int fitting = pages[0].size();
    select(fitting + 1, 100);
    form->XPButton4_Click();
    const QString exact = dir.filePath("exact.pdf");
    {
        const PrinterPage::PdfRedirect redirect(exact);
        form->XPButton5_Click();
    }
    EXPECT_EQ(readback::pdfPageCount(exact), 1);
    EXPECT_EQ(printedIds(exact).front().size(), fitting);
}

// A long description gives way to the code; a long code prints whole and moves the quantity on.
TEST_F(ShortageList, PrintoutKeepsCodesAndQuantitiesWhole)
{
    insertShortages(1);
    open();
    // Long enough to reach past the quantity's x, short enough to leave the quantity room on the paper.
    const QString code = QString("ΠΡΟΦΙΛ-ΑΛΟΥΜΙΝΙΟΥ-ΘΕΡΜΟΔΙΑΚΟΠΗΣ-%1").arg(40);
    form->MSFlexGrid1->setTextMatrix(1, Form8::ColDescription, QString("Προφίλ αλουμινίου ").repeated(6));
    form->MSFlexGrid1->setTextMatrix(1, Form8::ColCode, code);
    const QString path = dir.filePath("list.pdf");
    {
        const PrinterPage::PdfRedirect redirect(path);
        form->XPButton5_Click();
    }
    QVector<readback::PdfWord> line;
    const QVector<readback::PdfWord> words = readback::pdfWords(path);
    const auto id = std::find_if(words.begin(), words.end(), [](const auto& w) { return w.text == "0001"; });
    ASSERT_NE(id, words.end());
    for (const readback::PdfWord& w : words)
        if (w.page == id->page && std::abs(w.y - id->y) < 60)
            line << w;
    std::sort(line.begin(), line.end(), [](const auto& a, const auto& b) { return a.x < b.x; });
    ASSERT_GE(line.size(), 4);
    const readback::PdfWord& printedCode = line[line.size() - 2];
    const readback::PdfWord& description = line[line.size() - 3];
    EXPECT_EQ(printedCode.text, code);
    EXPECT_NEAR(printedCode.x - kMarginTw, 6500, 30);
    ASSERT_GT(printedCode.right - kMarginTw, 10000);   // the code reaches past the quantity's x
    EXPECT_TRUE(description.text.endsWith("…"));
    EXPECT_LT(description.right, printedCode.x);
    EXPECT_EQ(line.back().text, form->MSFlexGrid1->TextMatrix(1, Form8::ColOrder));
    EXPECT_GT(line.back().x, printedCode.right);
}

TEST_F(ShortageList, PrintoutKeepsLongCodesAndTheirQuantitiesWholeOnThePaper)
{
    const QString stem = QString("ΠΡΟΦΙΛ-ΑΛΟΥΜΙΝΙΟΥ-ΘΕΡΜΟΔΙΑΚΟΠΗΣ-").repeated(2);
    const QStringList codes {stem.left(46), stem.left(48), stem.left(50), QString(40, 'W'), QString(120, 'M')};
    insertShortages(int(codes.size()));
    open();
    FlexGrid* grid = form->MSFlexGrid1;
    for (int r = 1; r <= codes.size(); ++r) {
        grid->setTextMatrix(r, Form8::ColDescription, QString("Προφίλ αλουμινίου ").repeated(3));
        grid->setTextMatrix(r, Form8::ColCode, codes[r - 1]);
        grid->setTextMatrix(r, Form8::ColOrder, QString::number(70 + r));
    }
    const QString path = dir.filePath("long.pdf");
    {
        const PrinterPage::PdfRedirect redirect(path);
        form->XPButton5_Click();
    }
    constexpr double kPaperRight = 11906 - kMarginTw + 15;   // A4 less the right margin
    const QVector<readback::PdfWord> words = readback::pdfWords(path);
    const auto find = [&words](const QString& text) {
        return std::find_if(words.begin(), words.end(), [&text](const auto& w) { return w.text == text; });
    };
    double previousBottom = 0;
    for (int r = 1; r <= codes.size(); ++r) {
        const QString& code = codes[r - 1];
        SCOPED_TRACE(code.toStdString());
        const auto id = find(QString("%1").arg(r, 4, 10, QChar('0')));
        ASSERT_NE(id, words.end());
        // The code's pieces in reading order, from its row's line on: together the whole code.
        QString printed;
        double codeRight = 0;
        double codeY = 0;
        for (const readback::PdfWord& w : words) {
            if (w.page != id->page || w.y < id->y - 60 || !code.startsWith(printed + w.text) || w.text.size() < 2)
                continue;
            printed += w.text;
            codeRight = w.right;
            codeY = w.y;
            EXPECT_LE(w.right, kPaperRight);
            EXPECT_GE(w.x, kMarginTw - 15);
            if (printed == code)
                break;
        }
        EXPECT_EQ(printed, code);
        const auto quantity = find(grid->TextMatrix(r, Form8::ColOrder));
        ASSERT_NE(quantity, words.end());
        EXPECT_LE(quantity->right, kPaperRight);
        if (std::abs(quantity->y - codeY) < 60)
            EXPECT_GT(quantity->x, codeRight);
        else
            EXPECT_GT(quantity->y, codeY);
        // Each row starts below everything of the row before it.
        EXPECT_GT(id->y, previousBottom);
        previousBottom = std::max(codeY, quantity->y);
    }
}

TEST_F(ShortageList, NoPrinterIsTold)
{
    insertShortages(2);
    open();
    const PrinterPage::InstalledPrinters none({});
    form->XPButton5_Click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_TRUE(allFlagsOn());
}

} // namespace
