#include "platform/failure.h"

#include <QRegularExpression>
#include <sqlite3.h>
#include <cerrno>
#include <cstring>

namespace failure {

namespace {

// The words of each common cause.
const QString kLocked = QStringLiteral("Το αρχείο είναι κλειδωμένο από άλλο πρόγραμμα ή χρήστη.");
const QString kReadOnly = QStringLiteral("Το αρχείο ή ο φάκελός του είναι μόνο για ανάγνωση.");
const QString kDiskFull = QStringLiteral("Ο δίσκος είναι γεμάτος.");
const QString kNotADatabase = QStringLiteral("Το αρχείο δεν είναι βάση δεδομένων ή είναι κατεστραμμένο.");
const QString kMissing = QStringLiteral("Το αρχείο ή ο φάκελος δεν υπάρχει.");
const QString kPermission = QStringLiteral("Δεν υπάρχει άδεια πρόσβασης στο αρχείο ή στον φάκελο.");
const QString kDiskError = QStringLiteral("Σφάλμα ανάγνωσης ή εγγραφής στον δίσκο.");
const QString kMemory = QStringLiteral("Δεν υπάρχει αρκετή μνήμη.");
const QString kCannotOpen = QStringLiteral("Το αρχείο δεν ανοίγει.");

struct SystemCause {
    int code;
    const QString& words;
};
const SystemCause kSystemCauses[] = {
    {ENOENT, kMissing},    {ENOTDIR, kMissing}, {EACCES, kPermission}, {EPERM, kPermission},
    {EROFS, kReadOnly},    {ENOSPC, kDiskFull}, {EDQUOT, kDiskFull},   {EBUSY, kLocked},
    {ETXTBSY, kLocked},    {EIO, kDiskError},   {ENOMEM, kMemory},
};

// What SQLite's message names after a fixed beginning ("no such table: X").
QString named(const QString& message, const QRegularExpression& pattern)
{
    const QRegularExpressionMatch match = pattern.match(message);
    return match.hasMatch() ? match.captured(1) : QString();
}

// SQLITE_ERROR covers the statements that cannot run: a missing table or column is named,
// any other statement fault keeps SQLite's detail.
QString statementText(const QString& message)
{
    static const QRegularExpression noTable(QStringLiteral("^no such table: (.+)$"));
    static const QRegularExpression noColumn(QStringLiteral("^no such column: (.+)$"));
    static const QRegularExpression tableColumn(QStringLiteral("^table (\\S+) has no column named (.+)$"));
    if (const QString table = named(message, noTable); !table.isEmpty())
        return QStringLiteral("Λείπει ο πίνακας %1 από τη βάση δεδομένων.").arg(table);
    if (const QString column = named(message, noColumn); !column.isEmpty())
        return QStringLiteral("Λείπει η στήλη %1 από τη βάση δεδομένων.").arg(column);
    if (const QRegularExpressionMatch match = tableColumn.match(message); match.hasMatch())
        return QStringLiteral("Λείπει η στήλη %1 από τον πίνακα %2.").arg(match.captured(2), match.captured(1));
    if (message.contains(QLatin1String("syntax error")) || message.contains(QLatin1String("unrecognized token"))
        || message.contains(QLatin1String("incomplete input")))
        return QStringLiteral("Η εντολή προς τη βάση δεδομένων δεν είναι σωστή (%1).").arg(message);
    return QStringLiteral("Σφάλμα της βάσης δεδομένων (%1).").arg(message);
}

} // namespace

QString systemText(int systemError)
{
    for (const SystemCause& cause : kSystemCauses) {
        if (cause.code == systemError)
            return cause.words;
    }
    return {};
}

QString databaseText(int resultCode, int systemError, const QString& message)
{
    switch (resultCode & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kLocked;
    case SQLITE_READONLY:
        return kReadOnly;
    case SQLITE_FULL:
        return kDiskFull;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return kNotADatabase;
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return kPermission;
    case SQLITE_NOMEM:
        return kMemory;
    case SQLITE_CANTOPEN: {
        const QString words = systemText(systemError);
        return words.isEmpty() ? kCannotOpen : words;
    }
    case SQLITE_IOERR: {
        const QString words = systemText(systemError);
        return words.isEmpty() ? kDiskError : words;
    }
    case SQLITE_CONSTRAINT:
        return QStringLiteral("Η βάση δεδομένων δεν δέχτηκε την αλλαγή (%1).").arg(message);
    case SQLITE_ERROR:
        return statementText(message);
    default:
        return QStringLiteral("Σφάλμα της βάσης δεδομένων (%1).").arg(message);
    }
}

QString fileText(const QString& qtErrorString)
{
    // Qt words some errors itself and takes the others from the C library, in its language.
    for (const SystemCause& cause : kSystemCauses) {
        if (qtErrorString.contains(qt_error_string(cause.code))
            || qtErrorString.contains(QString::fromLocal8Bit(std::strerror(cause.code))))
            return cause.words;
    }
    return QStringLiteral("Σφάλμα αρχείου (%1).").arg(qtErrorString);
}

} // namespace failure
