// The materials window with the keyboard and through assistive technology: the editor
// frame over the list, Tab in the comments box, the names a screen reader is told, and
// the row that "Μεταβολή" opens after a refill.

#include "catalogue/form3.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/mdiform1.h"
#include "platform/flexgrid.h"
#include "support/testenv.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QAbstractItemView>
#include <QLabel>
#include <QRegularExpression>
#include <QToolButton>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace {

using testenv::DataFolder;

void insert(long id, const QString& code, double stock, bool controlled)
{
    DataFolder::exec(gConnStock,
        QString("insert into protesyles (ID, Perigrafi, kodikos, mystock, minstock, exeielegxo) "
                "values (%1, 'Item %2', '%2', %3, 1, %4)")
            .arg(id).arg(code).arg(stock).arg(controlled ? 1 : 0));
}

long materialCount()
{
    return DataFolder::scalar(gConnStock, "select count(*) from protesyles").toLongLong();
}

bool offered(QWidget* widget)
{
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
    return access && !access->state().invisible;
}

class MaterialsKeyboard : public ::testing::Test {
protected:
    ~MaterialsKeyboard() override { delete Form3::instance(); }

    Form3& open()
    {
        main_.show();
        main_.Command2_Click(0);
        QApplication::setActiveWindow(&main_);
        QApplication::processEvents();
        return *Form3::instance();
    }

    static void press(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(widget, key, modifiers);
    }

    DataFolder data_;
    testenv::Boxes boxes_;
    MDIForm1 main_;
};

TEST_F(MaterialsKeyboard, TheEditorOverTheListTakesTheKeyboardUntilItCloses)
{
    insert(1, "A-1", 5, false);
    insert(2, "B-2", 5, false);
    Form3& form = open();
    form.MSFlexGrid1->setRow(1);
    form.Command2->setFocus();
    press(form.Command2, Qt::Key_Space);   // "Μεταβολή"
    ASSERT_TRUE(form.Frame1->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form.Text1Box(0));

    const std::vector<QWidget*> list {form.MSFlexGrid1, form.Combo5, form.Combo6, form.Text1Box(8), form.Command2,
                                      form.Command4, form.XPButton3, form.XPButton2, form.Command1};
    for (QWidget* covered : list)
        EXPECT_FALSE(offered(covered)) << covered->objectName().toStdString();
    // Tab and Return go round the editor's own controls, never to the covered Delete.
    for (int i = 0; i < 40; ++i) {
        press(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_TRUE(form.Frame1->isAncestorOf(QApplication::focusWidget())) << i;
    }
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(materialCount(), 2);

    form.Combo5->setCurrentIndex(1);   // a refill meanwhile shows the list again: still covered
    EXPECT_FALSE(offered(form.MSFlexGrid1));
    form.Combo5->setCurrentIndex(0);

    form.Command5->setFocus();
    press(form.Command5, Qt::Key_Space);   // back to the list
    EXPECT_FALSE(form.Frame1->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), form.Command2);
    for (QWidget* uncovered : list)
        EXPECT_TRUE(offered(uncovered)) << uncovered->objectName().toStdString();
}

TEST_F(MaterialsKeyboard, ANewMaterialIsStoredOnceWhateverKeysReachTheWindow)
{
    insert(1, "A-1", 5, false);
    Form3& form = open();
    form.Command4->setFocus();
    press(form.Command4, Qt::Key_Space);   // "Νέο"
    ASSERT_TRUE(form.isNewMode());
    QTest::keyClicks(QApplication::focusWidget(), "Profile");
    EXPECT_EQ(form.Text1(0), "Profile");
    // Shift+Tab from the first field stays in the editor: the covered "Μεταβολή" cannot
    // fill the new material from a listed row.
    press(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_TRUE(form.Frame1->isAncestorOf(QApplication::focusWidget()));
    EXPECT_EQ(form.Text1(0), "Profile");

    form.Command7->setFocus();
    press(form.Command7, Qt::Key_Space);
    EXPECT_EQ(materialCount(), 2);
    EXPECT_FALSE(form.Frame1->isVisible());
}

TEST_F(MaterialsKeyboard, TheCommentsBoxPassesTabOnAndKeepsItsStoredLineBreaks)
{
    insert(1, "A-1", 5, false);
    DataFolder::exec(gConnStock, "update protesyles set stoixeia2 = 'left' || char(13, 10) || 'right' where ID = 1");
    Form3& form = open();
    form.MSFlexGrid1->setRow(1);
    form.Command2_Click();
    QWidget* comments = form.Text1Box(7);
    comments->setFocus();
    press(comments, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form.Text1Box(10));
    press(form.Text1Box(10), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), comments);
    EXPECT_EQ(form.Text1(7), "left\nright");

    form.Command7_Click();   // saved unchanged
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select stoixeia2 from protesyles where ID = 1").toString(),
              "left\r\nright");
}

