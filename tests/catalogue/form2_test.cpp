#include "catalogue/form2.h"
#include "catalogue/supplier_record.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/mdiform1.h"
#include "support/testenv.h"
#include <QAccessible>
#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace {

using testenv::DataFolder;

// Input as a user gives it, delivered straight to the widget.
void keyClick(QWidget* widget, Qt::Key key, Qt::KeyboardModifiers modifiers = {},
              const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QApplication::sendEvent(widget, &release);
}

void keyClicks(QWidget* widget, const QString& text)
{
    for (const QChar c : text) {
        const auto key = c.isLetter() ? Qt::Key(Qt::Key_A + (c.toUpper().unicode() - 'A'))
                                      : Qt::Key_unknown;
        keyClick(widget, key, {}, QString(c));
    }
}

void mouseClick(QWidget* widget, const QPoint& pos)
{
    const QPointF local(pos);
    const QPointF global(widget->mapToGlobal(pos));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, {});
    QApplication::sendEvent(widget, &release);
}

struct Supplier {
    QString name, details, comments;
    bool operator==(const Supplier& o) const
    {
        return name == o.name && details == o.details && comments == o.comments;
    }
};

std::ostream& operator<<(std::ostream& out, const Supplier& s)
{
    return out << '{' << s.name.toStdString() << " | " << s.details.toStdString() << " | "
               << s.comments.toStdString() << '}';
}

class SuppliersWindow : public ::testing::Test {
protected:
    static Supplier stored(int id)
    {
        db::Recordset rs;
        rs.Open("select * from Promithf where ID=" + QString::number(id), gConnStock);
        Supplier s {rs.field("Perigrafi").toString(), rs.field("stoixeia").toString(),
                    rs.field("stoixeia2").toString()};
        rs.Close();
        return s;
    }
    static void store(int id, const QString& name, const QString& details, const QString& comments)
    {
        db::Recordset rs;
        rs.Open("select * from Promithf where ID=" + QString::number(id), gConnStock);
        rs.setField("Perigrafi", name);
        rs.setField("stoixeia", details);
        rs.setField("stoixeia2", comments);
        rs.Update();
        rs.Close();
    }
    Form2& open()
    {
        form_ = std::make_unique<Form2>();
        form_->show();
        return *form_;
    }
    Supplier shown() const
    {
        return {form_->Text1->text(), form_->Text2->toPlainText(), form_->Text3->toPlainText()};
    }
    QStringList entries() const
    {
        QStringList texts;
        for (int i = 0; i < form_->List1->count(); ++i)
            texts << form_->List1->item(i)->text();
        return texts;
    }
    // Selects the box's text and types over it (an empty text deletes the selection).
    static void typeOver(QWidget* box, const QString& text)
    {
        box->setFocus();
        keyClick(box, Qt::Key_A, Qt::ControlModifier);
        if (text.isEmpty())
            keyClick(box, Qt::Key_Delete);
        else
            keyClicks(box, text);
    }

    DataFolder folder_;
    testenv::Boxes boxes_;
    std::unique_ptr<Form2> form_;
};

TEST_F(SuppliersWindow, OpensOnTheFirstSupplierAndStoresItsOwnTrimmedTexts)
{
    store(1, "  Acme  ", "  Main St 1\nAthens  ", " note ");
    store(2, "Beta", "b-details", "b-comments");
    Form2& form = open();

    EXPECT_EQ(Form2::instance(), &form);
    ASSERT_EQ(form.List1->count(), 30);
    EXPECT_EQ(form.List1->currentRow(), 0);
    EXPECT_EQ(entries().mid(0, 3), QStringList({"Acme", "Beta", ""}));
    const Supplier own {"Acme", "Main St 1\nAthens", "note"};
    EXPECT_EQ(shown(), own);
    EXPECT_EQ(stored(1), own);
    EXPECT_EQ(stored(2), (Supplier {"Beta", "b-details", "b-comments"}));
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select tmpString1 from Promithf where ID=1").toString(),
              "00000000000000000000");
    EXPECT_EQ(form.Text1->selectedText(), "Acme");
    EXPECT_TRUE(boxes_.shown().isEmpty());
}

TEST_F(SuppliersWindow, BlankStoredNameBecomesDashWhenShown)
{
    // The first supplier is blank when the window opens; the third when it is selected.
    store(1, "   ", "", "");
    store(3, "", "three", "");
    Form2& form = open();
    EXPECT_EQ(form.Text1->text(), "-");
    EXPECT_EQ(form.List1->item(0)->text(), "-");
    EXPECT_EQ(stored(1).name, "-");

    form.List1->setCurrentRow(2);
    EXPECT_EQ(shown(), (Supplier {"-", "three", ""}));
    EXPECT_EQ(form.List1->item(2)->text(), "-");
    EXPECT_EQ(stored(3), (Supplier {"-", "three", ""}));
    EXPECT_EQ(supplier::choiceList()[3], "- - - { 03 } - - -");
}

