// The job window: analysis, tabs, insert, delete and withdrawal on small job files.

#include "movements/jobfixture.h"

#include "controls/xpbutton.h"
#include "core/mdiform1.h"
#include "platform/flexgrid.h"
#include "platform/units.h"

#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QImage>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStringEncoder>
#include <QTabWidget>
#include <functional>
#include <cstdio>
#include <random>
#include <sys/stat.h>

using jobtest::jobLine;

namespace {

class JobWindow : public jobtest::JobTest {
protected:
    static QString cell(Form1* form, int grid, int row, int col)
    {
        return form->MSFlexGrid1[grid]->TextMatrix(row, col);
    }
    static std::uint32_t restColor(Form1* form, int row)
    {
        FlexGrid* grid = form->MSFlexGrid1[2];
        grid->setRow(row);
        grid->setCol(Form1::ColRest);
        return grid->CellBackColor();
    }
    static int dataRows(Form1* form, int grid) { return form->MSFlexGrid1[grid]->Rows() - 1; }
};

TEST_F(JobWindow, StockClassesFollowRestAgainstMinimum)
{
    struct Case {
        const char* code;
        double stock, minimum;
        const char* quantity;
        const char* rest;
        const char* mark;
    };
    const Case cases[] = {
        {"A4", 10, 5, "4", "6", ""},
        {"A7", 10, 5, "7", "3", "!"},
        {"A12", 10, 5, "12", "-2", "X"},
        {"ZERO", 5, 0, "5", "0", ""},
        {"NEG", 3, -5, "5", "-2", ""},
    };
    QStringList lines;
    for (const Case& c : cases) {
        addMaterial(c.code, c.stock, c.minimum);
        lines << jobLine(c.code, "Υλικό", c.quantity);
    }
    Form1* form = importJob(lines);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(dataRows(form, 2), 5);
    for (int r = 1; r <= 5; ++r) {
        const Case& c = cases[r - 1];
        SCOPED_TRACE(c.code);
        EXPECT_EQ(cell(form, 2, r, Form1::ColRest), c.rest);
        EXPECT_EQ(cell(form, 2, r, Form1::ColMark), c.mark);
    }
    EXPECT_EQ(restColor(form, 2), Form1::kBelowMinimumColor);
    EXPECT_EQ(restColor(form, 3), Form1::kShortageColor);
    EXPECT_EQ(form->shortageCount(), 1);
    EXPECT_TRUE(form->Check2[1]->isChecked());
    EXPECT_FALSE(form->Check2[0]->isChecked());
    EXPECT_EQ(boxes.count(), 0);
}

TEST_F(JobWindow, StockRowCarriesTheMaterialsFigures)
{
    addMaterial("PR-100", 12.5, 3, true, 6, 4);
    Form1* form = importJob({jobLine("  PR-100", "  Προφίλ λευκό  ", "  2,25", "07")});
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(cell(form, 2, 1, Form1::ColCode), "PR-100");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColDescription), "Προφίλ λευκό");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColQuantity), "2,25");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColKind), "7");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColStock), "12,5");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColMin), "3");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColRest), "10,25");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColOrder), "6");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColSupplier), "4");
    EXPECT_EQ(form->MSFlexGrid1[2]->RowHeight(1), 315);
}

TEST_F(JobWindow, DecimalCommaQuantity)
{
    addMaterial("C1", 10, 0);
    Form1* form = importJob({jobLine("C1", "x", "12,5")});
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(cell(form, 2, 1, Form1::ColQuantity), "12,5");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColRest), "-2,5");
    EXPECT_EQ(cell(form, 2, 1, Form1::ColMark), "X");
}

TEST_F(JobWindow, TwoLinesOfOneCodeAreComparedWithTheStoredStock)
{
    addMaterial("D", 10, 0);
    Form1* form = importJob({jobLine("D", "x", "4"), jobLine("D", "x", "8")});
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(dataRows(form, 2), 2);
    EXPECT_EQ(cell(form, 2, 1, Form1::ColRest), "6");
    EXPECT_EQ(cell(form, 2, 2, Form1::ColRest), "2");
}

TEST_F(JobWindow, LineLengthsAndBadLines)
{
    addMaterial("OK", 10, 0);
    const QString good = jobLine("OK", "good", "1");
    ASSERT_EQ(good.size(), 103);
    const QStringList lines {
        good.left(94),                      // 1: no job line, skipped silently
        good,                               // 2
        good.left(98),                      // 3: no kind
        jobLine("OK", "x", "abc"),          // 4: quantity no number
        jobLine("OK", "x", "1", "x1"),      // 5: kind no number
        jobLine("OK", "x", "1", "-1"),      // 6: kind with a sign
        "",                                 // 7: empty, skipped silently
        good + "  trailing",                // 8: longer lines are read
        jobLine("OK", "x", "2", " 3"),      // 9: kind of one digit
    };
    Form1* form = importJob(lines);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(dataRows(form, 2), 3);
    EXPECT_EQ(cell(form, 2, 3, Form1::ColKind), "3");
    ASSERT_EQ(boxes.count(), 1);
    const QString report = boxes.last().text;
    for (const char* number : {"Γραμμή 3:", "Γραμμή 4:", "Γραμμή 5:", "Γραμμή 6:"})
        EXPECT_TRUE(report.contains(number)) << number;
    for (const char* number : {"Γραμμή 1:", "Γραμμή 2:", "Γραμμή 7:", "Γραμμή 8:", "Γραμμή 9:"})
        EXPECT_FALSE(report.contains(number)) << number;
    EXPECT_EQ(form->SSTab1->tabText(2), "Αποθήκη: 3");
}

