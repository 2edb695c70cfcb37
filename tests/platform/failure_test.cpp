// The Greek words of the common failure causes, for the causes that no test can bring about
// on a real file (a read-only or full disk, a denied permission). The causes a test can make
// are shown through the windows' and the database's own tests.
#include "platform/failure.h"

#include <QFile>
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
        {SQLITE_CANTOPEN, ENOENT, "unable to open database file", kMissing},
        {SQLITE_CANTOPEN, 0, "unable to open database file", "Το αρχείο δεν ανοίγει."},
        {SQLITE_CORRUPT, 0, "database disk image is malformed",
         "Το αρχείο δεν είναι βάση δεδομένων ή είναι κατεστραμμένο."},
        {SQLITE_PERM, 0, "access permission denied", kPermission},
        {SQLITE_CONSTRAINT_UNIQUE, 0, "UNIQUE constraint failed: protesyles.ID",
         "Η βάση δεδομένων δεν δέχτηκε την αλλαγή (UNIQUE constraint failed: protesyles.ID)."},
        {SQLITE_ERROR, 0, "no such table: main.glossa", "Λείπει ο πίνακας main.glossa από τη βάση δεδομένων."},
        {SQLITE_MISMATCH, 0, "datatype mismatch", "Σφάλμα της βάσης δεδομένων (datatype mismatch)."},
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
    EXPECT_EQ(failure::fileText("No file engine available"), "Σφάλμα αρχείου (No file engine available).");

    // A real failure, through Qt's own error text.
    QTemporaryDir dir;
    QFile file(dir.filePath("missing/stock.mdb"));
    ASSERT_FALSE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(failure::fileText(file.errorString()), kMissing);
}

} // namespace
