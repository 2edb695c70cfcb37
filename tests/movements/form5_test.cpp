// The invoice window: paste, column choices, the three stock changes, the list of new codes
// and their insert, on small tables.

#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/mdiform1.h"
#include "movements/form5.h"
#include "platform/database.h"
#include "platform/flexgrid.h"
#include "platform/units.h"
#include "support/testenv.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <gtest/gtest.h>

using testenv::DataFolder;

namespace {

class InvoiceWindow : public ::testing::Test {
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece)); }
    void TearDown() override
    {
        delete Form5::instance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::clipboard()->clear();
        QLocale::setDefault(QLocale::c());
    }

    static void addMaterial(const QString& code, double stock, const QString& description = "Υλικό")
    {
        DataFolder::exec(gConnStock, "insert into protesyles (Perigrafi, kodikos, mystock) values (?, ?, ?)",
                         {description, code, stock});
    }
    static QVariant fieldOf(const QString& code, const QString& field)
    {
        return DataFolder::scalar(gConnStock, "select " + field + " from protesyles where kodikos=?", {code});
    }
    static double stockOf(const QString& code) { return fieldOf(code, "mystock").toDouble(); }
    static int materialCount() { return DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(); }
    static QString settingsString()
    {
        return DataFolder::scalar(gConnStock, "select tmpString1 from Promithf where ID=1").toString();
    }

    // Opens the window, puts the text on the clipboard and pastes it.
    Form5* paste(const QString& text)
    {
        if (!Form5::instance())
            new Form5;
        QApplication::clipboard()->setText(text);
        Form5::instance()->XPButton1_Click();
        return Form5::instance();
    }
    static void choose(Form5* form, int chooser, int position)
    {
        form->Combo1[std::size_t(chooser)]->setCurrentIndex(position);
    }
    static QString cell(Form5* form, int row, int col) { return form->MSFlexGrid1->TextMatrix(row, col); }

    DataFolder data;
    testenv::Boxes boxes;
};

TEST_F(InvoiceWindow, ColumnLetters)
{
    const std::pair<int, const char*> cases[] = {{0, "A"}, {20, "U"}, {25, "Z"}, {26, "AA"}, {27, "AB"},
                                                 {701, "ZZ"}, {702, "AAA"}};
    for (const auto& [column, letters] : cases)
        EXPECT_EQ(Form5::columnLetter(column), letters) << column;
}

