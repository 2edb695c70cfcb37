// The Greek words of the common failure causes, for the causes that no test can bring about
// on a real file (a read-only or full disk, a denied permission). The causes a test can make
// are shown through the windows' and the database's own tests.
#include "platform/database.h"
#include "platform/failure.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <cerrno>

namespace {

const QString kDiskFull = "Ο δίσκος είναι γεμάτος.";
const QString kReadOnly = "Το αρχείο ή ο φάκελός του είναι μόνο για ανάγνωση.";
const QString kPermission = "Δεν υπάρχει άδεια πρόσβασης στο αρχείο ή στον φάκελο.";
const QString kMissing = "Το αρχείο ή ο φάκελος δεν υπάρχει.";
const QString kLocked = "Το αρχείο είναι κλειδωμένο από άλλο πρόγραμμα ή χρήστη.";
const QString kMoved = "Το αρχείο της βάσης δεδομένων αντικαταστάθηκε ή διαγράφηκε από άλλο πρόγραμμα ενώ ήταν "
                       "ανοιχτό (για παράδειγμα από τη διαγραφή της βάσης σε άλλο αντίγραφο του προγράμματος). "
                       "Κλείστε και ανοίξτε ξανά το πρόγραμμα.";
const QString kNoJournal = "Ο φάκελος της βάσης δεδομένων δεν δέχεται νέα αρχεία (είναι μόνο για ανάγνωση ή "
                           "προστατευμένος από αλλαγές), ώστε η αλλαγή δεν μπορεί να γίνει με ασφάλεια.";

TEST(FailureWords, DatabaseCodesAndTheSystemErrorBehindThem)
{
    const struct {
        int code;
        int systemError;
        const char* message;
        QString words;
    } cases[] = {
        {SQLITE_BUSY, 0, "database is locked", kLocked},
        {SQLITE_LOCKED_SHAREDCACHE, 0, "database table is locked", kLocked},
        {SQLITE_READONLY_DIRECTORY, 0, "attempt to write a readonly database", kReadOnly},
        {SQLITE_FULL, 0, "database or disk is full", kDiskFull},
        {SQLITE_IOERR_WRITE, ENOSPC, "disk I/O error", kDiskFull},
        {SQLITE_IOERR_WRITE, EROFS, "disk I/O error", kReadOnly},
        {SQLITE_IOERR_FSYNC, 0, "disk I/O error", "Σφάλμα ανάγνωσης ή εγγραφής στον δίσκο."},
        {SQLITE_CANTOPEN, EACCES, "unable to open database file", kPermission},
        {SQLITE_CANTOPEN, 0, "unable to open database file", "Το αρχείο δεν ανοίγει."},
        {SQLITE_CORRUPT, 0, "database disk image is malformed",
         "Το αρχείο δεν είναι βάση δεδομένων ή είναι κατεστραμμένο."},
        {SQLITE_PERM, 0, "access permission denied", kPermission},
        {SQLITE_CONSTRAINT_UNIQUE, 0, "UNIQUE constraint failed: protesyles.ID",
         "Η βάση δεδομένων δεν δέχτηκε την αλλαγή: η τιμή του protesyles.ID υπάρχει ήδη."},
        {SQLITE_CONSTRAINT_NOTNULL, 0, "NOT NULL constraint failed: protesyles.kodikos",
         "Η βάση δεδομένων δεν δέχτηκε την αλλαγή: το protesyles.kodikos δεν μπορεί να μείνει κενό."},
        {SQLITE_CONSTRAINT_TRIGGER, 0, "refused", "Η βάση δεδομένων δεν δέχτηκε την αλλαγή (refused)."},
        {SQLITE_CONSTRAINT_FOREIGNKEY, 0, "FOREIGN KEY constraint failed",
         "Η βάση δεδομένων δεν δέχτηκε την αλλαγή (κωδικός 787)."},
        {SQLITE_READONLY_DBMOVED, 0, "attempt to write a readonly database", kMoved},
        {SQLITE_CANTOPEN, ENOENT, "unable to open database file", kNoJournal},
        {SQLITE_ERROR, 0, "views may not be indexed", "Σφάλμα της βάσης δεδομένων (κωδικός 1)."},
        {SQLITE_ERROR, 0, "near \"BRIEN\": syntax error",
         "Η εντολή προς τη βάση δεδομένων δεν είναι σωστή κοντά στο «BRIEN»."},
        {SQLITE_ERROR, 0, "no such table: main.glossa", "Λείπει ο πίνακας main.glossa από τη βάση δεδομένων."},
        {SQLITE_MISMATCH, 0, "datatype mismatch", "Σφάλμα της βάσης δεδομένων (κωδικός 20)."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(failure::databaseText(c.code, c.systemError, c.message), c.words) << c.code << " " << c.message;
}

TEST(FailureWords, FileErrorsAsQtReportsThem)
{
    const std::pair<int, QString> causes[] = {
        {ENOSPC, kDiskFull}, {EROFS, kReadOnly}, {EACCES, kPermission}, {ENOENT, kMissing}, {ETXTBSY, kLocked}};
    for (const auto& [code, words] : causes) {
        EXPECT_EQ(failure::fileText(qt_error_string(code)), words) << code;
        EXPECT_EQ(failure::systemText(code), words) << code;
    }
    EXPECT_EQ(failure::systemText(EINVAL), QString());
    EXPECT_EQ(failure::fileText("No file engine available"),
              "Η ενέργεια στο αρχείο απέτυχε για λόγο που δεν αναγνωρίστηκε.");

    // A real failure, through Qt's own error text.
    QTemporaryDir dir;
    QFile file(dir.filePath("missing/stock.mdb"));
    ASSERT_FALSE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(failure::fileText(file.errorString()), kMissing);
}

// A write in a folder that takes no new file (immutable, even to root): SQLite cannot make its
// journal and reports a missing file; the box names the folder, not a missing database.
TEST(FailureWords, AFolderThatTakesNoNewFileIsNoMissingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("stock.mdb");
    sqlite3* plain = nullptr;
    ASSERT_EQ(sqlite3_open(path.toUtf8().constData(), &plain), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(plain, "create table t (x)", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(plain);
    db::Connection connection;
    connection.Open(db::connectionStringFor(path));
    if (QProcess::execute("chattr", {"+i", dir.path()}) != 0)
        GTEST_SKIP() << "the folder cannot be made immutable here";
    QString text;
    try {
        connection.Execute("insert into t values (1)");
    } catch (const db::DatabaseError& error) {
        text = QString::fromUtf8(error.what());
    }
    QProcess::execute("chattr", {"-i", dir.path()});
    EXPECT_EQ(text, kNoJournal);
}

} // namespace
