#include "platform/flexgrid.h"
#include "platform/units.h"

#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalSpy>
#include <vector>
#include <QWheelEvent>
#include <array>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// A shown grid of 6 data rows and 4 columns; cell (r, c) holds "r,c".
class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(600, 400);
        grid.setCols(4);
        grid.setRows(7);
        for (int r = 0; r < grid.Rows(); ++r)
            for (int c = 0; c < grid.Cols(); ++c)
                grid.setTextMatrix(r, c, QString("%1,%2").arg(r).arg(c));
        grid.show();
        settle();
    }

    static void settle() { QCoreApplication::processEvents(); }

    QVariant role(int row, int col, int role) const
    {
        return grid.model()->data(grid.model()->index(row, col), role);
    }
    QColor back(int row, int col) const { return role(row, col, Qt::BackgroundRole).value<QBrush>().color(); }
    QColor fore(int row, int col) const { return role(row, col, Qt::ForegroundRole).value<QBrush>().color(); }

    // The centre of a data cell in viewport coordinates.
    QPoint cellCentre(int row, int col) const
    {
        return QPoint(grid.columnViewportPosition(col) + grid.columnWidth(col) / 2,
            grid.rowViewportPosition(row) + grid.rowHeight(row) / 2);
    }

    void mouse(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, pos, grid.viewport()->mapToGlobal(pos), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &event);
    }

    void drag(int fromRow, int toRow)
    {
        mouse(QEvent::MouseButtonPress, cellCentre(fromRow, 1), Qt::LeftButton, Qt::LeftButton);
        mouse(QEvent::MouseMove, cellCentre(toRow, 2), Qt::NoButton, Qt::LeftButton);
        mouse(QEvent::MouseButtonRelease, cellCentre(toRow, 2), Qt::LeftButton, Qt::NoButton);
    }

    FlexGrid grid;
};

TEST_F(FlexGridTest, RowsAndColsKeepDropAndAppend)
{
    grid.setRows(4);
    grid.setRows(6);
    EXPECT_EQ(grid.TextMatrix(3, 3), "3,3");
    EXPECT_EQ(grid.TextMatrix(4, 0), "");
    EXPECT_EQ(grid.TextMatrix(5, 3), "");

    grid.setCols(2);
    grid.setCols(3);
    EXPECT_EQ(grid.TextMatrix(2, 1), "2,1");
    EXPECT_EQ(grid.TextMatrix(2, 2), "");

    settle();
    EXPECT_EQ(grid.model()->rowCount(), 6);
    EXPECT_EQ(grid.model()->columnCount(), 3);
}

TEST_F(FlexGridTest, LoweringRowsMovesTheCurrentCellIntoTheGrid)
{
    grid.setRow(5);
    grid.setRowSel(6);
    grid.setRows(1);
    EXPECT_EQ(grid.Row(), 0);
    EXPECT_EQ(grid.RowSel(), 0);
    grid.setRows(2);
    EXPECT_EQ(grid.Row(), 0);
}

TEST_F(FlexGridTest, TextMatrixRoundTripAndRangeErrors)
{
    grid.setTextMatrix(6, 3, QString::fromUtf8("Ποσότητα\t1,5"));
    EXPECT_EQ(grid.TextMatrix(6, 3), QString::fromUtf8("Ποσότητα\t1,5"));
    EXPECT_EQ(role(6, 3, Qt::DisplayRole).toString(), grid.TextMatrix(6, 3));

    // A row's texts are held together: a long cell, a cell emptied and the cells after them
    // read back as written.
    const QString pasted(70000, u'Ω');
    grid.setTextMatrix(5, 1, pasted);
    grid.setTextMatrix(5, 2, QString());
    EXPECT_EQ(grid.TextMatrix(5, 1), pasted);
    EXPECT_EQ(grid.TextMatrix(5, 2), "");
    EXPECT_EQ(grid.TextMatrix(5, 3), "5,3");
    EXPECT_EQ(grid.TextMatrix(5, 0), "5,0");

    const std::pair<int, int> outside[] = {{-1, 0}, {7, 0}, {0, -1}, {0, 4}};
    for (const auto& [row, col] : outside) {
        EXPECT_THROW(grid.TextMatrix(row, col), std::out_of_range) << row << "," << col;
        EXPECT_THROW(grid.setTextMatrix(row, col, "x"), std::out_of_range) << row << "," << col;
    }
    EXPECT_THROW(grid.setRow(7), std::out_of_range);
    EXPECT_THROW(grid.setCol(4), std::out_of_range);
    EXPECT_THROW(grid.ColWidth(4), std::out_of_range);
}

