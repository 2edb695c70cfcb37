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
const QString kMoved = QStringLiteral("Το αρχείο της βάσης δεδομένων αντικαταστάθηκε ή διαγράφηκε από άλλο "
                                      "πρόγραμμα ενώ ήταν ανοιχτό (για παράδειγμα από τη διαγραφή της βάσης σε "
                                      "άλλο αντίγραφο του προγράμματος). Κλείστε και ανοίξτε ξανά το πρόγραμμα.");
// SQLite could not create the journal beside the database: it then tries the journal read-only,
// which reports a missing file, although the cause is a folder that takes no new file.
const QString kNoJournal = QStringLiteral("Ο φάκελος της βάσης δεδομένων δεν δέχεται νέα αρχεία (είναι μόνο για "
                                          "ανάγνωση ή προστατευμένος από αλλαγές), ώστε η αλλαγή δεν μπορεί να "
                                          "γίνει με ασφάλεια.");

// A cause without words of its own: a Greek sentence and SQLite's code, never its English text.
QString withCode(const QString& sentence, int resultCode)
{
    return QStringLiteral("%1 (κωδικός %2).").arg(sentence).arg(resultCode);
}
const QString kDatabaseError = QStringLiteral("Σφάλμα της βάσης δεδομένων");
const QString kRefused = QStringLiteral("Η βάση δεδομένων δεν δέχτηκε την αλλαγή");

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

// SQLITE_ERROR covers the statements that cannot run: a missing table or column is named, a
// statement that is not well formed says so and where; any other fault gives its code.
QString statementText(int resultCode, const QString& message)
{
    static const QRegularExpression noTable(QStringLiteral("^no such table: (.+)$"));
    static const QRegularExpression noColumn(QStringLiteral("^no such column: (.+)$"));
    static const QRegularExpression tableColumn(QStringLiteral("^table (\\S+) has no column named (.+)$"));
    static const QRegularExpression near(QStringLiteral("^near \"(.*)\": syntax error$"));
    static const QRegularExpression token(QStringLiteral("^unrecognized token: \"(.*)\"$"));
    if (const QString table = named(message, noTable); !table.isEmpty())
        return QStringLiteral("Λείπει ο πίνακας %1 από τη βάση δεδομένων.").arg(table);
    if (const QString column = named(message, noColumn); !column.isEmpty())
        return QStringLiteral("Λείπει η στήλη %1 από τη βάση δεδομένων.").arg(column);
    if (const QRegularExpressionMatch match = tableColumn.match(message); match.hasMatch())
        return QStringLiteral("Λείπει η στήλη %1 από τον πίνακα %2.").arg(match.captured(2), match.captured(1));
    for (const QRegularExpression* pattern : {&near, &token})
        if (const QRegularExpressionMatch match = pattern->match(message); match.hasMatch())
            return QStringLiteral("Η εντολή προς τη βάση δεδομένων δεν είναι σωστή κοντά στο «%1».")
                .arg(match.captured(1));
    if (message.contains(QLatin1String("syntax error")) || message.contains(QLatin1String("incomplete input")))
        return withCode(QStringLiteral("Η εντολή προς τη βάση δεδομένων δεν είναι σωστή"), resultCode);
    return withCode(kDatabaseError, resultCode);
}

// A refused change: what the database's rule names (a column, a check, a trigger's own reason),
// in Greek.
QString constraintText(int resultCode, const QString& message)
{
    const auto subject = [&](const char* prefix) {
        const QString start = QString::fromLatin1(prefix);
        return message.startsWith(start) ? message.mid(start.size()) : QString();
    };
    switch (resultCode) {
    case SQLITE_CONSTRAINT_TRIGGER:
        // The reason that the trigger's author wrote.
        return QStringLiteral("%1 (%2).").arg(kRefused, message);
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
        if (const QString column = subject("UNIQUE constraint failed: "); !column.isEmpty())
            return QStringLiteral("%1: η τιμή του %2 υπάρχει ήδη.").arg(kRefused, column);
        break;
    case SQLITE_CONSTRAINT_NOTNULL:
        if (const QString column = subject("NOT NULL constraint failed: "); !column.isEmpty())
            return QStringLiteral("%1: το %2 δεν μπορεί να μείνει κενό.").arg(kRefused, column);
        break;
    case SQLITE_CONSTRAINT_CHECK:
        if (const QString check = subject("CHECK constraint failed: "); !check.isEmpty())
            return QStringLiteral("%1: ο έλεγχος %2 δεν επιτρέπει την τιμή.").arg(kRefused, check);
        break;
    default:
        break;
    }
    return withCode(kRefused, resultCode);
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
        return resultCode == SQLITE_READONLY_DBMOVED ? kMoved : kReadOnly;
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
        if (systemError == ENOENT)
            return kNoJournal;
        const QString words = systemText(systemError);
        return words.isEmpty() ? kCannotOpen : words;
    }
    case SQLITE_IOERR: {
        const QString words = systemText(systemError);
        return words.isEmpty() ? kDiskError : words;
    }
    case SQLITE_CONSTRAINT:
        return constraintText(resultCode, message);
    case SQLITE_ERROR:
        return statementText(resultCode, message);
    default:
        return withCode(kDatabaseError, resultCode);
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
    // Qt's own words for the rest are English: they stay out of the box.
    return QStringLiteral("Η ενέργεια στο αρχείο απέτυχε για λόγο που δεν αναγνωρίστηκε.");
}

} // namespace failure
