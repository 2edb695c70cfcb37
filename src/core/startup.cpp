#include "core/startup.h"
#include "core/globals.h"
#include "core/language.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/failure.h"
#include "platform/messagebox.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace startup {

namespace {

const QString kSosTitle = QStringLiteral("S.O.S.");

QString gPrinterName;

void failStartup(const QString& text)
{
    CloseDatabases();
    msgbox::MsgBox(text, msgbox::Critical, kSosTitle);
}

// An empty file opens as an empty database: only the material table makes it a stock file.
// Throws db::DatabaseError when the file cannot be read (locked, damaged).
bool hasMaterialTable()
{
    db::Recordset rs;
    rs.Open("select * from sqlite_master where type='table' and name='protesyles'", gConnStock);
    return !rs.Eof();
}

} // namespace

std::optional<Folders> deriveFolders(const QString& appPath)
{
    const int p = appPath.toLower().indexOf(QStringLiteral("/bin"));
    if (p < 0)
        return std::nullopt;
    const QString root = appPath.left(p);
    return Folders {appPath, root, root + QStringLiteral("/dataloc")};
}

QString lockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/tarmel.lock");
}

namespace {

// Why no file can be made beside the lock file: the system's own answer to a trial file.
QString lockFolderCause(const QString& lockPath)
{
    const QByteArray probe = QFile::encodeName(lockPath + QStringLiteral(".probe-")
                                               + QString::number(QCoreApplication::applicationPid()));
    const int fd = ::open(probe.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.constData());
        return QStringLiteral("Η αιτία δεν αναγνωρίστηκε.");
    }
    const QString words = failure::systemText(errno);
    return words.isEmpty() ? QStringLiteral("Σφάλμα του συστήματος αρχείων (κωδικός %1).").arg(errno) : words;
}

} // namespace

InstanceClaim claimSingleInstance(const QString& lockPath)
{
    auto lock = std::make_unique<QLockFile>(lockPath);
    // Held for the life of the process: only a lock whose process is gone counts as stale.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return {InstanceClaim::Claimed, std::move(lock), {}};
    if (lock->error() == QLockFile::LockFailedError)
        return {InstanceClaim::HeldByAnotherCopy, nullptr, {}};
    return {InstanceClaim::CannotBeMade, nullptr,
            QStringLiteral("Το αρχείο που εμποδίζει να ανοίξει δεύτερο αντίγραφο του προγράμματος "
                           "δεν μπορεί να δημιουργηθεί:\n%1\n%2\nΤο πρόγραμμα θα κλείσει.")
                .arg(lockPath, lockFolderCause(lockPath))};
}

bool OpenDatabases(const QString& appPath)
{
    const std::optional<Folders> folders = deriveFolders(appPath);
    if (!folders) {
        failStartup(QStringLiteral("Ο φάκελος του προγράμματος δεν βρίσκεται μέσα σε φάκελο bin: ") + appPath);
        return false;
    }
    gAppPath = folders->appPath;
    gRootPath = folders->rootPath;
    gDataPath = folders->dataPath;
    const QString stockPath = gDataPath + QStringLiteral("/stock.mdb");
    gConnString = db::connectionStringFor(stockPath);

    if (!QFileInfo(stockPath).isFile()) {
        failStartup(QStringLiteral("No stock file exist"));
        return false;
    }

    const std::pair<db::Connection*, QString> connections[] = {
        {&gConnStock, stockPath},
        {&gConnQuilbex, gDataPath + QStringLiteral("/quilbex.mdb")},
        {&gConnStuff, gDataPath + QStringLiteral("/stuff.mdb")},
    };
    for (const auto& [connection, path] : connections) {
        try {
            connection->Open(db::connectionStringFor(path));
            if (connection == &gConnStock && !hasMaterialTable()) {
                failStartup(QStringLiteral("No stock file exist"));
                return false;
            }
        } catch (const db::DatabaseError& error) {
            failStartup(QStringLiteral("Η βάση δεδομένων %1 δεν ανοίγει:\n%2")
                            .arg(path, QString::fromUtf8(error.what())));
            return false;
        }
    }
    return true;
}

void CloseDatabases()
{
    gConnStock.Close();
    gConnQuilbex.Close();
    gConnStuff.Close();
}

QString choosePrinter(const QString& wanted, const QStringList& installed,
                      const QString& defaultPrinter)
{
    return installed.contains(wanted, Qt::CaseSensitive) ? wanted : defaultPrinter;
}

QString currentPrinterName()
{
    return gPrinterName;
}

void SelectConfiguredPrinter()
{
    QString wanted;
    try {
        const QVariant parameter = GetParameter(1, 5);
        wanted = parameter.isNull() ? QString() : parameter.toString();
    } catch (const db::DatabaseError&) {
        // No readable parameter: the default printer stays.
    }
    gPrinterName = choosePrinter(wanted, QPrinterInfo::availablePrinterNames(),
                                 QPrinterInfo::defaultPrinterName());
}

std::uint8_t languageFromParameter(const QVariant& value)
{
    const std::optional<double> number = conv::toNumber(value);
    if (!number)
        return 1;
    const std::optional<quint8> language = conv::toByte(*number);
    return language && *language != 0 ? *language : 1;
}

qint16 fontCharsetFromParameter(const QVariant& value)
{
    const std::optional<double> number = conv::toNumber(value);
    if (!number)
        return 0;
    const std::optional<qint16> charset = conv::toInt16(*number);
    return charset && *charset > 0 ? *charset : 0;
}

void ReadInterfaceSettings()
{
    const auto parameter = [](qint16 id) {
        try {
            return GetParameter(id, 2);
        } catch (const db::DatabaseError&) {
            return QVariant();
        }
    };
    gLanguage = languageFromParameter(parameter(11));
    gFontCharset = fontCharsetFromParameter(parameter(15));
}

void CheckLanguageTable()
{
    if (!LanguageTableReadable())
        msgbox::MsgBox(QStringLiteral("Ο πίνακας κειμένων (glossa) του quilbex.mdb δεν διαβάζεται: "
                                      "τα κουμπιά και οι τίτλοι δείχνουν τα κλειδιά τους."),
                       msgbox::Exclamation, kSosTitle);
}

} // namespace startup
