#include "catalogue/form3.h"
#include "catalogue/form8.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/mdiform1.h"
#include "platform/flexgrid.h"
#include "platform/units.h"
#include "support/testenv.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

using testenv::DataFolder;

struct Material {
    long id;
    QString description;
    QString code;
    double stock = 0;
    double minimum = 0;
    bool controlled = false;
    int supplier = 0;
};

void insert(const Material& m)
{
    DataFolder::exec(gConnStock,
        QString("insert into protesyles (ID, Perigrafi, kodikos, mystock, minstock, exeielegxo, promitheftis) "
                "values (%1, '%2', '%3', %4, %5, %6, %7)")
            .arg(m.id).arg(m.description, m.code)
            .arg(m.stock, 0, 'g', 17).arg(m.minimum, 0, 'g', 17)
            .arg(m.controlled ? 1 : 0).arg(m.supplier));
}

QVariant stored(long id, const QString& field)
{
    return DataFolder::scalar(gConnStock, QString("select %1 from protesyles where ID=%2").arg(field).arg(id));
}

// Regional settings of a Greek desktop for the life of the guard.
class GreekSettings {
public:
    GreekSettings() { QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece)); }
    ~GreekSettings() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

class MaterialsWindow : public ::testing::Test {
protected:
    ~MaterialsWindow() override
    {
        if (Form3* form = Form3::instance())
            delete form;
    }

    // Opens the window from the main menu, as the user does.
    Form3& open()
    {
        main_.show();
        main_.Command2_Click(0);
        Form3* form = Form3::instance();
        EXPECT_NE(form, nullptr);
        QApplication::processEvents();
        return *form;
    }

    FlexGrid& grid() { return *Form3::instance()->MSFlexGrid1; }

    QStringList column(int col)
    {
        QStringList texts;
        for (int r = 1; r < grid().Rows(); ++r)
            texts << grid().TextMatrix(r, col);
        return texts;
    }

    std::uint32_t backColor(int row, int col)
    {
        grid().setRow(row);
        grid().setCol(col);
        return grid().CellBackColor();
    }

    std::uint32_t headerColor(int col)
    {
        grid().setRow(0);
        grid().setCol(col);
        return grid().CellForeColor();
    }

    // A mouse press and release on a point of the grid (twips within the grid).
    void clickGrid(int xTw, int yTw, Qt::MouseButton button = Qt::LeftButton)
    {
        FlexGrid& g = grid();
        const QPoint inGrid = units::pxPoint(xTw, yTw);
        QWidget* target = g.viewport();
        if (!g.viewport()->geometry().contains(inGrid))
            target = g.horizontalHeader()->viewport();
        const QPointF local = target->mapFrom(&g, inGrid);
        const QPointF global = g.mapToGlobal(inGrid);
        QMouseEvent press(QEvent::MouseButtonPress, local, global, button, button, {});
        QApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, local, global, button, Qt::NoButton, {});
        QApplication::sendEvent(target, &release);
    }

    // The middle of a cell, in twips within the grid.
    QPoint cellMiddle(int row, int col)
    {
        QApplication::processEvents();   // the rows of a refill reach the view
        FlexGrid& g = grid();
        const QRect area = g.viewport()->geometry();
        const int x = area.x() + g.columnViewportPosition(col) + g.columnWidth(col) / 2;
        const int y = row == 0 ? area.y() - 5 : area.y() + g.rowViewportPosition(row) + g.rowHeight(row) / 2;
        return {units::tw(x), units::tw(y)};
    }

    void clickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPoint p = cellMiddle(row, col);
        clickGrid(p.x(), p.y(), button);
    }

    DataFolder data_;
    testenv::Boxes boxes_;
    MDIForm1 main_;
};