TEST_F(JobWindow, ChoiceOfTabAndCaptions)
{
    addMaterial("U1", 0, 0, false);
    addMaterial("S1", 5, 0);
    struct Case {
        const char* name;
        QStringList lines;
        int tab;
        bool insertVisible, executeEnabled;
        QStringList captions;
    };
    const Case cases[] = {
        {"only new", {jobLine("N1", "a", "1"), jobLine("N2", "b", "1")}, 0, true, false,
         {"Νέα υλικά: 2", "Χωρίς έλεγχο: 0", "Αποθήκη: 0"}},
        {"only uncontrolled", {jobLine("U1", "a", "1")}, 1, false, false,
         {"Νέα υλικά: 0", "Χωρίς έλεγχο: 1", "Αποθήκη: 0"}},
        {"uncontrolled and stock", {jobLine("U1", "a", "1"), jobLine("S1", "b", "1")}, 2, false, true,
         {"Νέα υλικά: 0", "Χωρίς έλεγχο: 1", "Αποθήκη: 1"}},
        {"new and stock", {jobLine("N1", "a", "1"), jobLine("N2", "a", "1"), jobLine("S1", "b", "1"),
                           jobLine("S1", "b", "1"), jobLine("S1", "b", "1"), jobLine("S1", "b", "1"),
                           jobLine("S1", "b", "1")},
         0, true, true, {"Νέα υλικά: 2", "Χωρίς έλεγχο: 0", "Αποθήκη: 5"}},
        {"only short lines", {"short", QString(94, u'x')}, 1, false, false,
         {"Νέα υλικά: 0", "Χωρίς έλεγχο: 0", "Αποθήκη: 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Form1* form = importJob(c.lines);
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(form->SSTab1->isVisibleTo(form));
        EXPECT_EQ(form->SSTab1->currentIndex(), c.tab);
        for (int t = 0; t < 3; ++t) {
            EXPECT_EQ(form->SSTab1->tabText(t), c.captions[t]);
            EXPECT_EQ(form->Frame1[t]->isVisibleTo(form), t == c.tab);
        }
        EXPECT_EQ(form->Command2->isVisibleTo(form), c.insertVisible);
        EXPECT_EQ(form->XPButton1->isEnabled(), c.executeEnabled);
        delete form;
    }
}

TEST_F(JobWindow, TabChangeShowsTheTabsFrame)
{
    addMaterial("S1", 5, 0);
    Form1* form = importJob({jobLine("N1", "a", "1"), jobLine("S1", "a", "1")});
    ASSERT_NE(form, nullptr);
    form->SSTab1->setCurrentIndex(2);
    EXPECT_FALSE(form->Frame1[0]->isVisibleTo(form));
    EXPECT_TRUE(form->Frame1[2]->isVisibleTo(form));
    form->SSTab1->setCurrentIndex(1);
    EXPECT_TRUE(form->Frame1[1]->isVisibleTo(form));
    EXPECT_FALSE(form->Frame1[2]->isVisibleTo(form));
}

TEST_F(JobWindow, InsertMovesNewCodesToTabOne)
{
    addMaterial("U1", 0, 0, false);
    Form1* form = importJob({jobLine("NEW", "Νέο υλικό", "2,5", "04"), jobLine("U1", "a", "1"),
                             jobLine("NEW", "Νέο υλικό", "1", "05")});
    ASSERT_NE(form, nullptr);
    form->Command2_Click();

    EXPECT_EQ(form->MSFlexGrid1[0]->Rows(), 1);
    EXPECT_FALSE(form->Command2->isVisibleTo(form));
    EXPECT_EQ(form->SSTab1->currentIndex(), 1);
    EXPECT_TRUE(form->Frame1[1]->isVisibleTo(form));
    EXPECT_EQ(form->SSTab1->tabText(1), "Χωρίς έλεγχο: 1 + 2");
    ASSERT_EQ(dataRows(form, 1), 3);
    EXPECT_EQ(cell(form, 1, 2, Form1::ColCode), "NEW");
    EXPECT_EQ(cell(form, 1, 2, Form1::ColDescription), "Νέο υλικό");
    EXPECT_EQ(cell(form, 1, 2, Form1::ColQuantity), "2,5");
    EXPECT_EQ(cell(form, 1, 3, Form1::ColKind), "5");

    using testenv::DataFolder;
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from protesyles where kodikos='NEW'").toInt(), 2);
    EXPECT_EQ(DataFolder::scalar(gConnStock,
                  "select count(*) from protesyles where kodikos='NEW' and Perigrafi='Νέο υλικό' and kodikos2='' "
                  "and Axia=0 and typosyli=0 and monadametr=0 and promitheftis=0 and mystock=0 and minstock=0 "
                  "and maxstock=0 and exeielegxo=0").toInt(), 2);
    EXPECT_EQ(LookupMaterial("NEW"), lookup::Uncontrolled);

    form->Command2_Click();   // tab 0 is empty now: nothing more
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 3);
}

TEST_F(JobWindow, InsertKeepsACodeThatCannotBeStoredInTabZero)
{
    testenv::DataFolder::exec(gConnStock, "create trigger refuse before insert on protesyles "
                                          "when new.kodikos='N2' begin select raise(abort, 'refused'); end");
    Form1* form = importJob({jobLine("N1", "a", "1"), jobLine("N2", "b", "2"), jobLine("N3", "c", "3")});
    ASSERT_NE(form, nullptr);
    boxes.clear();
    form->Command2_Click();

    ASSERT_EQ(dataRows(form, 0), 1);
    EXPECT_EQ(cell(form, 0, 1, Form1::ColCode), "N2");
    ASSERT_EQ(dataRows(form, 1), 2);
    EXPECT_EQ(cell(form, 1, 1, Form1::ColCode), "N1");
    EXPECT_EQ(cell(form, 1, 2, Form1::ColCode), "N3");
    EXPECT_EQ(form->SSTab1->tabText(0), "Νέα υλικά: 1");
    EXPECT_EQ(form->SSTab1->tabText(1), "Χωρίς έλεγχο: 0 + 2");
    EXPECT_EQ(form->SSTab1->currentIndex(), 0);
    EXPECT_FALSE(form->Command2->isHidden());
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_NE(boxes.last().text.indexOf("N2"), -1);
    EXPECT_NE(boxes.last().text.indexOf("refused"), -1) << "the box names why the row was refused";
    EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 2);
}

TEST_F(JobWindow, DeleteFollowsTheSelectionsDirection)
{
    QStringList lines;
    for (int i = 1; i <= 6; ++i)
        lines << jobLine(QString("N%1").arg(i), "a", "1");
    Form1* form = importJob(lines);
    ASSERT_NE(form, nullptr);
    FlexGrid* grid = form->MSFlexGrid1[0];

    grid->setRow(5);
    grid->setRowSel(3);   // drawn upwards
    form->XPButton6_Click();
    EXPECT_EQ(dataRows(form, 0), 6);

    grid->setRow(3);
    grid->setRowSel(5);
    form->XPButton6_Click();
    ASSERT_EQ(dataRows(form, 0), 3);
    EXPECT_EQ(grid->TextMatrix(1, 0), "N1");
    EXPECT_EQ(grid->TextMatrix(2, 0), "N2");
    EXPECT_EQ(grid->TextMatrix(3, 0), "N6");
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(form->SSTab1->tabText(0), "Νέα υλικά: 3");
}