// The name box is still empty when the first supplier is shown: a blank name with details
// is stored as "-" all the same.
TEST_F(SuppliersWindow, BlankFirstSupplierWithDetailsGetsDash)
{
    store(1, "", "  details ", "comments");
    Form2& form = open();
    EXPECT_EQ(form.Text1->text(), "-");
    EXPECT_EQ(stored(1), (Supplier {"-", "details", "comments"}));
}

TEST_F(SuppliersWindow, EmptiedNameIsStoredAsDash)
{
    store(1, "Acme", "", "");
    Form2& form = open();
    form.Text1->setFocus();
    keyClick(form.Text1, Qt::Key_End);
    for (int i = 0; i < 4; ++i)
        keyClick(form.Text1, Qt::Key_Backspace);
    EXPECT_EQ(form.Text1->text(), "-");
    EXPECT_EQ(form.List1->item(0)->text(), "-");
    EXPECT_EQ(stored(1).name, "-");
}

TEST_F(SuppliersWindow, TypedNameRenamesTheEntryAsTypedAndStoresItTrimmed)
{
    Form2& form = open();
    typeOver(form.Text1, "New Co  ");
    EXPECT_EQ(form.List1->item(0)->text(), "New Co  ");
    EXPECT_EQ(stored(1).name, "New Co");
    EXPECT_EQ(supplier::choiceList()[1], "New Co");
}

TEST_F(SuppliersWindow, SwitchingSuppliersLeavesBothWithTheirOwnTexts)
{
    store(1, "Alpha", "a-details", "a-comments");
    store(2, "Beta", "b-details", "b-comments");
    store(4, "Alpha", "a-details", "a-comments");   // same texts as the first: no box changes
    Form2& form = open();

    form.List1->setCurrentRow(1);
    EXPECT_EQ(shown(), (Supplier {"Beta", "b-details", "b-comments"}));
    form.List1->setCurrentRow(0);
    form.List1->setCurrentRow(3);
    form.List1->setCurrentRow(1);
    EXPECT_EQ(stored(1), (Supplier {"Alpha", "a-details", "a-comments"}));
    EXPECT_EQ(stored(2), (Supplier {"Beta", "b-details", "b-comments"}));
    EXPECT_EQ(stored(4), (Supplier {"Alpha", "a-details", "a-comments"}));
    EXPECT_EQ(entries().mid(0, 4), QStringList({"Alpha", "Beta", "", "Alpha"}));
}

TEST_F(SuppliersWindow, UserClickOnAnEntryShowsItAndSelectsTheName)
{
    store(2, "Beta", "b-details", "");
    Form2& form = open();
    QListWidget* list = form.List1;
    const QRect second = list->visualItemRect(list->item(1));
    mouseClick(list->viewport(), second.center());
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(shown(), (Supplier {"Beta", "b-details", ""}));
    EXPECT_EQ(form.Text1->selectedText(), "Beta");
}

TEST_F(SuppliersWindow, DetailsAndCommentsOverSeveralLinesKeepTheirLineBreaks)
{
    Form2& form = open();
    typeOver(form.Text2, "  Main St 1");
    keyClick(form.Text2, Qt::Key_Return);
    keyClicks(form.Text2, "Athens  ");
    typeOver(form.Text3, "first");
    keyClick(form.Text3, Qt::Key_Return);
    keyClick(form.Text3, Qt::Key_Return);
    keyClicks(form.Text3, "third ");
    const Supplier first = stored(1);
    EXPECT_EQ(first.details, "Main St 1\nAthens");
    EXPECT_EQ(first.comments, "first\n\nthird");
    EXPECT_EQ(form.Text2->toPlainText(), "  Main St 1\nAthens  ");
}

TEST_F(SuppliersWindow, OpeningWritesNothingAndEditsKeepTheStoredLineBreaks)
{
    store(1, "Acme", "Main St 1\r\nAthens", "first\r\n\r\nthird");
    store(2, "Beta", "b1\nb2", "");
    const auto changes = [] { return DataFolder::scalar(gConnStock, "select total_changes()").toLongLong(); };
    const qint64 before = changes();
    Form2& form = open();
    form.List1->setCurrentRow(1);
    form.List1->setCurrentRow(0);
    EXPECT_EQ(changes(), before);
    EXPECT_EQ(stored(1), (Supplier {"Acme", "Main St 1\r\nAthens", "first\r\n\r\nthird"}));

    form.Text2->moveCursor(QTextCursor::End);
    keyClick(form.Text2, Qt::Key_Return);
    keyClicks(form.Text2, "Greece");
    EXPECT_EQ(stored(1).details, "Main St 1\r\nAthens\r\nGreece");
    EXPECT_EQ(stored(2).details, "b1\nb2");   // a text stored with LF alone keeps LF
}