// A row written or coloured in one step reads as if written or coloured cell by cell, and
// the current cell stays put (a refill colours thousands of rows).
TEST_F(FlexGridTest, RowInOneStepMatchesCellByCellAndKeepsTheCurrentCell)
{
    grid.setRow(5);
    grid.setCol(3);
    const QSignalSpy moves(&grid, &FlexGrid::RowColChange);
    const QColor white = back(2, 3);

    grid.setRowTexts(2, {"a", QString::fromUtf8("Υλικό")});
    grid.setRowBackColor(2, 0, 2, units::RGB(255, 128, 128));
    grid.setRowBackColor(3, 2, 1, units::RGB(255, 128, 128));

    const QString texts[] = {"a", QString::fromUtf8("Υλικό"), QString(), QString()};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(grid.TextMatrix(2, c), texts[c]) << c;
        EXPECT_EQ(role(2, c, Qt::DisplayRole).toString(), texts[c]) << c;
        EXPECT_EQ(back(2, c), c <= 2 ? QColor(255, 128, 128) : white) << c;
        EXPECT_EQ(back(3, c), white) << "an empty column range colours nothing: " << c;
    }
    EXPECT_EQ(grid.TextMatrix(3, 0), "3,0");
    EXPECT_EQ(grid.Row(), 5);
    EXPECT_EQ(grid.Col(), 3);
    EXPECT_EQ(moves.count(), 0);
    grid.setRow(2);
    grid.setCol(1);
    EXPECT_EQ(grid.CellBackColor(), units::RGB(255, 128, 128));

    // Rows not yet shown take both once they are.
    grid.setRows(9);
    grid.setRowTexts(8, {"x"});
    grid.setRowBackColor(8, 0, 3, units::RGB(255, 192, 128));
    settle();
    EXPECT_EQ(role(8, 0, Qt::DisplayRole).toString(), "x");
    EXPECT_EQ(back(8, 3), QColor(255, 192, 128));

    EXPECT_THROW(grid.setRowTexts(9, {"x"}), std::out_of_range);
    EXPECT_THROW(grid.setRowTexts(1, {"a", "b", "c", "d", "e"}), std::out_of_range);
    const std::array<std::array<int, 3>, 3> outside {{{9, 0, 1}, {1, -1, 1}, {1, 0, 4}}};
    for (const auto& [row, first, last] : outside)
        EXPECT_THROW(grid.setRowBackColor(row, first, last, 0), std::out_of_range) << row << "," << first << "," << last;
}

TEST_F(FlexGridTest, ColWidthInTwipsAndWidthOneHides)
{
    grid.setColWidth(0, 1500);
    grid.setColWidth(1, 1);
    grid.setColWidth(2, 0);
    grid.setColWidth(3, 700);
    EXPECT_EQ(grid.ColWidth(0), 1500);
    EXPECT_EQ(grid.ColWidth(1), 1);
    EXPECT_EQ(grid.ColWidth(3), 700);
    EXPECT_EQ(grid.columnWidth(0), 100);
    EXPECT_TRUE(grid.isColumnHidden(1));
    EXPECT_TRUE(grid.isColumnHidden(2));
    EXPECT_EQ(grid.columnWidth(3), 47);

    grid.setColWidth(1, 3000);
    EXPECT_FALSE(grid.isColumnHidden(1));
    EXPECT_EQ(grid.columnWidth(1), 200);
}