class JobExecute : public JobWindow {
protected:
    void SetUp() override
    {
        JobWindow::SetUp();
        addMaterial("A", 10, 5);
        addMaterial("B", 3, 0);
        addMaterial("U", 1, 0, false);
    }
};

TEST_F(JobExecute, WithoutShortageAsksNothingAndWithdrawsEveryLine)
{
    Form1* form = importJob({jobLine("A", "a", "2,5"), jobLine("B", "b", "1"), jobLine("A", "a", "1"),
                             jobLine("U", "u", "1"), jobLine("B", "b", "-4")});
    ASSERT_NE(form, nullptr);
    form->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("A"), 6.5);
    EXPECT_DOUBLE_EQ(stockOf("B"), 6);   // a negative quantity raises the stock
    EXPECT_DOUBLE_EQ(stockOf("U"), 1);
    EXPECT_FALSE(QFile::exists(jobFilePath()));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Οι ποσότητες ενημερώθηκαν");
    EXPECT_EQ(boxes.last().style, 64);
    EXPECT_EQ(boxes.last().title, "Ολοκλήρωση εργασίας");
    EXPECT_EQ(Form1::instance(), nullptr);
}

TEST_F(JobExecute, ShortageQuestion)
{
    for (const int answer : {msgbox::Yes, msgbox::No}) {
        SCOPED_TRACE(answer);
        testenv::DataFolder::exec(gConnStock, "update protesyles set mystock=3 where kodikos='B'");
        boxes.clear();
        boxes.answerNext(answer);
        // Jobs of other contents: the same contents again would be a repeated withdrawal.
        const QString description = QString::number(answer);
        Form1* form = importJob({jobLine("B", description, "4"), jobLine("B", "b", "5"), jobLine("A", "a", "1")});
        ASSERT_NE(form, nullptr);
        form->XPButton1_Click();
        ASSERT_GE(boxes.count(), 1);
        EXPECT_EQ(boxes.shown()[0].text, "Υπάρχουν 2 κωδικοί που δεν υπάρχουν στην αποθήκη. Συνέχεια;");
        EXPECT_EQ(boxes.shown()[0].style, 52);
        EXPECT_EQ(boxes.shown()[0].title, "Προσοχή");
        if (answer == msgbox::Yes) {
            EXPECT_DOUBLE_EQ(stockOf("B"), -6);
            EXPECT_FALSE(QFile::exists(jobFilePath()));
            EXPECT_EQ(Form1::instance(), nullptr);
        } else {
            EXPECT_EQ(boxes.count(), 1);
            EXPECT_DOUBLE_EQ(stockOf("B"), 3);
            EXPECT_TRUE(QFile::exists(jobFilePath()));
            EXPECT_EQ(Form1::instance(), form);
            delete form;
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        testenv::DataFolder::exec(gConnStock, "update protesyles set mystock=10 where kodikos='A'");
    }
}

TEST_F(JobExecute, FailureMidwayLeavesEveryStockAsItWas)
{
    Form1* form = importJob({jobLine("A", "a", "1"), jobLine("B", "b", "1")});
    ASSERT_NE(form, nullptr);
    testenv::DataFolder::exec(gConnStock,
        "create trigger refuse before update on protesyles when new.kodikos='B' "
        "begin select raise(abort, 'refused'); end");
    form->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("A"), 10);
    EXPECT_DOUBLE_EQ(stockOf("B"), 3);
    EXPECT_TRUE(QFile::exists(jobFilePath()));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_EQ(Form1::instance(), form);

    // The connection is usable again afterwards.
    testenv::DataFolder::exec(gConnStock, "drop trigger refuse");
    form->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("A"), 9);
    EXPECT_DOUBLE_EQ(stockOf("B"), 2);
}

// A crash or a failure between the withdrawal's commit and the job file's rewrite leaves the
// withdrawn job in the file: its next Execute names the earlier withdrawal and withdraws it
// again only on Yes.
TEST_F(JobExecute, AJobWithdrawnBeforeIsAskedAbout)
{
    const QStringList job {jobLine("A", "a", "1")};
    Form1* form = importJob(job);
    ASSERT_NE(form, nullptr);
    Form1::afterWithdrawalCommitted = [] {
        // A non-empty folder in the job file's place can be neither read nor removed.
        ASSERT_TRUE(QFile::remove(jobFilePath()));
        ASSERT_TRUE(QDir().mkpath(jobFilePath() + "/held"));
    };
    form->XPButton1_Click();
    Form1::afterWithdrawalCommitted = nullptr;
    EXPECT_DOUBLE_EQ(stockOf("A"), 9);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_TRUE(boxes.shown()[0].text.contains("norvale9.txt"));
    EXPECT_EQ(boxes.shown()[0].style, 16);
    EXPECT_EQ(boxes.shown()[1].text, "Οι ποσότητες ενημερώθηκαν");

    ASSERT_TRUE(QDir(jobFilePath()).removeRecursively());   // the file as the cut step left it
    const std::optional<Withdrawal> earlier = lastWithdrawal(jobBytes(job));
    ASSERT_TRUE(earlier);
    for (const int answer : {msgbox::No, msgbox::Yes}) {
        SCOPED_TRACE(answer);
        boxes.clear();
        boxes.answerNext(answer);
        form = importJob(job);
        ASSERT_NE(form, nullptr);
        form->XPButton1_Click();
        ASSERT_GE(boxes.count(), 1);
        const msgbox::Box& question = boxes.shown()[0];
        EXPECT_TRUE(question.text.contains(earlier->when.toString("dd/MM/yyyy HH:mm"))) << question.text.toStdString();
        EXPECT_EQ(question.style, msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2);
        if (answer == msgbox::No) {
            EXPECT_EQ(boxes.count(), 1);
            EXPECT_DOUBLE_EQ(stockOf("A"), 9);
            EXPECT_TRUE(QFile::exists(jobFilePath()));
            EXPECT_EQ(Form1::instance(), form);
            delete form;
        } else {
            EXPECT_DOUBLE_EQ(stockOf("A"), 8);
            EXPECT_FALSE(QFile::exists(jobFilePath()));
            EXPECT_EQ(boxes.last().text, "Οι ποσότητες ενημερώθηκαν");
        }
    }
}