TEST_F(MaterialsWindow, MenuOpensTheListAndReturnGoesBackHome)
{
    insert({7, "Hinge", "H-1"});
    Form3& form = open();
    EXPECT_FALSE(main_.Picture1->isVisible());
    EXPECT_FALSE(main_.Picture2->isVisible());
    auto* sub = qobject_cast<QMdiSubWindow*>(form.parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->geometry(), units::pxRect(0, 0, main_.Width(), main_.Height()));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(QFileInfo(gAppPath + "/myimages").isDir());

    const QStringList headers {"id", "PERIGRAFI", "KODIKOS", "", "", "", "", "TYPOS", "", "PROMITHEFTIS",
                               "Stock", "Min", "Max", "Chk", ""};
    const int widths[] = {700, 6000, 3200, 1, 1, 1, 1, 1, 1, 1, 900, 900, 1, 450, 1};
    for (int c = 0; c < Form3::kColumns; ++c) {
        EXPECT_EQ(grid().TextMatrix(0, c), headers[c]) << c;
        EXPECT_EQ(grid().ColWidth(c), widths[c]) << c;
    }
    EXPECT_EQ(grid().ColAlignment(0), 1);
    EXPECT_EQ(grid().ColAlignment(13), 7);
    EXPECT_EQ(grid().TextMatrix(1, 0), "0007");
    EXPECT_EQ(grid().RowHeight(1), 315);
    EXPECT_EQ(form.Combo5->count(), 31);   // " - " and the 30 suppliers
    EXPECT_EQ(form.Combo6->currentText(), "-ΟΛΑ-");
    EXPECT_TRUE(form.Option1[1]->isChecked());

    emit form.Command1->Click();
    QApplication::processEvents();
    EXPECT_EQ(Form3::instance(), nullptr);
    EXPECT_TRUE(main_.Picture1->isVisible());
    EXPECT_EQ(main_.panel1Text(), MDIForm1::versionText());
}