TEST_F(InvoiceWindow, PasteFillsTheGridByRowsAndTabs)
{
    struct Case {
        const char* name;
        QString text;
        int rows, cols;
        const char* lastCode;
        bool panel;
    };
    const Case cases[] = {
        {"CR LF rows", "A1\t5\r\nB22\t7\r\n", 3, 2, "B22", true},
        {"line feeds only, widest row last", "A1\t5\nB22\t7\tx\n", 3, 3, "B22", true},
        {"one line", "A1\t5", 2, 2, "A1", true},
        {"one row ended by CR LF", "A1\t5\r\n", 2, 2, "A1", true},
        {"one row ended by LF", "A1\t5\n", 2, 2, "A1", true},
        {"one column", "A1\nB22\nC333", 4, 1, "C333", true},
        {"NUL characters", QString("A1\t5\r\nB2") + QChar(0) + "2\t7" + QChar(0), 3, 2, "B22", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form5* form = paste(c.text);
        EXPECT_EQ(form->MSFlexGrid1->Rows(), c.rows);
        ASSERT_EQ(form->MSFlexGrid1->Cols(), c.cols);
        EXPECT_EQ(cell(form, 1, 0), "A1");
        EXPECT_EQ(cell(form, c.rows - 1, 0), c.lastCode);
        for (int col = 0; col < c.cols; ++col)
            EXPECT_EQ(cell(form, 0, col), Form5::columnLetter(col));
        EXPECT_EQ(!form->Frame1->isHidden(), c.panel);
        delete form;
    }
}

TEST_F(InvoiceWindow, ClipboardTextIsReadAsASpreadsheetWritesIt)
{
    using Rows = QVector<QStringList>;
    struct Case {
        const char* name;
        QString text;
        Rows rows;
    };
    const Case cases[] = {
        {"a quoted line break keeps the row whole", "AL-4501\t\"Προφίλ\nνέο\"\t4\r\nB2\t1\r\n",
         {{"AL-4501", "Προφίλ\nνέο", "4"}, {"B2", "1"}}},
        {"quoted TAB, CR LF and doubled quotes", "\"a\tb\"\t\"c\r\nd\"\t\"say \"\"hi\"\"\"\r\n",
         {{"a\tb", "c\r\nd", "say \"hi\""}}},
        {"LF rows with a quoted LF", "X1\t\"one\ntwo\"\nX2\t2\n", {{"X1", "one\ntwo"}, {"X2", "2"}}},
        {"a bare LF in CR LF rows stays in its cell", "A\tb\nc\r\nB\t2", {{"A", "b\nc"}, {"B", "2"}}},
        {"a bare CR is a character", "A\rB\t1", {{"A\rB", "1"}}},
        {"a quote inside a cell is a character", "12\" pipe\tx\"y\r\n", {{"12\" pipe", "x\"y"}}},
        {"text after the closing quote joins the cell", "\"ab\"cd\te", {{"abcd", "e"}}},
        {"an unclosed quote is a character", "\"AB\t1\r\nCD\t2", {{"\"AB", "1"}, {"CD", "2"}}},
        {"doubled quotes close nothing", "\"A\"\"\t1", {{"\"A\"\"", "1"}}},
        {"empty rows and a TAB at the end", "A\r\n\r\nB\t", {{"A"}, {""}, {"B", ""}}},
        {"an empty quoted cell", "\"\"\t1", {{"", "1"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Form5::spreadsheetRows(c.text), c.rows);
    }
}

TEST_F(InvoiceWindow, AQuotedLineBreakKeepsTheQuantityWithItsCode)
{
    addMaterial("AL-4501", 10);
    addMaterial("B-22", 1);
    Form5* form = paste("AL-4501\t\"Προφίλ\nνέο\"\t4\r\nB-22\t\"Πρώτη γραμμή\nδεύτερη\"\t3\r\n");
    ASSERT_EQ(form->MSFlexGrid1->Rows(), 3);
    choose(form, Form5::QuantityColumn, 2);
    choose(form, Form5::DescriptionColumn, 2);
    form->XPButton3_Click();
    EXPECT_EQ(stockOf("AL-4501"), 14);
    EXPECT_EQ(stockOf("B-22"), 4);
    EXPECT_EQ(fieldOf("B-22", "Perigrafi").toString(), "Πρώτη γραμμή\nδεύτερη");
}

TEST_F(InvoiceWindow, ARowWiderThanASpreadsheetIsRefusedAndTheGridKept)
{
    Form5* form = paste("A1\t5\r\nB22\t7");
    const QString wide = "W1" + QString(Form5::kSpreadsheetColumns, u'\t');
    paste("C3\t1\r\n" + wide);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("16384"));
    EXPECT_TRUE(boxes.last().text.contains("γραμμή 2"));
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 3);
    EXPECT_EQ(form->MSFlexGrid1->Cols(), 2);
    EXPECT_EQ(cell(form, 2, 0), "B22");

    // A row as wide as a spreadsheet is taken.
    paste(wide.chopped(1));
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(form->MSFlexGrid1->Cols(), Form5::kSpreadsheetColumns);
    EXPECT_EQ(cell(form, 0, Form5::kSpreadsheetColumns - 1), "XFD");
}

TEST_F(InvoiceWindow, ColumnsTakeTheWidthOfTheirWidestTextAndPanelSitsBelowTheGrid)
{
    Form5* form = paste("short\t1\r\na much longer code text\t22\r\n");
    const QFontMetrics metrics(form->font());
    EXPECT_EQ(form->MSFlexGrid1->ColWidth(0),
              units::tw(metrics.horizontalAdvance("a much longer code text")) + 200);
    EXPECT_EQ(form->MSFlexGrid1->ColWidth(1), units::tw(metrics.horizontalAdvance("22")) + 200);
    EXPECT_EQ(form->MSFlexGrid1->font(), form->font());
    EXPECT_FALSE(form->Frame1->isHidden());
    EXPECT_EQ(form->Frame1->pos(), units::pxPoint(0, Form5::kPanelTop));
    // The panel covers the paste and return buttons below the grid, not the grid it touches.
    EXPECT_TRUE(form->XPButton1->isHidden() && form->Command1->isHidden());
    EXPECT_FALSE(form->MSFlexGrid1->isHidden());
}

TEST_F(InvoiceWindow, NothingToPasteKeepsTheGridAndThePanel)
{
    Form5* form = paste("A1\t5\r\nB22\t7");
    for (const char* kind : {"empty", "picture"}) {
        SCOPED_TRACE(kind);
        if (QByteArray(kind) == "empty")
            QApplication::clipboard()->clear();
        else
            QApplication::clipboard()->setImage(QImage(4, 4, QImage::Format_RGB32));
        form->XPButton1_Click();
        EXPECT_EQ(form->MSFlexGrid1->Rows(), 3);
        EXPECT_EQ(cell(form, 2, 1), "7");
        EXPECT_FALSE(form->Frame1->isHidden());
    }
    // A later paste of one line replaces the rows and leaves the panel shown.
    paste("Z9\t1");
    EXPECT_EQ(form->MSFlexGrid1->Rows(), 2);
    EXPECT_FALSE(form->Frame1->isHidden());
}

TEST_F(InvoiceWindow, EachActionChangesTheStock)
{
    struct Case {
        int option;
        double expected;
    };
    const Case cases[] = {{Form5::Add, 12.5}, {Form5::Replace, 2.5}, {Form5::Subtract, 7.5}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option);
        DataFolder::exec(gConnStock, "delete from protesyles");
        addMaterial("PR-100", 10);
        Form5* form = paste("PR-100\t2,5\r\n");
        form->Option1[std::size_t(c.option)]->setChecked(true);
        EXPECT_EQ(form->actionMode(), c.option);
        choose(form, Form5::QuantityColumn, 1);
        form->XPButton3_Click();
        EXPECT_DOUBLE_EQ(stockOf("PR-100"), c.expected);
        EXPECT_EQ(form->Label1[3]->text(), "Ενημερώθηκαν : 1");
        EXPECT_EQ(form->Label1[4]->text(), "Νέα : 0");
        EXPECT_FALSE(form->XPButton3->Enabled());
        delete form;
    }
}

