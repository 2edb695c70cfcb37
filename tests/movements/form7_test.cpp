// The order sheet: opening from the job window, the fill by class and supplier, the order
// quantity, the in-place editor and the sheet outliving its job window.

#include "movements/jobfixture.h"

#include "controls/xpbutton.h"
#include "core/helpers.h"
#include "core/mdiform1.h"
#include "movements/form7.h"
#include "platform/flexgrid.h"
#include "platform/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>

using jobtest::jobLine;

namespace {

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
    emit sheet->Combo5->activated(0);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("δεν είναι πια ανοιχτή"));
    EXPECT_EQ(column(sheet, Form7::ColCode), QStringList({"A"}));
    EXPECT_EQ(column(sheet, Form7::ColOrder), QStringList({"8"}));
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
    for (qint16 flag : gColumnSelected)
        ASSERT_NE(flag, 0);
    EXPECT_EQ(boxes.count(), 0);
}

} // namespace