TEST_F(MaterialsWindow, OrderOpensTheShortageListOverTheListWhichWaitsUntilItGoes)
{
    insert({3, "Handle", "HD-3", 0, 4, true});
    Form3& form = open();
    emit form.XPButton5->Click();
    Form8* shortages = Form8::instance();
    ASSERT_NE(shortages, nullptr);
    EXPECT_FALSE(form.isEnabled());
    EXPECT_EQ(shortages->MSFlexGrid1->TextMatrix(1, 1), "Handle");

    emit shortages->Command1->Click();   // its return
    QApplication::processEvents();
    EXPECT_EQ(Form8::instance(), nullptr);
    EXPECT_TRUE(form.isEnabled());

    emit form.XPButton5->Click();   // gone any other way: its sub-window closed
    ASSERT_NE(Form8::instance(), nullptr);
    delete Form8::instance()->parentWidget();
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(MaterialsWindow, ColoursShortagesAndMaterialsBelowMinimumAndCountsThem)
{
    struct Case {
        bool controlled;
        double stock, minimum;
        std::uint32_t colour;   // 0: not coloured
    } const cases[] = {
        {true, 0, 5, Form3::kShortageColor},
        {true, -2.5, 0, Form3::kShortageColor},
        {true, 0.5, 1, Form3::kBelowMinimumColor},
        {true, 1, 1, 0},
        {true, 0.1, double(0.1f), 0},   // the same figure as stored in single precision
        {true, 3, 1, 0},
        {false, -5, 1, 0},
        {false, 0.5, 1, 0},
    };
    long id = 1;
    for (const Case& c : cases) {
        insert({id, QString("M%1").arg(id), QString("C%1").arg(id), c.stock, c.minimum, c.controlled});
        ++id;
    }
    open();
    ASSERT_EQ(grid().Rows(), int(std::size(cases)) + 1);
    for (int r = 1; r < grid().Rows(); ++r) {
        const Case& c = cases[r - 1];
        EXPECT_EQ(grid().TextMatrix(r, 13), c.controlled ? "ok" : "--") << r;
        for (int col : {0, 1, 10, 13})
            EXPECT_EQ(backColor(r, col), c.colour) << r << " col " << col;
        EXPECT_EQ(backColor(r, 14), 0u) << r;
    }
    EXPECT_EQ(main_.panel1Text(), "Σύνολο:8 |  έλλειψη:2 |  ελάχιστα:1 |  προς παραγγελία:3");

    // The rows take the swatch's colour, whatever it is.
    units::setBackColor(Form3::instance()->Shape4[0], 0x00FF00);
    Form3::instance()->Combo5_Click();
    EXPECT_EQ(backColor(1, 0), 0x00FF00u);
}

TEST_F(MaterialsWindow, FiltersAndHeaderClicksChooseTheQuery)
{
    insert({1, "delta", "B", 1, 0, true, 2});
    insert({2, "alpha", "D", 1, 0, false, 2});
    insert({3, "charlie", "A", 1, 0, true, 1});
    insert({4, "bravo", "C", 1, 0, false, 0});
    Form3& form = open();
    const int header = 100;   // twips from the grid's top: on the header row
    struct Case {
        int supplier, check;
        std::optional<int> headerX;   // a header click at this X, else a filter change only
        QStringList ids;
        int marked;                   // the header in red; -1 none
    } const cases[] = {
        {0, 1, {}, {"0001", "0003"}, -1},
        {0, 2, {}, {"0002", "0004"}, -1},
        {0, 0, {}, {"0001", "0002", "0003", "0004"}, -1},
        {0, 1, 701, {"0002", "0004", "0003", "0001"}, 1},    // description; the check filter does not apply
        {0, 1, 6700, {"0001", "0003"}, 0},                   // exactly on the boundary: identifier
        {0, 0, 6701, {"0003", "0001", "0004", "0002"}, 2},   // right of the description: code
        {0, 0, 11000, {"0003", "0001", "0004", "0002"}, 2},  // on "Stock": code as well
        {0, 0, 700, {"0001", "0002", "0003", "0004"}, 0},
        {2, 1, 701, {"0001", "0002"}, 1},                    // a supplier lists by identifier
        {0, 2, {}, {"0002", "0004"}, 1},                     // a filter change keeps the mark
    };
    for (const Case& c : cases) {
        form.Combo6->setCurrentIndex(c.check);
        form.Combo5->setCurrentIndex(c.supplier);
        if (c.headerX)
            form.MSFlexGrid1_MouseDown(1, 0, *c.headerX, header);
        EXPECT_EQ(column(0), c.ids) << c.supplier << "/" << c.check << "/" << c.headerX.value_or(-1);
        for (int col = 0; col <= 3; ++col)
            EXPECT_EQ(headerColor(col), col == c.marked ? Form3::kSortMarkColor : 0u) << col;
    }
}

TEST_F(MaterialsWindow, DescriptionsAndCodesSortAlphabetically)
{
    // Stored in an order that code points would keep: capitals first, accented before plain.
    const char* const descriptions[] = {"Βίδα", "ΓΩΝΙΑ", "Δείγμα", "Ζάντα", "άξονας", "αλουμίνιο", "δίσκος",
                                        "bolt", "Axle"};
    long id = 0;
    for (const char* description : descriptions) {
        ++id;
        insert({id, description, QString(description).toUpper() + "-" + QString::number(id)});
    }
    Form3& form = open();
    const QStringList alphabetical {"Axle", "bolt", "αλουμίνιο", "άξονας", "Βίδα", "ΓΩΝΙΑ", "Δείγμα", "δίσκος",
                                    "Ζάντα"};
    form.MSFlexGrid1_MouseDown(1, 0, 701, 100);
    EXPECT_EQ(column(1), alphabetical);
    form.MSFlexGrid1_MouseDown(1, 0, 6701, 100);
    EXPECT_EQ(column(1), alphabetical);   // ΑΛΟΥΜΊΝΙΟ-6 before ΆΞΟΝΑΣ-5, ΔΕΊΓΜΑ-3 before ΔΊΣΚΟΣ-7
}

TEST_F(MaterialsWindow, FindMovesThroughTheMatchesAndStartsOverSilently)
{
    for (long id = 1; id <= 100; ++id)
        insert({id, id == 3 || id == 20 || id == 60 ? QString("Bolt %1").arg(id) : QString("Nut %1").arg(id),
                QString("N%1").arg(id)});
    Form3& form = open();
    form.setText1(8, "  bolt ");
    struct Step {
        int row, top;
    } const steps[] = {{3, 1}, {20, 12}, {60, 52}};
    for (const Step& step : steps) {
        emit form.XPButton1->Click();
        EXPECT_EQ(grid().Row(), step.row);
        EXPECT_EQ(grid().TopRow(), step.top);
        EXPECT_EQ(grid().Col(), 0);
        EXPECT_EQ(grid().ColSel(), 7);
    }
    emit form.XPButton1->Click();   // nothing further: back to the top, no message
    EXPECT_EQ(grid().TopRow(), 1);
    EXPECT_EQ(grid().ColSel(), 0);
    EXPECT_EQ(boxes_.count(), 0);
    emit form.XPButton1->Click();
    EXPECT_EQ(grid().Row(), 3);

    form.setText1(8, "   ");
    emit form.XPButton1->Click();
    EXPECT_EQ(grid().Row(), 3);
}

TEST_F(MaterialsWindow, FindAndTheWheelOnAnEmptyListDoNothing)
{
    Form3& form = open();
    form.setText1(8, "x");
    emit form.XPButton1->Click();
    grid().setFocus();
    form.MouseWheel(0, -120, 0, 0);
    EXPECT_EQ(grid().Rows(), 1);
    EXPECT_EQ(main_.panel1Text(), "Σύνολο:0 |  έλλειψη:0 |  ελάχιστα:0 |  προς παραγγελία:0");
}

TEST_F(MaterialsWindow, TheWheelMovesTheFocusedListOneRowPerTurn)
{
    for (long id = 1; id <= 100; ++id)
        insert({id, QString("M%1").arg(id), QString("C%1").arg(id)});
    Form3& form = open();
    QApplication::setActiveWindow(&main_);
    grid().setFocus();
    ASSERT_EQ(QApplication::focusWidget(), &grid());
    const auto turn = [&form](int delta, QWidget* over = nullptr) {
        QWheelEvent event(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, delta), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over ? over : &form, &event);
    };
    turn(-120);
    turn(-360);
    EXPECT_EQ(grid().TopRow(), 3);
    turn(40);
    EXPECT_EQ(grid().TopRow(), 2);
    turn(120);
    turn(120);
    EXPECT_EQ(grid().TopRow(), 1);

    // Over any control of the window a notch moves the list one row and changes nothing else.
    main_.setPanel1Text("not refilled");
    QWidget* const controls[] = {form.Combo5, form.Combo6, grid().verticalScrollBar(), grid().viewport(),
                                 form.Text1Box(8)};
    int top = 1;
    for (QWidget* control : controls) {
        SCOPED_TRACE(control->metaObject()->className());
        turn(-120, control);
        EXPECT_EQ(grid().TopRow(), ++top);
    }
    // A turn from the window system comes through the main window, which would hand it on.
    const QPoint overSupplier = form.Combo5->mapTo(&main_, form.Combo5->rect().center());
    QWheelEvent fromSystem {QPointF(overSupplier), QPointF(overSupplier), QPoint(), QPoint(0, -120), Qt::NoButton,
                            {}, Qt::NoScrollPhase, false};
    QApplication::sendEvent(main_.windowHandle(), &fromSystem);
    EXPECT_EQ(grid().TopRow(), ++top);
    EXPECT_EQ(form.Combo5->currentIndex(), 0);
    EXPECT_EQ(form.Combo6->currentIndex(), 0);
    EXPECT_EQ(main_.panel1Text(), "not refilled");

    form.Text1Box(8)->setFocus();   // the list loses the focus: the wheel is no longer its
    turn(-120);
    EXPECT_EQ(grid().TopRow(), top);
    turn(-120, form.Combo5);
    EXPECT_EQ(form.Combo5->currentIndex(), 1);   // the supplier box takes its own wheel again
    EXPECT_NE(main_.panel1Text(), "not refilled");
}