// The file step after a withdrawal of job A failed, and the companion program then appended
// job B: the file begins with A, which is told as withdrawn. The user withdraws only B, all
// again, or nothing; the stock never moves twice for A without that answer.
TEST_F(JobExecute, AFileThatBeginsWithAWithdrawnJobIsAskedAbout)
{
    const QByteArray jobA = jobBytes({jobLine("A", "a", "1")});
    const QByteArray jobB = jobBytes({jobLine("A", "a", "2"), jobLine("B", "b", "1")});
    writeJobBytes(jobA);
    ImportStockFile();
    ASSERT_NE(Form1::instance(), nullptr);
    Form1::afterWithdrawalCommitted = [] {
        // A non-empty folder in the job file's place can be neither read nor removed.
        ASSERT_TRUE(QFile::remove(jobFilePath()));
        ASSERT_TRUE(QDir().mkpath(jobFilePath() + "/held"));
    };
    Form1::instance()->XPButton1_Click();
    Form1::afterWithdrawalCommitted = nullptr;
    ASSERT_DOUBLE_EQ(stockOf("A"), 9);
    ASSERT_TRUE(QDir(jobFilePath()).removeRecursively());

    struct Case {
        int answer;
        double a, b;
        bool fileRemains;
    };
    const Case cases[] = {
        {msgbox::Yes, 7, 2, false},      // only B
        {msgbox::No, 6, 2, false},       // A again, and B
        {msgbox::Cancel, 9, 3, true},    // nothing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        testenv::DataFolder::exec(gConnStock, QString("update protesyles set mystock=9 where kodikos='A';"
                                                      "update protesyles set mystock=3 where kodikos='B';"
                                                      "delete from withdrawn_jobs where length<>%1").arg(jobA.size()));
        boxes.clear();
        boxes.answerNext(c.answer);
        writeJobBytes(jobA + jobB);
        ImportStockFile();
        ASSERT_NE(Form1::instance(), nullptr);
        Form1::instance()->XPButton1_Click();
        ASSERT_GE(boxes.count(), 1);
        EXPECT_TRUE(boxes.shown()[0].text.startsWith("Η πρώτη γραμμή του αρχείου της εργασίας είναι εργασία που έχει ήδη αφαιρεθεί"))
            << boxes.shown()[0].text.toStdString();
        EXPECT_EQ(boxes.shown()[0].style, msgbox::YesNoCancel | msgbox::Exclamation);
        EXPECT_DOUBLE_EQ(stockOf("A"), c.a);
        EXPECT_DOUBLE_EQ(stockOf("B"), c.b);
        EXPECT_EQ(QFile::exists(jobFilePath()), c.fileRemains);
        delete Form1::instance();
    }
}

// The companion program was still writing the last line at the import. Finished since, that
// line is no part of the withdrawn job and stays whole in the file; unchanged, or finished by
// its line end alone, it is a job line like any other.
TEST_F(JobExecute, ALineStillBeingWrittenAtTheImportStaysWhole)
{
    const QByteArray first = jobBytes({jobLine("A", "a", "1")});
    const QByteArray second = jobBytes({jobLine("B", "b", "1")});
    const QByteArray unended = second.left(second.size() - 2);
    struct Case {
        const char* name;
        QByteArray imported, atExecute, left;
        double a, b;
        int boxes;
    };
    const Case cases[] = {
        {"finished since", first + second.left(60), first + second, second, 9, 3, 2},
        {"unchanged", first + unended, first + unended, {}, 9, 2, 1},
        {"ended since", first + unended, first + second, "\r\n", 9, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testenv::DataFolder::exec(gConnStock, "update protesyles set mystock=10 where kodikos='A';"
                                              "update protesyles set mystock=3 where kodikos='B';"
                                              "drop table if exists withdrawn_jobs");
        boxes.clear();
        writeJobBytes(c.imported);
        ImportStockFile();
        ASSERT_NE(Form1::instance(), nullptr);
        writeJobBytes(c.atExecute);
        Form1::instance()->XPButton1_Click();
        EXPECT_DOUBLE_EQ(stockOf("A"), c.a);
        EXPECT_DOUBLE_EQ(stockOf("B"), c.b);
        EXPECT_EQ(jobFileBytes(), c.left);
        EXPECT_EQ(QFile::exists(jobFilePath()), !c.left.isEmpty());
        ASSERT_EQ(boxes.count(), c.boxes);
        EXPECT_EQ(boxes.last().text, "Οι ποσότητες ενημερώθηκαν");
    }
    // The line kept is withdrawn with the next import.
    ImportStockFile();
    ASSERT_NE(Form1::instance(), nullptr);
    Form1::instance()->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("B"), 2);
}

// A job file that is a symbolic link: the file it names is the job file, rewritten or removed,
// and the link stays for the companion program's next job.
TEST_F(JobExecute, AJobFileThatIsALinkStaysALink)
{
    const QByteArray imported = jobBytes({jobLine("A", "a", "1")});
    const QByteArray appended = jobBytes({jobLine("B", "b", "1")});
    const QString target = gDataPath + "/jobs/current.txt";
    ASSERT_TRUE(QDir().mkpath(gDataPath + "/jobs"));
    ASSERT_TRUE(QFile::link(target, jobFilePath()));
    for (const QByteArray& later : {appended, QByteArray()}) {
        SCOPED_TRACE(later.isEmpty() ? "emptied" : "rewritten");
        testenv::DataFolder::exec(gConnStock, "update protesyles set mystock=10 where kodikos='A'");
        writeJobBytes(imported);
        ImportStockFile();
        ASSERT_NE(Form1::instance(), nullptr);
        writeJobBytes(imported + later);
        Form1::instance()->XPButton1_Click();
        EXPECT_DOUBLE_EQ(stockOf("A"), 9);
        EXPECT_TRUE(QFileInfo(jobFilePath()).isSymLink());
        EXPECT_EQ(QFileInfo(jobFilePath()).symLinkTarget(), target);
        EXPECT_EQ(QFile::exists(target), !later.isEmpty());
        EXPECT_EQ(jobFileBytes(), later);
    }
}