TEST_F(FlexGridTest, ColAlignmentIsVerticallyCentred)
{
    const std::pair<int, Qt::Alignment> cases[] = {
        {1, Qt::AlignLeft | Qt::AlignVCenter},
        {4, Qt::AlignHCenter | Qt::AlignVCenter},
        {7, Qt::AlignRight | Qt::AlignVCenter},
    };
    for (const auto& [code, alignment] : cases) {
        grid.setColAlignment(2, code);
        EXPECT_EQ(grid.ColAlignment(2), code);
        EXPECT_EQ(Qt::Alignment(role(3, 2, Qt::TextAlignmentRole).toInt()), alignment) << code;
    }
}

TEST_F(FlexGridTest, CellColoursApplyToTheCurrentCellOnly)
{
    const QColor white = back(2, 2);
    grid.setRow(2);
    grid.setCol(1);
    grid.setCellBackColor(units::RGB(255, 128, 128));
    grid.setRow(0);
    grid.setCol(3);
    grid.setCellForeColor(0x0000FF);

    EXPECT_EQ(back(2, 1), QColor(255, 128, 128));
    EXPECT_EQ(back(2, 2), white);
    EXPECT_EQ(back(1, 1), white);
    EXPECT_EQ(back(3, 1), white);
    EXPECT_EQ(fore(0, 3), QColor(255, 0, 0));
    EXPECT_EQ(fore(0, 2), QColor(0, 0, 0));
    EXPECT_EQ(back(0, 2), units::color(units::kButtonFace)) << "fixed row drawn grey";

    EXPECT_EQ(grid.CellForeColor(), 0x0000FFu);
    grid.setRow(2);
    grid.setCol(1);
    EXPECT_EQ(grid.CellBackColor(), units::RGB(255, 128, 128));
    grid.setCol(2);
    EXPECT_EQ(grid.CellBackColor(), 0u) << "0 reads back for the default colour";

    grid.setCol(1);
    grid.setCellBackColor(0);
    EXPECT_EQ(back(2, 1), white) << "0 restores the default";
}

TEST_F(FlexGridTest, ColouringRowsNotYetShownAppliesOnceTheyAre)
{
    grid.setRows(9);
    grid.setRow(8);
    grid.setCol(0);
    grid.setCellBackColor(units::RGB(255, 192, 128));
    settle();
    EXPECT_EQ(back(8, 0), QColor(255, 192, 128));
}

TEST_F(FlexGridTest, SettingRowOrColCollapsesTheSelection)
{
    grid.setRow(3);
    grid.setRowSel(1);
    grid.setColSel(3);
    EXPECT_EQ(grid.Row(), 3);
    EXPECT_EQ(grid.RowSel(), 1);
    EXPECT_EQ(grid.ColSel(), 3);
    grid.setCol(2);
    EXPECT_EQ(grid.RowSel(), 3);
    EXPECT_EQ(grid.ColSel(), 2);
}

TEST_F(FlexGridTest, DraggingSetsRowSelInTheDragDirection)
{
    drag(2, 4);
    EXPECT_EQ(grid.Row(), 2);
    EXPECT_EQ(grid.RowSel(), 4);
    EXPECT_EQ(grid.Col(), 1);
    EXPECT_EQ(grid.ColSel(), 2);

    drag(5, 3);
    EXPECT_EQ(grid.Row(), 5);
    EXPECT_EQ(grid.RowSel(), 3);
}

TEST_F(FlexGridTest, SelectionHighlightSparesTheCurrentCell)
{
    drag(2, 4);
    const QColor highlight = units::color(0x8000000D);
    QImage image(grid.viewport()->size(), QImage::Format_RGB32);
    grid.viewport()->render(&image);
    const auto pixel = [&](int row, int col) {
        return image.pixelColor(grid.columnViewportPosition(col) + 2, grid.rowViewportPosition(row) + 2);
    };
    EXPECT_EQ(pixel(3, 1), highlight);
    EXPECT_EQ(pixel(4, 2), highlight);
    EXPECT_NE(pixel(2, 1), highlight);
    EXPECT_NE(pixel(5, 1), highlight);
}