TEST_F(MaterialsWindow, CopyPutsTheListOrItsShortagesOnTheClipboard)
{
    insert({1, "Short", "S-1", -1, 0, true});
    insert({2, "Empty", "E-1", 0, 0, true});
    insert({3, "Free", "F-1", -4, 0, false});
    Form3& form = open();
    emit form.XPButton2->Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              "id\tPERIGRAFI\tKODIKOS\tStock\t\t\n"
              "0001\tShort\tS-1\t-1\t\t\n"
              "0002\tEmpty\tE-1\t0\t\t\n"
              "0003\tFree\tF-1\t-4\t\t\n");
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "Ο πίνακας αντιγράφτηκε στο πρόχειρο");
    EXPECT_EQ(boxes_.last().style, 64);
    EXPECT_EQ(boxes_.last().title, "Μήνυμα");

    form.Option1[0]->setChecked(true);
    emit form.XPButton2->Click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "0001\tShort\tS-1\t-1\t\t\n");
    EXPECT_EQ(gShortageOnly, 0);
    for (qint16 flag : gColumnSelected)
        ASSERT_EQ(flag, -1);
}

TEST_F(MaterialsWindow, ToggleChangesOnlyTheRowClickedOnItsCheckCell)
{
    insert({1, "One", "A", 5, 0, true});
    insert({2, "Two", "B", 5, 0, true});
    insert({40000, "Big", "C", 5, 0, true});
    Form3& form = open();

    clickCell(3, 13);   // an identifier above 32,767
    EXPECT_EQ(stored(40000, "exeielegxo").toInt(), 0);
    EXPECT_EQ(grid().TextMatrix(3, 13), "--");
    clickCell(3, 13);
    EXPECT_EQ(stored(40000, "exeielegxo").toInt(), 1);
    EXPECT_EQ(grid().TextMatrix(3, 13), "ok");

    const auto unchanged = [&] {
        for (long id : {1L, 2L, 40000L})
            EXPECT_EQ(stored(id, "exeielegxo").toInt(), 1) << id;
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(grid().TextMatrix(r, 13), "ok") << r;
        EXPECT_EQ(grid().TextMatrix(0, 13), "Chk");
    };
    clickCell(1, 1);
    clickCell(2, 13, Qt::RightButton);   // row 1 is current: nothing changes
    unchanged();
    const QPoint below = cellMiddle(3, 13) + QPoint(0, 900);
    clickGrid(below.x(), below.y());
    unchanged();
    clickCell(0, 13);                    // a header click sorts and selects nothing
    clickCell(2, 13, Qt::RightButton);
    unchanged();
    EXPECT_EQ(form.MSFlexGrid1->Rows(), 4);
}

