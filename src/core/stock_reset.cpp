#include "core/stock_reset.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/database.h"
#include "platform/failure.h"
#include "platform/messagebox.h"
#include <QFile>
#include <QSaveFile>
#include <optional>

namespace {

constexpr float kPauseSeconds = 0.1f;

// What went wrong, for the user; nullopt when the step succeeded.
using Failure = std::optional<QString>;

// The file must open as a database and hold the stock tables.
Failure checkStockDatabase(const QString& path)
{
    try {
        db::Connection connection;
        connection.Open(db::connectionStringFor(path));
        for (const char* table : {"protesyles", "Promithf"}) {
            db::Recordset rs;
            rs.Open(QStringLiteral("select * from %1 where 0=1").arg(QLatin1String(table)), connection);
            rs.Close();
        }
    } catch (const db::DatabaseError& error) {
        return QStringLiteral("η κενή βάση %1 δεν μπορεί να χρησιμοποιηθεί: %2")
            .arg(path, QString::fromUtf8(error.what()));
    }
    return std::nullopt;
}

// Writes the empty database into the staged file, a new file beside the live one.
Failure stageCopy(const QString& templatePath, QSaveFile& staged)
{
    QFile source(templatePath);
    if (!source.open(QIODevice::ReadOnly))
        return QStringLiteral("η κενή βάση %1 δεν διαβάζεται: %2")
            .arg(templatePath, failure::fileText(source.errorString()));
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return QStringLiteral("η κενή βάση %1 δεν διαβάζεται: %2")
            .arg(templatePath, failure::fileText(source.errorString()));
    if (!staged.open(QIODevice::WriteOnly) || staged.write(bytes) != bytes.size())
        return QStringLiteral("το αντίγραφό της δεν γράφτηκε δίπλα στο %1: %2")
            .arg(staged.fileName(), failure::fileText(staged.errorString()));
    return std::nullopt;
}

// The stock connection closed only across the rename, with no events processed between,
// so no other code ever finds it closed.
Failure replaceLiveFile(QSaveFile& staged)
{
    gConnStock.Close();
    if (!staged.commit())
        return QStringLiteral("το αντίγραφο δεν αντικατέστησε το %1: %2")
            .arg(staged.fileName(), failure::fileText(staged.errorString()));
    return std::nullopt;
}

Failure ensureStockOpen()
{
    if (gConnStock.isOpen())
        return std::nullopt;
    try {
        gConnStock.Open(gConnString);
    } catch (const db::DatabaseError& error) {
        return QString::fromUtf8(error.what());
    }
    return std::nullopt;
}

Failure replaceStockDatabase()
{
    const QString templatePath = emptyStockDatabasePath();
    Pause(kPauseSeconds);
    if (Failure failure = checkStockDatabase(templatePath))
        return failure;
    Pause(kPauseSeconds);
    QSaveFile staged(db::Connection::dataSource(gConnString));
    if (Failure failure = stageCopy(templatePath, staged))
        return failure;   // the staged file goes with its object
    Pause(kPauseSeconds);
    return replaceLiveFile(staged);
}

} // namespace

QString emptyStockDatabasePath()
{
    return gAppPath + QStringLiteral("/tmp/stock0.mdb");
}

bool ResetStockDatabase()
{
    const Failure failure = replaceStockDatabase();
    // Whatever happened (the main window may even have closed the connections meanwhile),
    // the reset ends with the stock connection open.
    const Failure reopenFailure = ensureStockOpen();
    if (!failure && !reopenFailure)
        return true;
    QString text = failure ? QStringLiteral("Η βάση δεδομένων δεν σβήστηκε: ") + *failure
                           : QStringLiteral("Η βάση δεδομένων σβήστηκε");
    if (reopenFailure)
        text += (failure ? QStringLiteral("\nΗ βάση") : QStringLiteral(", αλλά"))
            + QStringLiteral(" δεν ανοίγει: ") + *reopenFailure;
    msgbox::MsgBox(text, msgbox::Critical);
    return false;
}
