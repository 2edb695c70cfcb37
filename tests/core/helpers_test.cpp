#include "core/helpers.h"
#include "platform/flexgrid.h"
#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLocale>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

bool allColumnsSelected()
{
    return std::all_of(gColumnSelected.begin(), gColumnSelected.end(), [](qint16 f) { return f == -1; });
}

class HelpersTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        SelectAllColumns();
        gShortageOnly = 0;
        QLocale::setDefault(QLocale::c());
    }
};

TEST_F(HelpersTest, CopyGridPutsEveryCellFollowedByTabAndEveryRowByLineFeed)
{
    FlexGrid grid;
    grid.setCols(3);
    grid.setRows(2);
    const char* cells[2][3] = {{"a", "b", "c"}, {"d", "e", "f"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c)
            grid.setTextMatrix(r, c, cells[r][c]);
    grid.setColWidth(1, 0);   // hidden columns are copied like visible ones

    CopyGridToClipboard(grid);
    EXPECT_EQ(clipboardText(), "a\tb\tc\t\nd\te\tf\t\n");

    gColumnSelected[1] = 0;
    gColumnSelected[2] = 0;
    CopyGridToClipboard(grid);
    EXPECT_EQ(clipboardText(), "a\t\nd\t\n");
    EXPECT_TRUE(allColumnsSelected());
}

TEST_F(HelpersTest, ShortageModeCopiesOnlyControlledMaterialsBelowZero)
{
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
    struct Row { const char* code; const char* stock; const char* control; bool copied; };
    const Row rows[] = {
        {"Κωδικός", "Απόθεμα", "Έλεγχος", false},   // the header row
        {"A1", "0", "ok", false},                     // exactly 0 is no shortage
        {"A2", "-1", "ok", true},
        {"A3", "-0,5", "ok", true},                   // regional decimal comma
        {"A4", "-5", "--", false},                    // not stock-controlled
        {"A5", "x", "ok", false},                     // not a number
        {"A6", "-2", "OK", false},                    // only exactly "ok"
    };
    FlexGrid grid;
    grid.setCols(14);
    grid.setRows(int(std::size(rows)));
    for (int r = 0; r < grid.Rows(); ++r) {
        grid.setTextMatrix(r, 0, rows[r].code);
        grid.setTextMatrix(r, 10, rows[r].stock);
        grid.setTextMatrix(r, 13, rows[r].control);
    }
    std::fill(gColumnSelected.begin() + 1, gColumnSelected.end(), qint16(0));
    gShortageOnly = -1;

    CopyGridToClipboard(grid);

    QString expected;
    for (const Row& row : rows)
        if (row.copied)
            expected += QString(row.code) + "\t\n";
    EXPECT_EQ(clipboardText(), expected);
    EXPECT_EQ(gShortageOnly, -1);
    EXPECT_TRUE(allColumnsSelected());
}

TEST_F(HelpersTest, ShortageModeOnAGridWithoutStockColumnsCopiesNothing)
{
    FlexGrid grid;
    grid.setCols(3);
    grid.setRows(2);
    grid.setTextMatrix(1, 0, "ok");
    gShortageOnly = -1;
    CopyGridToClipboard(grid);
    EXPECT_EQ(clipboardText(), "");
}

TEST_F(HelpersTest, ColumnsWithoutAFlagAreNotCopied)
{
    FlexGrid grid;
    grid.setCols(102);
    grid.setRows(1);
    grid.setTextMatrix(0, 99, "last");
    grid.setTextMatrix(0, 100, "beyond");
    grid.setTextMatrix(0, 101, "beyond");
    std::fill(gColumnSelected.begin(), gColumnSelected.end() - 1, qint16(0));
    CopyGridToClipboard(grid);
    EXPECT_EQ(clipboardText(), "last\t\n");
}

TEST_F(HelpersTest, PadTextTrimsThenFillsToTheWidth)
{
    struct Case { const char* text; int width; const char* pad; bool right; const char* expected; };
    const Case cases[] = {
        {" AB ", 5, ".", true, "AB..."},
        {" AB ", 5, ".", false, "...AB"},
        {" AB ", 1, ".", true, "AB"},   // longer than the width: trimmed, not cut
        {" AB ", 2, " ", true, "AB"},
        {"", 3, " ", true, "   "},
        {"\tAB", 4, "-", true, "\tAB-"},   // only blanks are trimmed
    };
    for (const Case& c : cases)
        EXPECT_EQ(PadText(c.text, c.width, c.pad, c.right), QString(c.expected)) << c.text << c.width;
}

TEST_F(HelpersTest, SafeTrimGivesTheTrimmedTextOfAnyValue)
{
    QLocale::setDefault(QLocale(QLocale::Greek, QLocale::Greece));
    EXPECT_EQ(SafeTrim(QVariant()), "");
    EXPECT_EQ(SafeTrim(QVariant(QMetaType(QMetaType::QString))), "");
    EXPECT_EQ(SafeTrim(QString("  ΠΡΟΦΙΛ 1  ")), "ΠΡΟΦΙΛ 1");
    EXPECT_EQ(SafeTrim(QString("\tA\t")), "\tA\t");
    EXPECT_EQ(SafeTrim(qint64(42)), "42");
    EXPECT_EQ(SafeTrim(double(2.5f)), "2,5");
    EXPECT_EQ(SafeTrim(double(2.1f)), "2,1");   // a single stored as a double keeps its text form
    // Whole figures: their digits up to the scientific form of 10^7.
    EXPECT_EQ(SafeTrim(-3.0), "-3");
    EXPECT_EQ(SafeTrim(-0.0), "0");
    EXPECT_EQ(SafeTrim(9999999.0), "9999999");
    EXPECT_EQ(SafeTrim(1e7), "1E+07");
}

TEST_F(HelpersTest, NormalizeCodeRemovesBlanksAndPunctuationAndUpperCases)
{
    struct Case { const char* code; const char* expected; };
    const Case cases[] = {
        {"ab-12/c d", "AB12CD"},
        {"-._,/|()+*\\{}[]'<>", ""},
        {"a#b&c:ü", "A#B&C:Ü"},   // other characters stay
        {"προφίλ 40", "ΠΡΟΦΊΛ40"},
        {"a\tb", "A\tB"},         // only blanks are removed
    };
    for (const Case& c : cases)
        EXPECT_EQ(NormalizeCode(QString::fromUtf8(c.code)), QString::fromUtf8(c.expected)) << c.code;
}

TEST_F(HelpersTest, PauseLetsEventsRunUntilTheTimeIsUp)
{
    bool fired = false;
    QTimer::singleShot(30, [&fired] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    Pause(0.1f);
    const qint64 elapsed = clock.elapsed();
    EXPECT_TRUE(fired);
    EXPECT_GE(elapsed, 100);
    EXPECT_LT(elapsed, 400);
}

TEST_F(HelpersTest, PauseOfNoTimeReturnsAtOnce)
{
    bool fired = false;
    QTimer::singleShot(0, [&fired] { fired = true; });
    QElapsedTimer clock;
    clock.start();
    Pause(0);
    Pause(-1);
    EXPECT_LT(clock.elapsed(), 20);
    EXPECT_FALSE(fired);
    QCoreApplication::processEvents();
}

TEST_F(HelpersTest, SetFormOnTopKeepsTheWindowWhereItWas)
{
    QWidget window;
    auto* child = new QWidget(&window);
    window.setGeometry(120, 80, 400, 300);
    window.show();
    const QRect before = window.geometry();

    SetFormOnTop(child, true);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), before);

    SetFormOnTop(&window, false);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(window.geometry(), before);

    QWidget hidden;
    SetFormOnTop(&hidden, true);
    EXPECT_FALSE(hidden.isVisible());
}

} // namespace