TEST_F(FlexGridTest, MouseDownReportsTwipsWithTheClickedCellCurrent)
{
    int rowAtMouseDown = -1;
    std::vector<std::array<int, 4>> down;
    int clicks = 0;
    QObject::connect(&grid, &FlexGrid::MouseDown, [&](int button, int shift, int x, int y) {
        rowAtMouseDown = grid.Row();
        down.push_back({button, shift, x, y});
    });
    QObject::connect(&grid, &FlexGrid::Click, [&] { ++clicks; });

    const QPoint pos = cellCentre(3, 2);
    mouse(QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);

    ASSERT_EQ(down.size(), 1u);
    const QPoint inGrid = grid.viewport()->mapTo(&grid, pos);
    EXPECT_EQ(down[0], (std::array<int, 4> {1, 0, units::tw(inGrid.x()), units::tw(inGrid.y())}));
    EXPECT_EQ(rowAtMouseDown, 3);
    EXPECT_EQ(grid.Col(), 2);
    EXPECT_EQ(clicks, 1);
}

TEST_F(FlexGridTest, MouseRowAndColTellTheCellUnderThePointer)
{
    struct Case {
        QPoint pos;
        Qt::MouseButton button;
        int row, col;
    } const cases[] = {
        {cellCentre(4, 1), Qt::RightButton, 4, 1},   // a right click moves no current cell
        {cellCentre(6, 3) + QPoint(0, 100), Qt::LeftButton, -1, 3},   // below the last row
        {cellCentre(2, 3) + QPoint(200, 0), Qt::LeftButton, 2, -1},   // right of the last column
    };
    for (const Case& c : cases) {
        mouse(QEvent::MouseButtonPress, c.pos, c.button, c.button);
        EXPECT_EQ(grid.MouseRow(), c.row);
        EXPECT_EQ(grid.MouseCol(), c.col);
        mouse(QEvent::MouseButtonRelease, c.pos, c.button, Qt::NoButton);
    }
    EXPECT_EQ(grid.Row(), 1);
    mouse(QEvent::MouseMove, cellCentre(5, 0), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(grid.MouseRow(), 5);
    EXPECT_EQ(grid.MouseCol(), 0);
}

TEST_F(FlexGridTest, TopRowOfAGridWithoutDataRowsStaysPut)
{
    grid.setRows(1);
    grid.setTopRow(1);
    EXPECT_EQ(grid.TopRow(), 1);
    grid.setRows(3);
    EXPECT_THROW(grid.setTopRow(5), std::out_of_range);
}

TEST_F(FlexGridTest, HeaderRowStaysFixedWhileScrolling)
{
    grid.setRowHeight(0, 315);
    grid.setRows(400);
    grid.setTopRow(200);
    EXPECT_EQ(grid.TopRow(), 200);
    settle();

    QWidget* header = grid.horizontalHeader();
    EXPECT_FALSE(grid.verticalHeader()->isVisible());
    EXPECT_TRUE(header->isVisible());
    EXPECT_EQ(header->height(), 21);
    EXPECT_EQ(grid.viewport()->y(), header->geometry().bottom() + 1);

    QImage image(header->size(), QImage::Format_RGB32);
    header->render(&image);
    EXPECT_EQ(image.pixelColor(grid.columnWidth(0) / 2, 10), units::color(units::kButtonFace));

    std::vector<int> downY;
    QObject::connect(&grid, &FlexGrid::MouseDown, [&](int, int, int, int y) { downY.push_back(y); });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), header->mapToGlobal(QPoint(5, 5)), Qt::LeftButton,
        Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid.horizontalHeader()->viewport(), &press);
    ASSERT_EQ(downY.size(), 1u);
    EXPECT_LE(downY[0], grid.RowHeight(0)) << "header click reads as y within the header row";
}