TEST_F(MaterialsWindow, ToggleOfAMaterialDeletedElsewhereKeepsTheCellAndSaysSo)
{
    insert({1, "One", "A", 5, 0, true});
    insert({2, "Two", "B", 5, 0, false});
    open();
    DataFolder::exec(gConnStock, "delete from protesyles");
    for (int row : {1, 2}) {
        SCOPED_TRACE(row);
        const QString before = grid().TextMatrix(row, 13);
        boxes_.clear();
        clickCell(row, 13);
        EXPECT_EQ(grid().TextMatrix(row, 13), before);
        ASSERT_EQ(boxes_.count(), 1);
        EXPECT_EQ(boxes_.last().text, "Το υλικό δεν υπάρχει πια στην αποθήκη.");
        EXPECT_EQ(boxes_.last().style, 48);
    }
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 0);
}

TEST_F(MaterialsWindow, DeleteAsksAndRemovesOnlyTheSelectedMaterial)
{
    insert({1, "One", "A"});
    insert({2, "Two", "B"});
    insert({40000, "Big", "C"});
    Form3& form = open();

    emit form.XPButton3->Click();   // nothing selected after the load
    clickCell(0, 1);                // nor after a header click (by description: Big, One, Two)
    emit form.XPButton3->Click();
    EXPECT_EQ(boxes_.count(), 0);

    clickCell(3, 1);
    clickCell(1, 1, Qt::RightButton);   // does not select
    boxes_.answerNext(msgbox::No);
    emit form.XPButton3->Click();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "Να σβηστεί το επιλεγμένο στοιχείο;");
    EXPECT_EQ(boxes_.last().style, 52);
    EXPECT_EQ(boxes_.last().title, "Προσοχή");
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 3);

    emit form.XPButton3->Click();
    EXPECT_EQ(column(0), (QStringList {"0001", "40000"}));   // refilled by identifier
    EXPECT_TRUE(stored(2, "ID").isNull());
    EXPECT_EQ(main_.panel1Text(), "Σύνολο:2 |  έλλειψη:0 |  ελάχιστα:0 |  προς παραγγελία:0");
}

TEST_F(MaterialsWindow, TheFirstNewMaterialOfAnEmptyListKeepsTheHeaders)
{
    Form3& form = open();
    form.Combo5->setCurrentIndex(3);
    emit form.Command4->Click();
    EXPECT_TRUE(form.Frame1->isVisible());
    EXPECT_EQ(form.Frame1->pos(), QPoint(0, 0));
    EXPECT_FALSE(form.Command6[0]->isVisible());
    EXPECT_EQ(form.Text1(3), "0");
    EXPECT_EQ(form.Text1(4), "");
    EXPECT_EQ(form.Combo3->currentIndex(), 3);

    emit form.Command7->Click();   // no description: nothing happens
    EXPECT_TRUE(form.Frame1->isVisible());
    form.setText1(0, "  Sash O'Neil'; drop table protesyles; --  ");
    form.setText1(1, QString(200, u'K'));
    emit form.Command7->Click();
    EXPECT_FALSE(form.Frame1->isVisible());
    EXPECT_FALSE(form.isNewMode());
    ASSERT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().TextMatrix(0, 0), "id");
    EXPECT_EQ(grid().TextMatrix(0, 13), "Chk");
    EXPECT_EQ(grid().TextMatrix(1, 1), "Sash O'Neil'; drop table protesyles; --");
    EXPECT_EQ(grid().TextMatrix(1, 2), QString(200, u'K'));
    EXPECT_EQ(grid().TextMatrix(1, 9), "3");
    EXPECT_EQ(main_.panel1Text(), "Σύνολο:1 |  έλλειψη:0 |  ελάχιστα:0 |  προς παραγγελία:0");
}

