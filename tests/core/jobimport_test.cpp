// Material look-up, stock deduction and the reading of job files.

#include "movements/jobfixture.h"

#include <QStringEncoder>
#include <random>
#include <sqlite3.h>

namespace {

class JobLookup : public jobtest::JobTest {};

TEST_F(JobLookup, OutcomesByCode)
{
    addMaterial("PR-1", 4, 2, true);
    addMaterial("FREE", 9, 1, false);
    addMaterial("O'BRIEN", 7, 0, true);
    struct Case {
        const char* code;
        std::uint8_t result;
    };
    const Case cases[] = {
        {"PR-1", lookup::Controlled},
        {"PR-1                ", lookup::Controlled},   // the fixed 20-character field
        {"   pr-1", lookup::Controlled},                // codes compare without letter case
        {"FREE", lookup::Uncontrolled},
        {"NONE", lookup::Missing},
        {"", lookup::Missing},
        {"O'BRIEN", lookup::Controlled},                // an apostrophe is quoted, not a failure
    };
    for (const Case& c : cases)
        EXPECT_EQ(LookupMaterial(c.code), c.result) << c.code;
}

TEST_F(JobLookup, FiguresAreThoseOfTheLastStockControlledMaterial)
{
    addMaterial("FIRST", 4, 2, true, 10, 3);
    addMaterial("SECOND", 1.5, 0.5, true, 20, 7);
    addMaterial("FREE", 99, 99, false, 99, 9);
    ASSERT_EQ(LookupMaterial("FIRST"), lookup::Controlled);
    ASSERT_EQ(LookupMaterial("SECOND"), lookup::Controlled);
    ASSERT_EQ(LookupMaterial("FREE"), lookup::Uncontrolled);
    ASSERT_EQ(LookupMaterial("NONE"), lookup::Missing);
    EXPECT_FLOAT_EQ(gMyStock, 1.5f);
    EXPECT_FLOAT_EQ(gMinStock, 0.5f);
    EXPECT_FLOAT_EQ(gTmpNum1, 20);
    EXPECT_EQ(gSupplier, 7);
}

TEST_F(JobLookup, DeductStock)
{
    addMaterial("A", 5, 0);
    addMaterial("TWICE", 1, 0);
    addMaterial("TWICE", 1, 0);
    DeductStock("A  ", 7);
    EXPECT_DOUBLE_EQ(stockOf("A"), -2);   // no lower bound
    DeductStock("A", -2.5f);
    EXPECT_DOUBLE_EQ(stockOf("A"), 0.5);
    DeductStock("NONE", 1);               // nothing to change, no failure
    EXPECT_EQ(DeductStockChecked("NONE", 1), Deduction::Done);
    DeductStock("TWICE", 1);
    EXPECT_EQ(testenv::DataFolder::scalar(gConnStock,
                  "select group_concat(mystock) from (select mystock from protesyles where kodikos='TWICE' order by ID)")
                  .toString(), "0.0,1.0");
}

// A figure that another tool wrote as text is no number, whatever the regional settings would
// make of it: the look-up names it and keeps the previous figures, the deduction leaves it.
TEST_F(JobLookup, FiguresThatHoldNoNumber)
{
    addMaterial("FIRST", 4, 2, true, 10, 3);
    addMaterial("TEXT", 0, 0, true);
    addMaterial("EDGE", -3.4e38, 0, true);
    for (const char* text : {"abc", "10,5", ""}) {
        SCOPED_TRACE(text);
        testenv::DataFolder::exec(gConnStock,
            QString("update protesyles set mystock='%1', tmpNum1='x' where kodikos='TEXT'").arg(text));
        ASSERT_EQ(LookupMaterial("FIRST"), lookup::Controlled);
        QStringList unreadable;
        EXPECT_EQ(LookupMaterialChecked("TEXT", &unreadable), lookup::Controlled);
        EXPECT_EQ(unreadable, QStringList({"mystock", "tmpNum1"}));
        EXPECT_FLOAT_EQ(gMyStock, 4);
        EXPECT_EQ(DeductStockChecked("TEXT", 1), Deduction::StockUnreadable);
        EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select mystock from protesyles where kodikos='TEXT'")
                      .toString(), text);
    }
    QStringList unreadable {"stale"};
    EXPECT_EQ(LookupMaterialChecked("FIRST", &unreadable), lookup::Controlled);
    EXPECT_TRUE(unreadable.isEmpty());