// A FIFO in the job file's place blocks whoever opens it: import and Execute open nothing that
// can block, and a file step that meets one tells that the job file was not updated.
TEST_F(JobExecute, AFifoInTheJobFilesPlaceBlocksNothing)
{
    const auto makeFifo = [] {
        QFile::remove(jobFilePath());
        ASSERT_EQ(::mkfifo(QFile::encodeName(jobFilePath()).constData(), 0600), 0);
    };
    makeFifo();
    ImportStockFile();
    EXPECT_EQ(Form1::instance(), nullptr);
    EXPECT_EQ(boxes.last().text, "No File!");
    QFile::remove(jobFilePath());

    Form1* form = importJob({jobLine("A", "a", "1")});
    ASSERT_NE(form, nullptr);
    makeFifo();
    boxes.clear();
    form->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("A"), 10);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("δεν είναι πια κανονικό αρχείο")) << boxes.last().text.toStdString();
    QFile::remove(jobFilePath());
    delete form;

    form = importJob({jobLine("A", "a", "1")});
    ASSERT_NE(form, nullptr);
    Form1::afterWithdrawalCommitted = makeFifo;
    boxes.clear();
    form->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("A"), 9);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_TRUE(boxes.shown()[0].text.contains("το αρχείο της δεν ενημερώθηκε")) << boxes.shown()[0].text.toStdString();
    EXPECT_TRUE(QFileInfo(jobFilePath()).exists());
}

// The companion program appends the next job to the file: Execute withdraws the imported job
// and leaves in the file exactly what was appended, in the file's encoding.
TEST_F(JobExecute, AJobAppendedSinceTheImportStaysInTheFile)
{
    const QStringList first {jobLine("A", "a", "1")};
    const QStringList second {jobLine("A", "a", "2"), jobLine("B", "b", "1")};
    const auto utf16 = [](const QStringList& lines) {
        QStringEncoder encoder(QStringConverter::Utf16LE);
        return QByteArray(encoder(lines.join("\r\n") + "\r\n"));
    };
    struct Case {
        const char* name;
        QByteArray mark, imported, appended;
    };
    const Case cases[] = {
        {"utf-8", {}, jobBytes(first), jobBytes(second)},
        {"utf-16", "\xFF\xFE", QByteArray("\xFF\xFE") + utf16(first), utf16(second)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testenv::DataFolder::exec(gConnStock, "update protesyles set mystock=10 where kodikos='A';"
                                              "update protesyles set mystock=3 where kodikos='B'");
        boxes.clear();
        writeJobBytes(c.imported);
        ImportStockFile();
        ASSERT_NE(Form1::instance(), nullptr);
        writeJobBytes(c.imported + c.appended);
        Form1::instance()->XPButton1_Click();
        EXPECT_DOUBLE_EQ(stockOf("A"), 9);
        EXPECT_EQ(jobFileBytes(), c.mark + c.appended);
        ASSERT_EQ(boxes.count(), 1);

        ImportStockFile();
        Form1* form = Form1::instance();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->List1->count(), 2);
        form->XPButton1_Click();
        EXPECT_DOUBLE_EQ(stockOf("A"), 7);
        EXPECT_DOUBLE_EQ(stockOf("B"), 2);
        EXPECT_FALSE(QFile::exists(jobFilePath()));
        EXPECT_EQ(boxes.count(), 2);
    }
}

// The job file must still hold the imported job when the withdrawal commits: gone, replaced or
// cut short since the import (another copy of the program withdrew it), nothing is withdrawn.
TEST_F(JobExecute, AJobFileChangedSinceTheImportWithdrawsNothing)
{
    const QStringList job {jobLine("A", "a", "1"), jobLine("B", "b", "1")};
    struct Case {
        const char* name;
        std::function<void()> change;
        const char* reason;
    };
    const Case cases[] = {
        {"removed", [] { QFile::remove(jobFilePath()); }, "δεν υπάρχει πια"},
        {"replaced", [this] { writeJob({jobLine("B", "b", "1")}); }, "άλλαξε μετά την εισαγωγή"},
        {"cut short", [this, &job] { writeJob({job[0]}); }, "άλλαξε μετά την εισαγωγή"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        Form1* form = importJob(job);
        ASSERT_NE(form, nullptr);
        c.change();
        const QByteArray changed = jobFileBytes();
        form->XPButton1_Click();
        EXPECT_DOUBLE_EQ(stockOf("A"), 10);
        EXPECT_DOUBLE_EQ(stockOf("B"), 3);
        EXPECT_EQ(jobFileBytes(), changed);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().text.contains(c.reason)) << boxes.last().text.toStdString();
        EXPECT_TRUE(boxes.last().text.contains("Καμία ποσότητα δεν άλλαξε"));
        EXPECT_EQ(boxes.last().style, 16);
        EXPECT_EQ(Form1::instance(), form);
        EXPECT_FALSE(gConnStock.inTransaction());
        delete form;
    }
}

// The companion program appends the next job while the withdrawn one is being taken out of
// the file, whether the file is to be removed or rewritten: the appended job stays.
TEST_F(JobExecute, AJobAppendedDuringTheRewriteStays)
{
    const QByteArray imported = jobBytes({jobLine("A", "a", "1")});
    const QByteArray before = jobBytes({jobLine("B", "b", "1")});   // appended before Execute
    const QByteArray during = jobBytes({jobLine("B", "b", "2")});   // appended during the rewrite
    for (const QByteArray& earlier : {QByteArray(), before}) {
        SCOPED_TRACE(earlier.isEmpty() ? "removed" : "rewritten");
        testenv::DataFolder::exec(gConnStock, "update protesyles set mystock=10 where kodikos='A'");
        writeJobBytes(imported);
        ImportStockFile();
        ASSERT_NE(Form1::instance(), nullptr);
        writeJobBytes(imported + earlier);
        bool appended = false;
        beforeJobFileReplaced = [&] {
            if (!std::exchange(appended, true))
                writeJobBytes(jobFileBytes() + during);
        };
        Form1::instance()->XPButton1_Click();
        beforeJobFileReplaced = nullptr;
        EXPECT_DOUBLE_EQ(stockOf("A"), 9);
        EXPECT_EQ(jobFileBytes(), earlier + during);
        EXPECT_EQ(boxes.last().text, "Οι ποσότητες ενημερώθηκαν");
    }
}