// Picks an entry of a filter box from its open list, as the user does.
void pickFromList(QComboBox* combo, int index)
{
    combo->showPopup();
    combo->view()->setCurrentIndex(combo->model()->index(index, 0));
    QTest::keyClick(combo->view(), Qt::Key_Return);
}

TEST_F(MaterialsKeyboard, EveryPickOfAFilterRefillsAlsoOfTheEntryShown)
{
    insert(1, "A-1", 5, true);
    Form3& form = open();
    long next = 2;
    for (QComboBox* filter : {form.Combo5, form.Combo6}) {
        insert(next, QString("N-%1").arg(next), 5, true);   // stored meanwhile elsewhere
        pickFromList(filter, 0);
        EXPECT_EQ(form.MSFlexGrid1->Rows() - 1, next) << filter->objectName().toStdString();
        ++next;
    }
    form.Combo6->setFocus();
    QTest::keyClick(form.Combo6, Qt::Key_Down);   // "Με έλεγχο"
    EXPECT_EQ(form.MSFlexGrid1->Rows() - 1, 3);
    insert(9, "X-9", 5, false);
    pickFromList(form.Combo6, 2);   // "Χωρίς έλεγχο"
    EXPECT_EQ(form.MSFlexGrid1->Rows() - 1, 1);
}

TEST_F(MaterialsKeyboard, ModifyRightAfterARefillOpensTheLastColouredRowOrTheFirst)
{
    struct Case {
        std::vector<std::pair<double, bool>> materials;   // stock, controlled; minimum 1
        QString opened;
    };
    const Case cases[] {
        {{{5, true}, {0, true}, {0.5, true}, {5, true}}, "3"},   // short, then below minimum
        {{{0, true}, {5, false}, {-1, false}}, "1"},
        {{{5, true}, {5, false}}, "1"},                          // none coloured: the first row
    };
    for (const Case& c : cases) {
        DataFolder::exec(gConnStock, "delete from protesyles");
        long id = 1;
        for (const auto& [stock, controlled] : c.materials) {
            insert(id, QString("C-%1").arg(id), stock, controlled);
            ++id;
        }
        Form3& form = *(Form3::instance() ? Form3::instance() : &open());
        pickFromList(form.Combo5, 0);
        form.Command2->setFocus();
        press(form.Command2, Qt::Key_Space);
        EXPECT_TRUE(form.Frame1->isVisible());
        EXPECT_EQ(form.Label2->text(), c.opened);
        form.Command5_Click();
        form.XPButton3_Click();   // Delete waits for a row the user picks: it asks nothing
    }
    EXPECT_EQ(boxes_.count(), 0);
}

// Every control the keyboard reaches, named as assistive technology tells it.
QStringList unnamedControls(const QWidget& window)
{
    QStringList unnamed;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!(control->focusPolicy() & Qt::TabFocus))
            continue;
        QAccessibleInterface* access = QAccessible::queryAccessibleInterface(control);
        if (!access || access->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << control->objectName() + " " + control->metaObject()->className();
    }
    return unnamed;
}

TEST_F(MaterialsKeyboard, EveryControlIsNamedByTheLabelBesideIt)
{
    Form3& form = open();
    EXPECT_EQ(unnamedControls(form), QStringList());
    const auto name = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    struct Case {
        int box;
        int label;
    };
    for (const Case& c : {Case {0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 9}, {5, 10}, {6, 11}, {9, 16}, {7, 12}, {10, 17}})
        EXPECT_EQ(name(form.Text1Box(c.box)), form.Label1[std::size_t(c.label)]->text()) << c.box;
    // A choice box names its choice; its label comes as the label relation.
    const auto labelOf = [](QWidget* widget) {
        const auto relations = QAccessible::queryAccessibleInterface(widget)->relations(QAccessible::Label);
        return relations.isEmpty() ? QString() : relations.front().first->text(QAccessible::Name);
    };
    for (const auto& [combo, label] : {std::pair {form.Combo1, 4}, {form.Combo4, 6}, {form.Combo3, 7}})
        EXPECT_EQ(labelOf(combo), form.Label1[std::size_t(label)]->text()) << combo->objectName().toStdString();
    // The screen-clip button is the program's own: it speaks Greek.
    EXPECT_FALSE(name(form.ImageXY).contains(QRegularExpression("[A-Za-z]"))) << name(form.ImageXY).toStdString();
}

} // namespace