    // A result beyond single precision is refused, not stored as an infinity.
    EXPECT_EQ(DeductStockChecked("EDGE", 3.4e38f), Deduction::BeyondRange);
    EXPECT_FLOAT_EQ(float(stockOf("EDGE")), -3.4e38f);
    EXPECT_EQ(DeductStockChecked("EDGE", -3.4e38f), Deduction::Done);
    EXPECT_DOUBLE_EQ(stockOf("EDGE"), 0);
}

// Withdrawn jobs are noted in a plain table that any SQLite reader, the sqlite3 tool
// included, reads and writes; a stock database made before it has none until its first
// withdrawal.
TEST_F(JobLookup, WithdrawalsAreNotedInAPlainTable)
{
    const QByteArray job = "job one\r\n";
    EXPECT_EQ(lastWithdrawal(job), std::nullopt);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    recordWithdrawal(job);
    recordWithdrawal("job two\r\n");
    const std::optional<Withdrawal> first = lastWithdrawal(job);
    ASSERT_TRUE(first);
    EXPECT_GE(first->when, before);
    EXPECT_LE(first->when, QDateTime::currentDateTime());
    recordWithdrawal(job);
    EXPECT_NE(lastWithdrawal(job)->id, first->id);

    sqlite3* plain = nullptr;
    ASSERT_EQ(sqlite3_open((gDataPath + "/stock.mdb").toUtf8().constData(), &plain), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(plain, "insert into withdrawn_jobs (fingerprint, withdrawn) "
                                  "select fingerprint, '2020-01-02 03:04:05' from withdrawn_jobs where ID = 1",
                           nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(plain);
    EXPECT_EQ(lastWithdrawal(job)->when, QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)));
}

// A withdrawal is found for a file that begins with its job, up to one of the file's line
// ends, in every encoding; a stock file whose table was made before the length column keeps
// its whole-file rows, which stand for whole files only, and takes new rows with lengths.
TEST_F(JobLookup, AFileThatBeginsWithAWithdrawnJob)
{
    const QByteArray utf16 = QByteArray("\xFF\xFE") + QStringEncoder(QStringConverter::Utf16LE)("one\r\n");
    struct Case {
        const char* name;
        QByteArray withdrawn, file;
        bool found;
    };
    const Case cases[] = {
        {"whole", "one\r\n", "one\r\n", true},
        {"appended", "one\r\n", "one\r\ntwo\r\n", true},
        {"lone LF", "one\n", "one\ntwo", true},
        {"inside a CR LF", "one\r", "one\r\ntwo\r\n", false},
        {"inside a line", "on", "one\r\n", false},
        {"utf-16", utf16, utf16 + QStringEncoder(QStringConverter::Utf16LE)("two\r\n"), true},
        {"other bytes", "one\r\n", "One\r\ntwo\r\n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testenv::DataFolder::exec(gConnStock, "drop table if exists withdrawn_jobs");
        recordWithdrawal(c.withdrawn);
        const std::optional<Withdrawal> found = lastWithdrawal(c.file);
        EXPECT_EQ(bool(found), c.found);
        if (found) {
            EXPECT_EQ(found->length, c.withdrawn.size());
        }
    }

    testenv::DataFolder::exec(gConnStock, "drop table withdrawn_jobs;"
        "create table withdrawn_jobs (ID INTEGER PRIMARY KEY, fingerprint TEXT NOT NULL, withdrawn TEXT NOT NULL);"
        "insert into withdrawn_jobs (fingerprint, withdrawn) values ('"
        + QString::fromLatin1(jobFingerprint("one\r\n").toHex()) + "', '2020-01-02 03:04:05')");
    EXPECT_EQ(lastWithdrawal("one\r\n")->when, QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(lastWithdrawal("one\r\ntwo\r\n"), std::nullopt);
    recordWithdrawal("one\r\ntwo\r\n");
    EXPECT_EQ(lastWithdrawal("one\r\n")->when, QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5)));
    EXPECT_EQ(lastWithdrawal("one\r\ntwo\r\nthree\r\n")->length, 10);
}