// Two copies of the program on one data folder: while this one asks its shortage question,
// the other withdraws the same job. The check that runs inside this copy's transaction, after
// the answer, finds it, whether or not the other copy has already rewritten the job file.
TEST_F(JobExecute, AJobThatAnotherCopyWithdrewIsNotWithdrawnAgain)
{
    for (const bool fileRemoved : {false, true}) {
        SCOPED_TRACE(fileRemoved);
        const QStringList job {jobLine("B", fileRemoved ? "removed" : "kept", "4")};
        testenv::DataFolder::exec(gConnStock, "update protesyles set mystock=3 where kodikos='B'");
        Form1* form = importJob(job);
        ASSERT_NE(form, nullptr);
        QStringList shown;
        const msgbox::ResponderGuard otherCopy([&](const msgbox::Box& box) {
            shown << box.text;
            if (shown.size() == 1) {
                db::Connection other;
                other.Open(gConnString);
                testenv::DataFolder::exec(other, "update protesyles set mystock=mystock-4 where kodikos='B'");
                recordWithdrawal(jobBytes(job));
                if (fileRemoved)
                    QFile::remove(jobFilePath());
            }
            return int(msgbox::Yes);
        });
        form->XPButton1_Click();
        EXPECT_DOUBLE_EQ(stockOf("B"), -1);
        ASSERT_EQ(shown.size(), 2);
        EXPECT_TRUE(shown[1].contains(fileRemoved ? "δεν υπάρχει πια" : "αφαιρέθηκε από την αποθήκη στις"))
            << shown[1].toStdString();
        EXPECT_EQ(Form1::instance(), form);
        delete form;
    }
}

// A job file that another program replaced between the commit and the rewrite is a new job:
// it stays, with a message.
TEST_F(JobExecute, ANewJobWrittenAfterTheCommitStays)
{
    Form1* form = importJob({jobLine("A", "a", "1")});
    ASSERT_NE(form, nullptr);
    Form1::afterWithdrawalCommitted = [this] { writeJob({jobLine("B", "b", "1")}); };
    form->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("A"), 9);
    EXPECT_EQ(jobFileBytes(), jobBytes({jobLine("B", "b", "1")}));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_TRUE(boxes.shown()[0].text.contains("norvale9.txt"));
    EXPECT_EQ(boxes.shown()[1].text, "Οι ποσότητες ενημερώθηκαν");
}

// A stock that is no number (text another tool wrote) or that the job would take beyond the
// single-precision range: the analysis reports the line and shows no figure for it; should
// the stock become so after the analysis, Execute changes nothing.
TEST_F(JobExecute, StocksThatCannotTakeTheJob)
{
    addMaterial("TEXT", 0, 0);
    addMaterial("COMMA", 0, 0);
    addMaterial("EDGE", -3.4e38, 0);
    testenv::DataFolder::exec(gConnStock, "update protesyles set mystock='abc' where kodikos='TEXT';"
                                          "update protesyles set mystock='10,5' where kodikos='COMMA'");
    Form1* form = importJob({jobLine("B", "b", "1"), jobLine("TEXT", "t", "1"), jobLine("COMMA", "c", "1"),
                             jobLine("EDGE", "e", "3,4E+38")});
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(dataRows(form, 2), 1);
    EXPECT_EQ(cell(form, 2, 1, Form1::ColCode), "B");
    ASSERT_EQ(boxes.count(), 1);
    for (const char* number : {"Γραμμή 2:", "Γραμμή 3:", "Γραμμή 4:"})
        EXPECT_TRUE(boxes.last().text.contains(number)) << number;
    EXPECT_TRUE(boxes.last().text.contains("mystock"));
    form->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("B"), 2);
    EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select mystock from protesyles where kodikos='TEXT'")
                  .toString(), "abc");

    struct Case {
        const char* stock;
        const char* reason;
    };
    for (const Case& c : {Case {"'abc'", "δεν είναι αριθμός"}, Case {"3.4e38", "ξεπερνά τα όρια"}}) {
        SCOPED_TRACE(c.stock);
        testenv::DataFolder::exec(gConnStock, "update protesyles set mystock=10 where kodikos='A'");
        boxes.clear();
        form = importJob({jobLine("B", "b", "1"), jobLine("A", "a", "-3,4E+38")});
        ASSERT_NE(form, nullptr);
        testenv::DataFolder::exec(gConnStock, QString("update protesyles set mystock=%1 where kodikos='A'").arg(c.stock));
        form->XPButton1_Click();
        EXPECT_DOUBLE_EQ(stockOf("B"), 2);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().text.contains(c.reason)) << boxes.last().text.toStdString();
        EXPECT_TRUE(QFile::exists(jobFilePath()));
        delete form;
    }
}

// Another copy's database reset replaced stock.mdb under the open connection: Execute says
// so, in either journal mode (in WAL mode SQLite itself would write into the old file), and
// nothing reaches the new file.
TEST_F(JobExecute, AStockFileReplacedUnderTheProgramIsToldAsSuch)
{
    for (const char* mode : {"delete", "wal"}) {
        SCOPED_TRACE(mode);
        testenv::DataFolder::exec(gConnStock, QString("pragma journal_mode=%1").arg(mode));
        boxes.clear();
        Form1* form = importJob({jobLine("A", "a", QString(mode) == "wal" ? "2" : "1")});
        ASSERT_NE(form, nullptr);
        const QString stock = gDataPath + "/stock.mdb";
        const QString copy = gDataPath + "/stock-copy.mdb";
        QFile::remove(copy);
        testenv::DataFolder::exec(gConnStock, "vacuum into '" + copy + "'");
        ASSERT_EQ(::rename(QFile::encodeName(copy).constData(), QFile::encodeName(stock).constData()), 0);
        form->XPButton1_Click();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().text.contains("αντικαταστάθηκε ή διαγράφηκε από άλλο πρόγραμμα"))
            << boxes.last().text.toStdString();
        EXPECT_TRUE(QFile::exists(jobFilePath()));
        delete form;
        gConnStock.Open(gConnString);
        EXPECT_DOUBLE_EQ(stockOf("A"), 10);
    }
}

TEST_F(JobExecute, ReturnLeavesTheStock)
{
    Form1* form = importJob({jobLine("A", "a", "1")});
    ASSERT_NE(form, nullptr);
    form->Command1_Click();
    EXPECT_EQ(Form1::instance(), nullptr);
    EXPECT_DOUBLE_EQ(stockOf("A"), 10);
    EXPECT_TRUE(QFile::exists(jobFilePath()));
}

TEST_F(JobWindow, EmptyJobFile)
{
    writeJobBytes({});
    ImportStockFile();
    EXPECT_EQ(Form1::instance(), nullptr);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Unkonwn input error");
    EXPECT_EQ(boxes.last().style, 0);
    EXPECT_EQ(boxes.last().title, "tarmel");
}

TEST_F(JobWindow, MissingJobFile)
{
    ImportStockFile();
    EXPECT_EQ(Form1::instance(), nullptr);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "No File!");
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_EQ(boxes.last().title, "Error input");
}