TEST_F(InvoiceWindow, QuantitiesReadAsTheRegionalSettingsWriteThem)
{
    struct Case {
        QLocale locale;
        const char* quantity;
        double expected;
    };
    const Case cases[] = {
        {QLocale(QLocale::Greek, QLocale::Greece), "1.234,50", 1244.5},
        {QLocale(QLocale::Greek, QLocale::Greece), "2.5", 10},   // no number in Greek, and not 25
        {QLocale(QLocale::English, QLocale::UnitedStates), "1,234.50", 1244.5},
        {QLocale(QLocale::English, QLocale::UnitedStates), "2.5", 12.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.quantity);
        QLocale::setDefault(c.locale);
        DataFolder::exec(gConnStock, "delete from protesyles");
        addMaterial("AL-4501", 10);
        Form5* form = paste(QString("AL-4501\t%1\r\n").arg(c.quantity));
        choose(form, Form5::QuantityColumn, 1);
        form->XPButton3_Click();
        EXPECT_DOUBLE_EQ(stockOf("AL-4501"), c.expected);
        delete form;
    }
}

TEST_F(InvoiceWindow, RowsReadThroughTheChosenAndFallbackColumns)
{
    // Columns: A code, B second code, C quantity, D second quantity, E description.
    addMaterial("FIRST", 10, "Παλιό");
    addMaterial("SECOND", 10, "Παλιό");
    addMaterial("ZERO", 10);
    addMaterial("NEGATIVE", 10);
    addMaterial("SHORTDESC", 10, "Παλιό");
    addMaterial("AB", 10);
    addMaterial("MISSINGCOLS", 10);
    Form5* form = paste("FIRST\tx\t3\t\tΝέα περιγραφή\r\n"
                        "\tSECOND\tκείμενο\t4\t\r\n"
                        "ZERO\t\t0\t0\r\n"
                        "NEGATIVE\t\t-2\t5\r\n"
                        "SHORTDESC\t\t1\t\tabc\r\n"
                        "AB\t\t1\r\n"
                        "MISSINGCOLS\r\n");
    choose(form, Form5::CodeColumn, 0);
    choose(form, Form5::SecondCodeColumn, 1);
    choose(form, Form5::QuantityColumn, 2);
    choose(form, Form5::SecondQuantityColumn, 3);
    choose(form, Form5::DescriptionColumn, 5);
    form->Option1[Form5::Replace]->setChecked(true);
    form->XPButton3_Click();

    EXPECT_DOUBLE_EQ(stockOf("FIRST"), 3);
    EXPECT_EQ(fieldOf("FIRST", "Perigrafi").toString(), "Νέα περιγραφή");
    EXPECT_DOUBLE_EQ(stockOf("SECOND"), 4);
    EXPECT_EQ(fieldOf("SECOND", "Perigrafi").toString(), "Παλιό");
    EXPECT_DOUBLE_EQ(stockOf("ZERO"), 10);
    EXPECT_DOUBLE_EQ(stockOf("NEGATIVE"), 10);     // -2 is no quantity even in replace mode
    EXPECT_DOUBLE_EQ(stockOf("SHORTDESC"), 1);
    EXPECT_EQ(fieldOf("SHORTDESC", "Perigrafi").toString(), "Παλιό");
    EXPECT_DOUBLE_EQ(stockOf("AB"), 10);           // codes of two characters are no codes
    EXPECT_DOUBLE_EQ(stockOf("MISSINGCOLS"), 10);  // a row without quantity cells changes nothing
    EXPECT_EQ(form->Label1[3]->text(), "Ενημερώθηκαν : 3");
    EXPECT_EQ(form->List1->count(), 0);
    // Nothing new: the supplier controls are covered.
    EXPECT_FALSE(form->Frame2->isHidden());
    EXPECT_EQ(form->Frame2->pos(), units::pxPoint(Form5::kResultLeft, Form5::kResultTop));
    EXPECT_FALSE(form->Frame3->isHidden());
    EXPECT_EQ(form->Frame3->pos(), form->Label1_14->pos());
    EXPECT_TRUE(form->XPButton4->isHidden());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(InvoiceWindow, ChosenColumnsBeyondThePasteAreEmptyInEveryRow)
{
    addMaterial("AAA", 10);
    addMaterial("BBB", 10);
    Form5* form = paste("AAA\t1\nBBB\t2\n");
    choose(form, Form5::CodeColumn, 7);
    choose(form, Form5::SecondCodeColumn, 0);
    choose(form, Form5::QuantityColumn, 9);
    choose(form, Form5::SecondQuantityColumn, 1);
    choose(form, Form5::DescriptionColumn, 12);
    form->XPButton3_Click();
    EXPECT_DOUBLE_EQ(stockOf("AAA"), 11);
    EXPECT_DOUBLE_EQ(stockOf("BBB"), 12);
    EXPECT_EQ(fieldOf("BBB", "Perigrafi").toString(), "Υλικό");
    EXPECT_EQ(form->Label1[3]->text(), "Ενημερώθηκαν : 2");
}

TEST_F(InvoiceWindow, SkippedRowsAreReportedOnce)
{
    addMaterial("KNOWN", 10);
    addMaterial("HUGE", 3e38);
    Form5* form = paste("Κωδικός\tΠοσότητα\r\n"
                        "KNOWN\t12.5\r\n"
                        "KNOWN\t1E39\r\n"
                        "NEWCODE\t3\r\n"
                        "\t\r\n"
                        "KNOWN\t2\r\n"
                        "HUGE\t3E38\r\n");
    choose(form, Form5::QuantityColumn, 1);
    choose(form, Form5::SecondQuantityColumn, 1);
    form->XPButton3_Click();

    EXPECT_DOUBLE_EQ(stockOf("KNOWN"), 12);
    EXPECT_EQ(form->Label1[4]->text(), "Νέα : 0");
    ASSERT_EQ(boxes.count(), 1);
    const QString text = boxes.last().text;
    EXPECT_EQ(boxes.last().style, 48);
    EXPECT_DOUBLE_EQ(stockOf("HUGE"), 3e38);
    for (const char* row : {"Γραμμή 1 (Κωδικός): η ποσότητα δεν είναι αριθμός",
                            "Γραμμή 2 (KNOWN): η ποσότητα δεν είναι αριθμός",
                            "Γραμμή 3 (KNOWN): η ποσότητα είναι πολύ μεγάλη", "Γραμμή 4 (NEWCODE)",
                            "Γραμμή 7 (HUGE)"})
        EXPECT_NE(text.indexOf(QString::fromUtf8(row)), -1) << row;
    EXPECT_EQ(text.indexOf("Γραμμή 5"), -1);
    EXPECT_EQ(text.indexOf("Γραμμή 6"), -1);
}

TEST_F(InvoiceWindow, ACodeWithAnInvisibleCharacterIsReportedAndNeitherChangedNorAdded)
{
    const QString marked = QChar(0xFEFF) + QString("AB12");
    addMaterial("AB12", 5);
    addMaterial(marked, 5);
    Form5* form = paste(marked + "\t2\tΜε σημάδι\r\nCD" + QChar(0x200B) + "34\t1\tΚρυφό\r\nAB12\t3\r\n");
    choose(form, Form5::QuantityColumn, 1);
    choose(form, Form5::DescriptionColumn, 3);
    form->XPButton3_Click();
    EXPECT_EQ(stockOf("AB12"), 8);
    EXPECT_EQ(stockOf(marked), 5);
    EXPECT_EQ(form->List1->count(), 0);
    ASSERT_EQ(boxes.count(), 1);
    for (const char* row : {"Γραμμή 1", "Γραμμή 2"})
        EXPECT_TRUE(boxes.last().text.contains(row)) << row;
    EXPECT_FALSE(boxes.last().text.contains("Γραμμή 3"));
    EXPECT_TRUE(boxes.last().text.contains("αόρατο χαρακτήρα"));
}

TEST_F(InvoiceWindow, AStoredStockThatIsNoNumberIsReportedAndKept)
{
    addMaterial("TEXT", 0);
    addMaterial("COMMA", 0);
    DataFolder::exec(gConnStock, "update protesyles set mystock='abc' where kodikos='TEXT';"
                                 "update protesyles set mystock='10,5' where kodikos='COMMA'");
    const QString invoice = "TEXT\t3\r\nCOMMA\t3\r\n";
    Form5* form = paste(invoice);
    choose(form, Form5::QuantityColumn, 1);
    choose(form, Form5::SecondQuantityColumn, 1);
    form->XPButton3_Click();   // add: nothing to add to
    EXPECT_EQ(fieldOf("TEXT", "mystock").toString(), "abc");
    EXPECT_EQ(fieldOf("COMMA", "mystock").toString(), "10,5");
    EXPECT_EQ(form->Label1[3]->text(), "Ενημερώθηκαν : 0");
    ASSERT_EQ(boxes.count(), 1);
    for (const char* row : {"Γραμμή 1 (TEXT): το απόθεμα στην αποθήκη δεν είναι αριθμός",
                            "Γραμμή 2 (COMMA): το απόθεμα στην αποθήκη δεν είναι αριθμός"})
        EXPECT_NE(boxes.last().text.indexOf(QString::fromUtf8(row)), -1) << row;

    form = paste(invoice);
    choose(form, Form5::QuantityColumn, 1);
    choose(form, Form5::SecondQuantityColumn, 1);
    form->Option1[Form5::Replace]->setChecked(true);   // a new figure needs none of the old one
    form->XPButton3_Click();
    EXPECT_DOUBLE_EQ(stockOf("TEXT"), 3);
    EXPECT_DOUBLE_EQ(stockOf("COMMA"), 3);
}

TEST_F(InvoiceWindow, NewCodesAreListedAndInsertedExactly)
{
    addMaterial("O'BRIEN", 1);
    const QString longCode = "LONG-CODE-OF-THIRTY-CHARACTERS";
    const QString sqlCode = "X'; delete from protesyles; --";
    Form5* form = paste("O'BRIEN\t1\tαπό τιμολόγιο\r\n"
                        + longCode + "\t123456,5\tΜακρύς κωδικός\r\n"
                        "NEW-1\t12,5\t\r\n"
                        "new-1\t2\tδεύτερη γραμμή\r\n"
                        + sqlCode + "\t1\tκείμενο\r\n");
    choose(form, Form5::QuantityColumn, 1);
    choose(form, Form5::DescriptionColumn, 3);
    form->XPButton3_Click();

    EXPECT_DOUBLE_EQ(stockOf("O'BRIEN"), 2);
    EXPECT_EQ(form->Label1[3]->text(), "Ενημερώθηκαν : 1");
    EXPECT_EQ(form->Label1[4]->text(), "Νέα : 3");
    ASSERT_EQ(form->List1->count(), 3);
    EXPECT_EQ(form->List1->item(1)->text(),
              QString("NEW-1").leftJustified(21) + "00014,50 " + QString("δεύτερη γραμμή").leftJustified(50));
    EXPECT_EQ(form->List1->item(0)->text().left(longCode.size()), longCode);
    EXPECT_FALSE(form->List1->isHidden());
    EXPECT_FALSE(form->XPButton4->isHidden());
    EXPECT_TRUE(form->Frame3->isHidden());

    form->Combo5->setCurrentIndex(4);
    form->Check1->setChecked(true);
    boxes.clear();
    form->XPButton4_Click();

    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Τα νέα στοιχεία εισήχθησαν επιτυχώς");
    EXPECT_EQ(boxes.last().style, 64);
    EXPECT_EQ(boxes.last().title, "Ολοκλήρωση εισαγωγής");
    EXPECT_EQ(Form5::instance(), nullptr);
    EXPECT_EQ(materialCount(), 4);
    EXPECT_DOUBLE_EQ(stockOf(longCode), 123456.5);
    EXPECT_EQ(fieldOf(longCode, "Perigrafi").toString(), "Μακρύς κωδικός");
    EXPECT_DOUBLE_EQ(stockOf("NEW-1"), 14.5);   // the same code twice: one material, the sum
    EXPECT_EQ(fieldOf("NEW-1", "kodikos").toString(), "NEW-1");
    EXPECT_EQ(fieldOf("NEW-1", "Perigrafi").toString(), "δεύτερη γραμμή");
    EXPECT_DOUBLE_EQ(stockOf(sqlCode), 1);
    for (const QString& code : {longCode, QString("NEW-1"), sqlCode}) {
        SCOPED_TRACE(code.toStdString());
        EXPECT_EQ(fieldOf(code, "promitheftis").toInt(), 4);
        EXPECT_EQ(fieldOf(code, "exeielegxo").toInt(), 1);
        EXPECT_EQ(fieldOf(code, "typosyli").toInt(), 0);
        EXPECT_EQ(fieldOf(code, "minstock").toInt(), 0);
    }
}

TEST_F(InvoiceWindow, RepeatedNewCodesMergeAsTheDatabaseComparesCodes)
{
    // Letter case does not count, Greek included; accents and other spellings do.
    Form5* form = paste("βίδα-1\t1\tΒίδα\r\n"
                        "ΒΊΔΑ-1\t2\t\r\n"
                        "ΒΙΔΑ-1\t4\t\r\n"
                        "STRASSE\t1\t\r\n"
                        "Straße\t2\t\r\n");
    choose(form, Form5::QuantityColumn, 1);
    choose(form, Form5::DescriptionColumn, 3);
    form->XPButton3_Click();
    EXPECT_EQ(form->Label1[4]->text(), "Νέα : 4");
    form->XPButton4_Click();
    EXPECT_EQ(materialCount(), 4);
    EXPECT_DOUBLE_EQ(stockOf("βίδα-1"), 3);   // stored as first written, with the sum
    EXPECT_EQ(fieldOf("βίδα-1", "Perigrafi").toString(), "Βίδα");
    EXPECT_DOUBLE_EQ(stockOf("ΒΙΔΑ-1"), 4);
    EXPECT_DOUBLE_EQ(stockOf("Straße"), 2);
}

TEST_F(InvoiceWindow, AFailureMidwayChangesNothing)
{
    addMaterial("AAA", 10);
    addMaterial("BBB", 10);
    DataFolder::exec(gConnStock, "create trigger refuse before update on protesyles when new.kodikos='BBB' "
                                 "begin select raise(abort, 'refused'); end");
    Form5* form = paste("AAA\t1\r\nBBB\t1\r\nNEW\t1\r\n");
    choose(form, Form5::QuantityColumn, 1);
    choose(form, Form5::DescriptionColumn, 1);
    form->XPButton3_Click();

    EXPECT_DOUBLE_EQ(stockOf("AAA"), 10);
    EXPECT_DOUBLE_EQ(stockOf("BBB"), 10);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_TRUE(form->Frame2->isHidden());
    EXPECT_EQ(form->List1->count(), 0);
    EXPECT_TRUE(form->XPButton3->Enabled());

    // The update runs again once the database takes it.
    DataFolder::exec(gConnStock, "drop trigger refuse; create trigger refuse before insert on protesyles "
                                 "when new.kodikos='NEW' begin select raise(abort, 'refused'); end");
    form->XPButton3_Click();
    EXPECT_DOUBLE_EQ(stockOf("AAA"), 11);
    EXPECT_DOUBLE_EQ(stockOf("BBB"), 11);
    ASSERT_EQ(form->List1->count(), 1);

    // An insert refused for one code inserts none and leaves the window open.
    boxes.clear();
    form->XPButton4_Click();
    EXPECT_EQ(materialCount(), 2);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_EQ(Form5::instance(), form);
    EXPECT_TRUE(form->XPButton4->Enabled());
}

TEST_F(InvoiceWindow, ColumnChoicesRoundTripThroughTheSettingsString)
{
    DataFolder::exec(gConnStock, "update Promithf set tmpString1='0102010304' || '0150000300' where ID=1");
    auto* form = new Form5;
    const int expected[] = {1, 2, 1, 3, 4};   // B, C, A (after "-"), D, E
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(form->Combo1[std::size_t(i)]->currentIndex(), expected[i]) << i;
    EXPECT_EQ(form->actionMode(), Form5::Add);

    choose(form, Form5::CodeColumn, 20);
    choose(form, Form5::DescriptionColumn, 0);
    form->XPButton3_Click();
    EXPECT_EQ(settingsString(), "2002000304" "0150000300");
    delete form;

    // Short or unreadable choices start every chooser at its first entry.
    const std::pair<const char*, int> stored[] = {{"0102", 0}, {"xx99-10300" "0000000000", 3}};
    for (const auto& [value, fourth] : stored) {
        SCOPED_TRACE(value);
        DataFolder::exec(gConnStock, QString("update Promithf set tmpString1='%1' where ID=1").arg(value));
        Form5 fresh;
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(fresh.Combo1[std::size_t(i)]->currentIndex(), i == 3 ? fourth : 0) << i;
    }
}

TEST_F(InvoiceWindow, DeleteRemovesTheSelectedRowsDownwardsOnly)
{
    Form5* form = paste("R1\t1\nR2\t1\nR3\t1\nR4\t1\n");
    FlexGrid* grid = form->MSFlexGrid1;
    grid->setRow(2);
    grid->setRowSel(3);
    form->XPButton6_Click();
    ASSERT_EQ(grid->Rows(), 3);
    EXPECT_EQ(cell(form, 1, 0), "R1");
    EXPECT_EQ(cell(form, 2, 0), "R4");

    grid->setRow(2);
    grid->setRowSel(1);   // drawn upwards
    form->XPButton6_Click();
    EXPECT_EQ(grid->Rows(), 3);
}

TEST_F(InvoiceWindow, MenuOpensTheWindowAndReturnShowsTheHomeScreen)
{
    MDIForm1 main;
    main.show();
    main.setPanel1Text("totals");
    emit main.Command2[1]->Click();
    Form5* form = Form5::instance();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(main.Picture1->isHidden());
    EXPECT_TRUE(main.Picture2->isHidden());
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->geometry(), units::pxRect(0, 0, main.Width(), main.Height()));

    paste("A1\t1\nB2\t2\n");
    form->XPButton2_Click();
    EXPECT_EQ(Form5::instance(), nullptr);
    EXPECT_FALSE(main.Picture1->isHidden());
    EXPECT_FALSE(main.Picture2->isHidden());
    EXPECT_EQ(main.panel1Text(), MDIForm1::versionText());
    for (int round = 0; round < 2; ++round)   // the window, then its sub-window
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main.mdiArea->subWindowList().isEmpty());
}

} // namespace
