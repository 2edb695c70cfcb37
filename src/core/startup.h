#pragma once
// Start-up services of the start form: the program's folders, the single running copy,
// the three database connections, the printer and the interface settings read from the
// typed parameters.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <optional>

class QLockFile;

namespace startup {

// The root folder is the program's folder cut before its first "/bin" (searched without
// regard to letter case, also where "/bin" only begins a longer folder name); the data
// folder is the root's "dataloc".
struct Folders {
    QString appPath;
    QString rootPath;
    QString dataPath;
};
// nullopt when the program's folder has no "/bin".
std::optional<Folders> deriveFolders(const QString& appPath);

// The lock file that marks a running copy: "tarmel.lock" in the user's runtime folder.
QString lockFilePath();
// The outcome of claiming the lock of the running copy.
struct InstanceClaim {
    enum Status { Claimed, HeldByAnotherCopy, CannotBeMade } status = CannotBeMade;
    std::unique_ptr<QLockFile> lock;   // held for the life of the process when claimed
    QString reason;                    // for CannotBeMade: what and where, in Greek
    explicit operator bool() const { return status == Claimed; }
};
// Takes the lock of the running copy. A lock left by a copy that crashed is taken over; only a
// live process that holds it is another copy. A lock file that cannot be made (a full,
// protected or missing folder) is no other copy: the reason names the file and the cause.
InstanceClaim claimSingleInstance(const QString& lockPath = lockFilePath());

// Sets gAppPath, gRootPath, gDataPath and gConnString from the program's folder and opens
// gConnStock, gConnQuilbex and gConnStuff. On failure one critical box names what is wrong
// ("No stock file exist" when stock.mdb is not a file, before any connection is opened, or
// when it holds no material table, as an empty file does), no connection stays open, and
// the result is false.
bool OpenDatabases(const QString& appPath);
// Closes the three connections (stock, quilbex, stuff).
void CloseDatabases();

// The printer whose name equals the wanted one exactly (letter case counts) among the
// installed ones; the default printer's name otherwise (empty when there is none).
QString choosePrinter(const QString& wanted, const QStringList& installed,
                      const QString& defaultPrinter);
// The printer that the printed lists go to: chosen once at start-up; empty means the
// platform's default printer.
QString currentPrinterName();
// Selects the printer named by text parameter 1 (no printer installed is no failure).
void SelectConfiguredPrinter();

// Integer parameter 11 as the language number: a whole number 1 to 255; 0, missing
// (-1), empty, not a number or out of range give 1.
std::uint8_t languageFromParameter(const QVariant& value);
// Integer parameter 15 as the forced font character set: negative, missing, empty or
// out of the 16-bit range give 0.
qint16 fontCharsetFromParameter(const QVariant& value);
// gLanguage and gFontCharset from the typed parameters (a parameter that cannot be read
// counts as missing).
void ReadInterfaceSettings();
// One message when the language table cannot be read: the program goes on with the keys.
void CheckLanguageTable();

} // namespace startup