TEST_F(FlexGridTest, AssistiveTechnologyReadsTheHeaderRowAsColumnHeaders)
{
    grid.setTextMatrix(0, 1, "Κωδικός");
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(&grid);
    ASSERT_NE(access, nullptr);
    QAccessibleTableInterface* table = access->tableInterface();
    ASSERT_NE(table, nullptr);
    const QStringList expected {"0,0", "Κωδικός", "0,2", "0,3"};
    for (int c = 0; c < grid.Cols(); ++c) {
        QAccessibleInterface* cell = table->cellAt(1, c);
        ASSERT_NE(cell, nullptr);
        const QList<QAccessibleInterface*> headers = cell->tableCellInterface()->columnHeaderCells();
        ASSERT_EQ(headers.size(), 1) << c;
        EXPECT_EQ(headers.front()->text(QAccessible::Name), expected[c]) << c;
        // Qt makes the header cells anew for each call and keeps none of them: handed to its
        // registry, they are freed there.
        for (QAccessibleInterface* header : headers)
            QAccessible::deleteAccessibleInterface(QAccessible::registerAccessibleInterface(header));
    }
}

TEST_F(FlexGridTest, WheelIsLeftToTheWindow)
{
    grid.setRows(300);
    settle();
    const QPoint pos(20, 40);
    QWheelEvent wheel(pos, grid.viewport()->mapToGlobal(pos), QPoint(), QPoint(0, -120), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &wheel);
    EXPECT_FALSE(wheel.isAccepted()) << "an ignored wheel goes on to the parent window";
    EXPECT_EQ(grid.TopRow(), 1);
}

TEST_F(FlexGridTest, RemoveItemRules)
{
    grid.RemoveItem(2);
    EXPECT_EQ(grid.Rows(), 6);
    EXPECT_EQ(grid.TextMatrix(2, 0), "3,0");
    EXPECT_THROW(grid.RemoveItem(6), std::out_of_range);
    EXPECT_THROW(grid.RemoveItem(-1), std::out_of_range);
    EXPECT_THROW(grid.RemoveItem(0), std::out_of_range) << "the header row stays";

    while (grid.Rows() > 2)
        grid.RemoveItem(grid.Rows() - 1);
    EXPECT_THROW(grid.RemoveItem(1), std::out_of_range) << "the last row below the header stays";
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.TextMatrix(1, 0), "1,0");
}

TEST_F(FlexGridTest, RemovingSelectedRowsFromTheBottomUp)
{
    grid.setRow(2);
    grid.setRowSel(4);
    for (int r = grid.RowSel(); r >= grid.Row(); --r)
        grid.RemoveItem(r);
    EXPECT_EQ(grid.Rows(), 4);
    EXPECT_EQ(grid.TextMatrix(2, 0), "5,0");
    settle();
    EXPECT_EQ(grid.model()->rowCount(), 4);
}

// A run leaves the rows, their heights and the view as RemoveItem on each row from the
// bottom up does, with one removal notice; rows added since the last event-loop turn too.
TEST_F(FlexGridTest, RemovingARunMatchesRemovingItsRowsFromTheBottomUp)
{
    const auto column = [](const FlexGrid& g) {
        QStringList texts;
        for (int r = 0; r < g.Rows(); ++r)
            texts << g.TextMatrix(r, 0) + "/" + QString::number(g.RowHeight(r));
        return texts;
    };
    const std::pair<int, int> runs[] = {{2, 4}, {1, 8}, {1, 1}, {8, 8}, {3, 8}, {5, 4}, {6, 7}};
    for (const auto& [first, last] : runs) {
        SCOPED_TRACE(std::to_string(first) + ".." + std::to_string(last));
        FlexGrid one;
        FlexGrid run;
        for (FlexGrid* g : {&one, &run}) {
            g->setRows(7);
            g->show();
            settle();
            g->setRows(9);   // two rows the view has not heard of yet
            for (int r = 0; r < g->Rows(); ++r) {
                g->setTextMatrix(r, 0, QString::number(r));
                g->setRowHeight(r, 240 + 15 * r);
            }
            g->setRow(1);
            g->setRowSel(8);
        }
        for (int r = last; r >= first; --r) {
            try {
                one.RemoveItem(r);
            } catch (const std::out_of_range&) {
            }
        }
        int removals = 0;
        QObject::connect(run.model(), &QAbstractItemModel::rowsRemoved, [&removals] { ++removals; });
        run.RemoveItems(first, last);
        EXPECT_LE(removals, 1);
        EXPECT_EQ(column(run), column(one));
        EXPECT_EQ(run.RowSel(), one.RowSel());
        settle();
        ASSERT_EQ(run.model()->rowCount(), run.Rows());
        for (int r = 1; r < run.Rows(); ++r)
            EXPECT_EQ(run.rowHeight(r), one.rowHeight(r)) << r;
    }
    EXPECT_THROW(grid.RemoveItems(0, 2), std::out_of_range) << "the header row stays";
    EXPECT_THROW(grid.RemoveItems(2, 7), std::out_of_range);
    EXPECT_EQ(grid.Rows(), 7);
}