TEST_F(MaterialsWindow, SaveStoresTheMaterialShownWhateverRowIsCurrent)
{
    insert({1, "One", "A", 2, 1, true});
    insert({2, "Two", "B", 4, 1, true});
    Form3& form = open();
    clickCell(1, 1);
    QMouseEvent twice(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton, {});
    QApplication::sendEvent(grid().viewport(), &twice);
    ASSERT_TRUE(form.Frame1->isVisible());
    EXPECT_EQ(form.Label2->text(), "1");
    EXPECT_EQ(form.Text1(0), "One");

    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, {});
    QApplication::sendEvent(&grid(), &down);
    ASSERT_EQ(grid().Row(), 2);
    form.setText1(0, "One changed");
    emit form.Command7->Click();
    EXPECT_EQ(stored(1, "Perigrafi").toString(), "One changed");
    EXPECT_EQ(stored(2, "Perigrafi").toString(), "Two");
    EXPECT_EQ(grid().TextMatrix(1, 1), "One changed");
    EXPECT_EQ(grid().TextMatrix(2, 1), "Two");
    EXPECT_TRUE(form.Frame1->isVisible());   // a changed material stays on show

    emit form.Command6[1]->Click();          // next: from the current row 2 there is none
    EXPECT_EQ(form.Label2->text(), "1");
    emit form.Command6[0]->Click();
    EXPECT_EQ(form.Label2->text(), "1");
    EXPECT_EQ(form.Text1(0), "One changed");
}

TEST_F(MaterialsWindow, SaveLeavesEveryFieldItCannotReadAsItWas)
{
    const GreekSettings greek;
    DataFolder::exec(gConnStock,
        "insert into protesyles (ID, Perigrafi, kodikos, Axia, mystock, minstock, maxstock, tmpNum1, typosyli, "
        "monadametr, promitheftis) values (5, 'Frame', 'F', 4, 7, 3, 9, 6, 99, 2, 31)");
    Form3& form = open();
    clickCell(1, 1);
    emit form.Command2->Click();
    EXPECT_EQ(form.Combo4->currentIndex(), -1);   // type 99 is not in the list
    EXPECT_EQ(form.Combo3->currentIndex(), -1);   // nor supplier 31
    EXPECT_EQ(form.Combo2->currentIndex(), 2);

    form.setText1(3, "abc");
    form.setText1(4, "2.5");   // a decimal point typed in Greek is no number (nor 25)
    form.setText1(5, "");
    form.setText1(6, "2,5");
    form.setText1(9, "1.234,8");   // grouped by thousands
    emit form.Command7->Click();
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(stored(5, "Axia").toDouble(), 4);
    EXPECT_EQ(stored(5, "mystock").toDouble(), 7);
    EXPECT_EQ(stored(5, "minstock").toDouble(), 3);
    EXPECT_EQ(stored(5, "maxstock").toDouble(), 2.5);
    EXPECT_EQ(stored(5, "tmpNum1").toDouble(), 1234.8);
    EXPECT_EQ(stored(5, "typosyli").toInt(), 99);
    EXPECT_EQ(stored(5, "promitheftis").toInt(), 31);
    EXPECT_EQ(grid().TextMatrix(1, 12), "2,5");
}