TEST(JobFileText, LineEnds)
{
    struct Case {
        const char* text;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\rb", {"a", "b"}},
        {"a\nb\n", {"a", "b"}},
        {"a\r\n\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "", "b"}},   // LF then CR: two line ends
        {"\r\n", {""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitJobLines(c.text), c.lines) << c.text;
}

TEST(JobFileText, Utf8WhenValidElseWindows1253)
{
    const QString greek = "Γωνία αλουμινίου";
    EXPECT_EQ(decodeJobText(greek.toUtf8()), greek);
    EXPECT_EQ(decodeJobText(QStringEncoder("windows-1253")(greek)), greek);
    EXPECT_EQ(decodeJobText("plain ascii"), "plain ascii");
}

// Windows-1253 bytes of a Greek capital followed by an accented capital are valid UTF-8 too
// (ΠΌ reads as Cyrillic м, ΞΌ as Greek μ, ΒΆ as ¢): the reading whose fields stand in the
// job line's columns, and whose letters are Greek and Latin, is the one taken. A UTF-8 job
// line stays UTF-8.
TEST(JobFileText, ALineValidInBothEncodingsIsReadByItsColumns)
{
    using jobtest::jobLine;
    const QString ascii = jobLine("PR-1", "Plain", "1");
    for (const char* code : {"ΠΌ-10", "ΞΌ-10", "ΒΆ", "ΣΊ-3"}) {
        for (const char* kind : {"01", " 7"}) {
            const QString line = jobLine(QString::fromUtf8(code), "Latin description", "12", kind);
            const QByteArray greek = QStringEncoder("windows-1253")(line);
            QStringDecoder utf8(QStringConverter::Utf8);
            const QString misread = utf8(greek);
            ASSERT_FALSE(utf8.hasError()) << "the bytes are valid UTF-8 as well";
            SCOPED_TRACE(std::string(code) + " kind " + kind + ", misread as " + misread.toStdString());
            EXPECT_EQ(decodeJobText(ascii.toLatin1() + "\r\n" + greek + "\r\n" + ascii.toLatin1()),
                      ascii + "\r\n" + line + "\r\n" + ascii);
            if (QString(kind) == "01") {   // alone in its file, the kind's column tells
                EXPECT_EQ(decodeJobText(greek), line);
            }
        }
    }
    const QString utf8 = jobLine("ΠΡΟΦ-Α1", "Γωνία αλουμινίου", "2,5");
    EXPECT_EQ(decodeJobText(utf8.toUtf8()), utf8);
    EXPECT_EQ(decodeJobText(ascii.toLatin1() + "\n" + utf8.toUtf8()), ascii + "\n" + utf8);
}

TEST(JobFileText, BinaryBytesAreNoText)
{
    std::mt19937 random(20);
    QByteArray binary;
    for (int i = 0; i < 20000; ++i)
        binary.append(char(random() & 0xFF));
    EXPECT_FALSE(isJobText(splitJobLines(decodeJobText(binary))));
    // A stray control character leaves a job file a text; its line is a bad line.
    const QString line = QString(100, u'x');
    EXPECT_TRUE(isJobText({line, line + QChar(0) + "\t\t", line + QChar(0x7F)}));
    EXPECT_TRUE(isJobText({}));
}

} // namespace