TEST_F(FlexGridTest, ClearEmptiesTextsAndColoursAndKeepsTheSize)
{
    grid.setRow(1);
    grid.setCol(1);
    grid.setCellBackColor(units::RGB(255, 128, 128));
    const QColor white = back(1, 2);
    grid.Clear();
    EXPECT_EQ(grid.Rows(), 7);
    EXPECT_EQ(grid.Cols(), 4);
    EXPECT_EQ(grid.TextMatrix(0, 0), "");
    EXPECT_EQ(grid.TextMatrix(6, 3), "");
    EXPECT_EQ(back(1, 1), white);
    EXPECT_EQ(grid.CellBackColor(), 0u);
}

TEST_F(FlexGridTest, AddItemSplitsAtTabs)
{
    grid.AddItem("a\tb\tc\td\te");
    EXPECT_EQ(grid.Rows(), 8);
    EXPECT_EQ(grid.TextMatrix(7, 0), "a");
    EXPECT_EQ(grid.TextMatrix(7, 3), "d");
    grid.AddItem("x", 2);
    EXPECT_EQ(grid.TextMatrix(2, 0), "x");
    EXPECT_EQ(grid.TextMatrix(3, 0), "2,0");
    EXPECT_THROW(grid.AddItem("y", 10), std::out_of_range);
}

TEST_F(FlexGridTest, RefillRaisingRowsOneAtATime)
{
    const int records = 2500;
    grid.setRows(1);
    grid.setRows(2);
    for (int r = 1; r <= records; ++r) {
        grid.setTextMatrix(r, 0, QString::number(r));
        grid.setRowHeight(r, 315);
        if (r % 7 == 0) {
            grid.setRow(r);
            grid.setCol(1);
            grid.setCellBackColor(units::RGB(255, 128, 128));
        }
        grid.setRows(r + 2);
    }
    grid.setRows(grid.Rows() - 1);

    EXPECT_EQ(grid.Rows(), records + 1);
    EXPECT_EQ(grid.TextMatrix(records, 0), QString::number(records));
    EXPECT_EQ(grid.TextMatrix(1, 1), "") << "old cells went with the refill";
    EXPECT_EQ(grid.Row(), 2499) << "the last coloured row";
    settle();
    EXPECT_EQ(grid.model()->rowCount(), records + 1);
    EXPECT_EQ(grid.rowHeight(records), 21);
    EXPECT_EQ(back(7, 1), QColor(255, 128, 128));
    EXPECT_NE(back(8, 1), QColor(255, 128, 128));
}

TEST_F(FlexGridTest, CellRectangleInTwips)
{
    grid.setColWidth(0, 1500);
    grid.setColWidth(1, 3000);
    grid.setRowHeight(0, 315);
    grid.setRowHeight(1, 315);
    grid.setRow(1);
    grid.setCol(0);
    const int left0 = grid.CellLeft();
    const int top1 = grid.CellTop();
    grid.setCol(1);
    EXPECT_EQ(grid.CellLeft() - left0, 1500);
    EXPECT_EQ(grid.CellWidth(), 3000);
    EXPECT_EQ(grid.CellHeight(), 315);
    EXPECT_EQ(grid.CellLeft(), units::tw(grid.viewport()->x() + 100));
    grid.setRow(0);
    EXPECT_EQ(top1 - grid.CellTop(), 315);
    EXPECT_EQ(grid.RowHeight(0), 315);
}

} // namespace