TEST_F(SuppliersWindow, TabMovesTheFocusOutOfTheMultiLineBoxes)
{
    Form2& form = open();
    QApplication::setActiveWindow(&form);
    struct Case {
        QPlainTextEdit* box;
        Qt::KeyboardModifiers modifiers;
        QWidget* next;
    };
    for (const Case& c : {Case {form.Text2, Qt::NoModifier, form.Text3}, Case {form.Text3, Qt::ShiftModifier, form.Text2},
                          Case {form.Text2, Qt::ShiftModifier, form.Text1}}) {
        c.box->setFocus();
        QTest::keyClick(c.box, Qt::Key_Tab, c.modifiers);
        EXPECT_EQ(QApplication::focusWidget(), c.next) << c.box->objectName().toStdString();
        EXPECT_FALSE(c.box->toPlainText().contains(u'\t'));
    }
    EXPECT_FALSE(stored(1).details.contains(u'\t'));
}

TEST_F(SuppliersWindow, ScreenReadersHearEachBoxByItsLabel)
{
    Form2& form = open();
    const std::pair<QWidget*, QString> cases[] {
        {form.List1, "Προμηθευτές"}, {form.Text1, "Ονομασία"}, {form.Text2, "Στοιχεία"}, {form.Text3, "Σχόλια"}};
    for (const auto& [control, name] : cases)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), name)
            << control->objectName().toStdString();
}

TEST_F(SuppliersWindow, ThirdEntryEditsTheRowWithIdThree)
{
    Form2& form = open();
    form.List1->setCurrentRow(2);
    typeOver(form.Text1, "Gamma");
    typeOver(form.Text3, "call first");
    EXPECT_EQ(stored(3), (Supplier {"Gamma", "", "call first"}));
    EXPECT_EQ(DataFolder::scalar(gConnStock,
                  "select count(*) from Promithf where Perigrafi<>'' and ID<>3 and ID<>1").toInt(), 0);
    EXPECT_EQ(supplier::choiceList()[3], "Gamma");
}

TEST_F(SuppliersWindow, EmptyTableOpensAndEditsNothing)
{
    DataFolder::exec(gConnStock, "delete from Promithf");
    Form2& form = open();
    EXPECT_EQ(form.List1->count(), 0);
    typeOver(form.Text1, "Acme");
    typeOver(form.Text1, "");
    typeOver(form.Text2, "details");
    EXPECT_EQ(form.Text1->text(), "-");
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from Promithf").toInt(), 0);
    EXPECT_TRUE(boxes_.shown().isEmpty());
}

TEST_F(SuppliersWindow, NullTextsAndGapsInTheNumbering)
{
    DataFolder::exec(gConnStock,
        "delete from Promithf where ID>3;"
        "update Promithf set Perigrafi=NULL, stoixeia=NULL, stoixeia2=NULL where ID=1;"
        "update Promithf set Perigrafi='Five' where ID=3;"
        "update Promithf set ID=5 where ID=3");
    Form2& form = open();
    EXPECT_EQ(entries(), QStringList({"-", "", "Five"}));
    EXPECT_EQ(stored(1), (Supplier {"-", "", ""}));
    // The entry edits the row whose name it shows.
    form.List1->setCurrentRow(2);
    typeOver(form.Text2, "five");
    EXPECT_EQ(stored(5), (Supplier {"Five", "five", ""}));
    EXPECT_TRUE(boxes_.shown().isEmpty());
}

TEST_F(SuppliersWindow, ReturnWithoutMainWindowUnloads)
{
    Form2& form = open();
    bool destroyed = false;
    QObject::connect(&form, &QObject::destroyed, [&destroyed] { destroyed = true; });
    form.Command1_Click();
    EXPECT_EQ(Form2::instance(), nullptr);
    EXPECT_FALSE(form.isVisible());
    form_.release();   // deleted once control is back in the event loop
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(destroyed);
}

TEST_F(SuppliersWindow, ReturnShowsTheHomeScreenAndSignalsTheMainWindow)
{
    MDIForm1 main;
    main.show();
    main.Picture1->hide();
    main.Picture2->hide();
    auto* form = new Form2;
    main.showChild(form, 0, 0, main.Width(), main.Height());
    main.setPanel1Text("busy");
    QVector<bool> ticked;
    QObject::connect(main.Check1, &QCheckBox::toggled, [&ticked](bool on) { ticked << on; });

    // The button lies below the offscreen screen's edge, out of the pointer's reach: raise
    // its Click as a click would.
    ASSERT_TRUE(QMetaObject::invokeMethod(form->Command1, "Click"));

    EXPECT_TRUE(main.Picture1->isVisible());
    EXPECT_TRUE(main.Picture2->isVisible());
    EXPECT_EQ(Form2::instance(), nullptr);
    EXPECT_TRUE(ticked.contains(true));
    EXPECT_EQ(main.panel1Text(), MDIForm1::versionText());
}

} // namespace