TEST_F(JobWindow, LinesOfEveryEndingAndWindows1253)
{
    addMaterial("G1", 5, 0);
    const QString line = jobLine("G1", "Γωνία", "1");
    QByteArray bytes = QStringEncoder("windows-1253")(line + "\r" + line + "\n" + line + "\r\n" + line);
    writeJobBytes(bytes);
    ImportStockFile();
    Form1* form = Form1::instance();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->List1->count(), 4);
    ASSERT_EQ(dataRows(form, 2), 4);
    EXPECT_EQ(cell(form, 2, 4, Form1::ColDescription), "Γωνία");
}

TEST_F(JobWindow, RoadThroughTheMainWindow)
{
    MDIForm1 main;
    writeJob({jobLine("N1", "a", "1")});
    main.Command2_Click(4);
    Form1* form = Form1::instance();
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(main.mdiArea->subWindowList().size(), 1);
    EXPECT_EQ(main.mdiArea->subWindowList().first()->geometry(),
              units::pxRect(0, 0, Form1::kWidthTw, Form1::kHeightTw));
    EXPECT_TRUE(main.Picture1->isHidden());
    EXPECT_EQ(main.picture1BackColor(), 0xC0C0C0u);

    form->Command1_Click();   // only the menu panel comes back
    for (int round = 0; round < 2; ++round)   // the window, then its sub-window
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Form1::instance(), nullptr);
    EXPECT_TRUE(main.mdiArea->subWindowList().isEmpty());
    EXPECT_FALSE(main.Picture1->isHidden());
    EXPECT_TRUE(main.Picture2->isHidden());
    EXPECT_EQ(main.picture1BackColor(), 0xFFC0C0u);

    ASSERT_TRUE(QFile::remove(jobFilePath()));
    main.Command2_Click(4);
    EXPECT_EQ(Form1::instance(), nullptr);
    EXPECT_EQ(boxes.last().text, "No File!");
    EXPECT_FALSE(main.Picture1->isHidden());
    EXPECT_TRUE(main.Picture2->isHidden());
}

TEST_F(JobWindow, ClassBoxesShowTheirColours)
{
    addMaterial("S1", 5, 0);
    Form1* form = importJob({jobLine("S1", "a", "1")});
    ASSERT_NE(form, nullptr);
    const std::uint32_t colours[] = {0xC0E0FF, 0xC0C0FF, 0xC0FFC0};
    for (int i = 0; i < 3; ++i) {
        const QImage image = form->Check2[i]->grab().toImage();
        EXPECT_EQ(units::bgr(image.pixelColor(image.width() - 2, image.height() / 2)), colours[i]) << i;
    }
}


// A failure that ends the transaction leaves every code in tab 0 and stores none of them.
TEST_F(JobWindow, InsertIsOneTransaction)
{
    testenv::DataFolder::exec(gConnStock, "create trigger refuse before insert on protesyles "
                                          "when new.kodikos='N3' begin select raise(rollback, 'refused'); end");
    Form1* form = importJob({jobLine("N1", "a", "1"), jobLine("N2", "b", "2"), jobLine("N3", "c", "3")});
    ASSERT_NE(form, nullptr);
    boxes.clear();
    form->Command2_Click();
    EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 0);
    EXPECT_EQ(dataRows(form, 0), 3);
    EXPECT_EQ(dataRows(form, 1), 0);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("refused")) << boxes.last().text.toStdString();
    EXPECT_FALSE(gConnStock.inTransaction());
}

// A job line's code finds the material whatever the letter case, Greek letters included, so
// that no duplicate is offered for insert.
TEST_F(JobWindow, GreekCodesOfAnotherCaseAreTheStoredMaterial)
{
    addMaterial("ΠΡΟΦ-Α1", 10, 0);
    Form1* form = importJob({jobLine("προφ-α1", "a", "4")});
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(dataRows(form, 0), 0);
    ASSERT_EQ(dataRows(form, 2), 1);
    form->XPButton1_Click();
    EXPECT_DOUBLE_EQ(stockOf("ΠΡΟΦ-Α1"), 6);
}

// A look-up that fails is no missing code: the analysis stops with one message, offers
// nothing for insert, and leaves the job file.
TEST_F(JobWindow, LockedStockStopsTheAnalysis)
{
    addMaterial("A", 10, 0);
    db::Connection other;
    other.Open(gConnString);
    other.Execute("BEGIN EXCLUSIVE");
    Form1* form = importJob({jobLine("A", "a", "1"), jobLine("B", "b", "1")});
    other.Execute("ROLLBACK");
    EXPECT_EQ(form, nullptr);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("Το αρχείο είναι κλειδωμένο από άλλο πρόγραμμα ή χρήστη."))
        << boxes.last().text.toStdString();
    EXPECT_EQ(boxes.last().style, 16);
    EXPECT_TRUE(QFile::exists(jobFilePath()));
    EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 1);
}

// More lines in one tab than its 16-bit row counter holds: a message, the program goes on and
// the job file stays.
TEST_F(JobWindow, AJobTooLongForOneTabIsReported)
{
    const QString line = jobLine("NEW", "a", "1");
    Form1* form = importJob(QStringList(Form1::kMaxTabLines + 1, line));
    EXPECT_EQ(form, nullptr);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains("32767")) << boxes.last().text.toStdString();
    EXPECT_TRUE(QFile::exists(jobFilePath()));
}

// A control character inside a code would be stored and never found again: a bad line. The
// report of many bad lines names the first ones and counts the rest, so its box fits.
TEST_F(JobWindow, ControlCharactersAndManyBadLines)
{
    QStringList lines {jobLine(QString("AB") + QChar(0) + "C", "nul", "1"), jobLine("A\tB", "tab", "1"),
                       jobLine("OK", "good", "1")};
    for (int i = 0; i < 30; ++i)
        lines << jobLine("Q", "x", "abc");
    Form1* form = importJob(lines);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(dataRows(form, 0), 1);
    EXPECT_EQ(cell(form, 0, 1, Form1::ColCode), "OK");
    ASSERT_EQ(boxes.count(), 1);
    const QString report = boxes.last().text;
    EXPECT_TRUE(report.contains("Γραμμή 1:") && report.contains("Γραμμή 2:"));
    EXPECT_TRUE(report.contains("Γραμμή 21:"));
    EXPECT_FALSE(report.contains("Γραμμή 24:"));
    EXPECT_TRUE(report.contains("και άλλες 12 γραμμές")) << report.toStdString();
    EXPECT_LE(report.count('\n'), 22);
}

