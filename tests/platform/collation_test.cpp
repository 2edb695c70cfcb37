// Alphabetical order of Greek and Latin texts, and the collation on the program's connections.

#include "platform/collation.h"
#include "core/globals.h"
#include "support/testenv.h"

#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using testenv::DataFolder;

int compare(const QString& a, const QString& b)
{
    const std::string utf8A = a.toStdString();
    const std::string utf8B = b.toStdString();
    return collation::compare(utf8A, utf8B);
}

// Each list in the order it must sort to, whatever order it comes in.
TEST(Collation, SortsGreekAndLatinAlphabeticallyWithoutRegardToCaseOrAccents)
{
    const QStringList sorted[] = {
        {"αλουμίνιο", "άξονας", "Βίδα", "ΓΩΝΙΑ", "Δείγμα", "δίσκος", "Ζάντα"},
        {"ΣΩΛΗΝΑΣ", "σωλήνας", "Σωλήνας", "ΣΩΛΉΝΑΣ", "σωλήνες"},   // a tie: the plain first, then small letters
        {"ΏΡΑ", "ωραίος"},
        {"ΐ", "ϊα", "ιβ"},                                        // accents of the dialytika letters
        {"ἄλφα", "άλφα 2", "ἄλφα 3"},                           // polytonic letters sort with their base
        {"bolt", "Bolt", "Café", "CAFE-2", "cafetière", "Zinc"},
        {"Zebra", "Øre", "øst"},   // Latin letters other than a to z: after z, in their own order
        {"", " ", "-1", "0", "10", "9", "a", "A", "Ζ", "Я"},   // blanks and signs, digits, Latin, Greek, others
        {QStringLiteral(u"\u03B1\u0301"), QStringLiteral(u"\u03AC"), QStringLiteral(u"\u03B1\u0301\u03B2")},   // combining accent, composed
    };
    for (const QStringList& expected : sorted) {
        SCOPED_TRACE(expected.join(", ").toStdString());
        QStringList shuffled = expected;
        std::reverse(shuffled.begin(), shuffled.end());
        std::stable_sort(shuffled.begin(), shuffled.end(),
                         [](const QString& a, const QString& b) { return compare(a, b) < 0; });
        EXPECT_EQ(shuffled, expected);
        for (const QString& a : expected)
            for (const QString& b : expected)
                EXPECT_EQ(compare(a, b) == 0, a == b) << a.toStdString() << " " << b.toStdString();
    }
}

// The order holds in the program's own queries, while the file's schema stays plain, so that
// the sqlite3 tool still reads, writes and checks it.
TEST(Collation, NamedInQueriesOfTheProgramAndUnknownToTheFile)
{
    DataFolder data;
    for (const char* description : {"Ζάντα", "άξονας", "Βίδα", "αλουμίνιο", "bolt", "Axle"})
        DataFolder::exec(gConnStock,
                         QString("insert into protesyles (Perigrafi, kodikos) values ('%1', '%1')").arg(description));
    db::Recordset rs;
    rs.Open("select * from protesyles order by " + collation::orderBy("perigrafi"), gConnStock);
    QStringList listed;
    for (; !rs.Eof(); rs.MoveNext())
        listed << rs["Perigrafi"].toString();
    rs.Close();
    EXPECT_EQ(listed, (QStringList {"Axle", "bolt", "αλουμίνιο", "άξονας", "Βίδα", "Ζάντα"}));
    const QString named = QString("select count(*) from sqlite_master where sql like '%") + collation::kName + "%'";
    EXPECT_EQ(DataFolder::scalar(gConnStock, named).toInt(), 0);

    gConnStock.Close();
    QProcess tool;
    tool.start("sqlite3", {data.dataPath() + "/stock.mdb",
                           "insert into protesyles (Perigrafi, kodikos) values ('Δείγμα', 'Δ-1');"
                           "select count(*) from protesyles order by perigrafi;"
                           "pragma integrity_check;"});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.readAllStandardError(), "");
    EXPECT_EQ(tool.readAllStandardOutput().trimmed(), "7\nok");
}

} // namespace