TEST_F(MaterialsWindow, SavingUnchangedFiguresKeepsThemAndShownFiguresReadBackWhole)
{
    const GreekSettings greek;
    DataFolder::exec(gConnStock,
        "insert into protesyles (ID, Perigrafi, kodikos, Axia, mystock, minstock, maxstock, tmpNum1) "
        "values (5, 'Frame', 'F', 40.8, 16777217, 0.1, 12345678, 3.4028235e38)");
    Form3& form = open();
    clickCell(1, 1);
    emit form.Command2->Click();
    EXPECT_EQ(form.Text1(3), "40,8");
    EXPECT_EQ(form.Text1(4), "16777216");   // the single-precision value nearest 16777217
    EXPECT_EQ(form.Text1(5), "0,1");
    EXPECT_EQ(form.Text1(6), "12345678");
    EXPECT_EQ(form.Text1(9), "3,4028235E+38");

    emit form.Command7->Click();
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(stored(5, "Axia").toDouble(), 40.8);
    EXPECT_EQ(stored(5, "mystock").toDouble(), 16777217);
    EXPECT_EQ(stored(5, "minstock").toDouble(), 0.1);
    EXPECT_EQ(stored(5, "maxstock").toDouble(), 12345678);
    EXPECT_EQ(stored(5, "tmpNum1").toDouble(), 3.4028235e38);

    // A changed figure is stored as the single-precision value the user sees.
    form.setText1(4, "16777217");
    form.setText1(6, "12345679");
    emit form.Command7->Click();
    EXPECT_EQ(stored(5, "mystock").toDouble(), 16777216);
    EXPECT_EQ(stored(5, "maxstock").toDouble(), 12345679);
    EXPECT_EQ(stored(5, "Axia").toDouble(), 40.8);
}

TEST_F(MaterialsWindow, ACodeWithAnInvisibleCharacterIsNotSaved)
{
    insert({1, "One", "A1", 2});
    Form3& form = open();
    emit form.Command4->Click();
    form.setText1(0, "Marked");
    form.setText1(1, QChar(0xFEFF) + QString("AB12"));
    emit form.Command7->Click();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains("αόρατο χαρακτήρα"));
    EXPECT_TRUE(form.Frame1->isVisible());
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 1);

    // A changed material keeps its code.
    emit form.Command5->Click();
    clickCell(1, 1);
    emit form.Command2->Click();
    form.setText1(1, "A" + QString(QChar(0x200B)) + "1");
    emit form.Command7->Click();
    EXPECT_EQ(boxes_.count(), 2);
    EXPECT_EQ(stored(1, "kodikos").toString(), "A1");
}

TEST_F(MaterialsWindow, AFailedSaveSaysSoAndKeepsWhatWasTyped)
{
    Form3& form = open();
    emit form.Command4->Click();
    form.setText1(0, "Kept");
    DataFolder::exec(gConnStock, "drop table protesyles");
    emit form.Command7->Click();
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().style, 16);
    EXPECT_TRUE(form.Frame1->isVisible());
    EXPECT_TRUE(form.isNewMode());
    EXPECT_EQ(form.Text1(0), "Kept");
}

TEST_F(MaterialsWindow, AnUnreadableDatabaseGivesAnEmptyListAndOneMessage)
{
    DataFolder::exec(gConnStock, "drop table protesyles; drop table Promithf");
    Form3& form = open();
    EXPECT_EQ(boxes_.count(), 1);
    EXPECT_EQ(form.MSFlexGrid1->Rows(), 1);
    EXPECT_EQ(form.Combo5->count(), 1);
    EXPECT_EQ(main_.panel1Text(), "Σύνολο:0 |  έλλειψη:0 |  ελάχιστα:0 |  προς παραγγελία:0");
    emit form.XPButton3->Click();
    emit form.Command2->Click();
    EXPECT_EQ(boxes_.count(), 1);
}

TEST_F(MaterialsWindow, ARowOfNullsShowsEmptyAndSavesWhatIsTyped)
{
    DataFolder::exec(gConnStock,
        "drop table protesyles; create table protesyles (ID INTEGER PRIMARY KEY, Perigrafi, kodikos, kodikos2, "
        "Axia, Axia2, nomisma, typosyli, monadametr, promitheftis, mystock, minstock, maxstock, "
        "exeielegxo BOOLEAN, stoixeia2, tmpNum1, tmpString1); insert into protesyles (ID) values (9)");
    Form3& form = open();
    ASSERT_EQ(grid().Rows(), 2);
    EXPECT_EQ(grid().TextMatrix(1, 0), "0009");
    EXPECT_EQ(grid().TextMatrix(1, 10), "");
    EXPECT_EQ(grid().TextMatrix(1, 13), "--");
    EXPECT_EQ(backColor(1, 0), 0u);

    clickCell(1, 1);
    emit form.Command2->Click();
    EXPECT_EQ(form.Text1(4), "");
    EXPECT_EQ(form.Combo4->currentIndex(), -1);
    form.setText1(0, "Named");
    emit form.Command7->Click();
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(stored(9, "Perigrafi").toString(), "Named");
    EXPECT_TRUE(stored(9, "mystock").isNull());
}

} // namespace