// The job file's text: UTF-16 after its byte-order mark, UTF-8 and Windows-1253 line by line;
// bytes that are no text are said to be so.
TEST_F(JobWindow, TextOfEveryEncoding)
{
    addMaterial("Γ1", 5, 0);
    const QString line = jobLine("Γ1", "Γωνία", "1");
    const QByteArray le = QByteArray("\xFF\xFE") + QStringEncoder(QStringConverter::Utf16LE)(line + "\r\n" + line);
    const QByteArray be = QByteArray("\xFE\xFF") + QStringEncoder(QStringConverter::Utf16BE)(line);
    const QByteArray mixed = line.toUtf8() + "\r\n" + QStringEncoder("windows-1253")(line) + "\r\n";
    for (const auto& [bytes, rows] : {std::pair {le, 2}, std::pair {be, 1}, std::pair {mixed, 2}}) {
        boxes.clear();
        writeJobBytes(bytes);
        ImportStockFile();
        Form1* form = Form1::instance();
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(dataRows(form, 2), rows);
        EXPECT_EQ(cell(form, 2, rows, Form1::ColDescription), "Γωνία");
        EXPECT_EQ(boxes.count(), 0);
    }
    delete Form1::instance();
    std::mt19937 random(20);
    QByteArray binary;
    for (int i = 0; i < 4096; ++i)
        binary.append(char(random() & 0xFF));
    const QByteArray unmarked = QStringEncoder(QStringConverter::Utf16LE)(line + "\r\n" + line);
    for (const QByteArray& bytes : {unmarked, binary}) {
        boxes.clear();
        writeJobBytes(bytes);
        ImportStockFile();
        EXPECT_EQ(Form1::instance(), nullptr);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.last().text.contains("δεν είναι αρχείο κειμένου")) << boxes.last().text.toStdString();
    }
}

// Positions count characters in every encoding: an emoji (two UTF-16 units) shifts no field.
TEST_F(JobWindow, CharactersBeyondTheBasicPlaneShiftNoField)
{
    addMaterial("E1", 20, 0);
    const QString smile = QString::fromUtf8("\U0001F600");
    QString line = jobLine("E1", "Λαβή " + smile + " χρυσή", "12", "03");
    line.replace(0, 1, smile);   // in the unread part, too
    const QByteArray utf16 = QByteArray("\xFF\xFE") + QStringEncoder(QStringConverter::Utf16LE)(line);
    for (const QByteArray& bytes : {line.toUtf8(), utf16}) {
        writeJobBytes(bytes);
        ImportStockFile();
        Form1* form = Form1::instance();
        ASSERT_NE(form, nullptr);
        ASSERT_EQ(dataRows(form, 2), 1);
        EXPECT_EQ(cell(form, 2, 1, Form1::ColDescription), "Λαβή " + smile + " χρυσή");
        EXPECT_EQ(cell(form, 2, 1, Form1::ColQuantity), "12");
        EXPECT_EQ(cell(form, 2, 1, Form1::ColKind), "3");
        EXPECT_EQ(cell(form, 2, 1, Form1::ColRest), "8");
    }
}

// Invisible format characters in a code make its line a bad line, as control characters do.
TEST_F(JobWindow, FormatCharactersInACodeMakeABadLine)
{
    const QStringList lines {jobLine(QString("A") + QChar(0x200B) + "B", "zero width space", "1"),
                             jobLine(QString(QChar(0xFEFF)) + "AB", "byte-order mark", "1"),
                             jobLine(QString("AB") + QChar(0x00AD), "soft hyphen", "1"),
                             jobLine(QString("AB") + QString::fromUtf8("\U000E0001"), "language tag", "1"),
                             jobLine("AB", "good", "1")};
    Form1* form = importJob(lines);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(dataRows(form, 0), 1);
    EXPECT_EQ(cell(form, 0, 1, Form1::ColCode), "AB");
    ASSERT_EQ(boxes.count(), 1);
    for (const char* number : {"Γραμμή 1:", "Γραμμή 2:", "Γραμμή 3:", "Γραμμή 4:"})
        EXPECT_TRUE(boxes.last().text.contains(number)) << number;
}

// A screen reader finds one working return button: the panel kept outside the window offers
// none.
TEST_F(JobWindow, ScreenReadersFindOneReturnButton)
{
    Form1* form = importJob({jobLine("N1", "a", "1")});
    ASSERT_NE(form, nullptr);
    const QString name = QAccessible::queryAccessibleInterface(form->Command1)->text(QAccessible::Name);
    ASSERT_FALSE(name.isEmpty());
    std::vector<QObject*> found;
    std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        for (int i = 0; i < node->childCount(); ++i) {
            QAccessibleInterface* child = node->child(i);
            if (child->state().invisible)
                continue;
            if (child->role() == QAccessible::Button && child->text(QAccessible::Name) == name)
                found.push_back(child->object());
            walk(child);
        }
    };
    walk(QAccessible::queryAccessibleInterface(form));
    EXPECT_EQ(found, std::vector<QObject*>({form->Command1}));
}

// Without a readable language table the job window still opens, showing its keys.
TEST_F(JobWindow, OpensWithoutTheLanguageTable)
{
    testenv::DataFolder::exec(gConnQuilbex, "drop table glossa");
    Form1* form = importJob({jobLine("N1", "a", "1")});
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(cell(form, 0, 0, Form1::ColCode), "KODIKOS");
    EXPECT_EQ(form->Command1->Caption(), "EPISTROFI");
}

// The grids lie wholly inside their tab page, below the tab strip, in the window's font.
TEST_F(JobWindow, GridsLieInsideTheirPagesInTheWindowsFont)
{
    addMaterial("A", 10, 0);
    Form1* form = importJob({jobLine("A", "a", "1")});
    ASSERT_NE(form, nullptr);
    form->show();
    for (int i = 0; i < 3; ++i) {
        form->SSTab1->setCurrentIndex(i);
        QWidget* page = form->SSTab1->widget(i);
        FlexGrid* grid = form->MSFlexGrid1[i];
        EXPECT_TRUE(page->rect().contains(grid->geometry())) << i;
        EXPECT_EQ(grid->mapTo(form->SSTab1, QPoint(0, 0)), units::pxPoint(120, 600)) << i;
        EXPECT_EQ(grid->font().family(), "Tahoma");
    }
}

} // namespace
