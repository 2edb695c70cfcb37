#pragma once
// The job road's shared services: the import of the job file into the job window,
// the look-up of a material by code and the deduction of a quantity from its stock.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

// Figures of the last stock-controlled material that LookupMaterial found.
extern float gMyStock;
extern float gMinStock;
extern float gTmpNum1;
extern qint16 gSupplier;

// The outcome of LookupMaterial, also the index of the job window's tab and grid.
namespace lookup {
inline constexpr std::uint8_t Missing = 0;       // no such code (or the look-up failed)
inline constexpr std::uint8_t Uncontrolled = 1;  // known, without stock control
inline constexpr std::uint8_t Controlled = 2;    // stock-controlled; the figures above hold its values
}

// Reads the job file of the data folder into the job window and runs its analysis.
void ImportStockFile();

// Classifies a material code (blanks around it are ignored); see namespace lookup. A look-up
// that cannot run answers lookup::Missing.
std::uint8_t LookupMaterial(const QString& code);
// The same, throwing db::DatabaseError when the look-up cannot run (a locked or damaged
// stock database), so that a failure is not taken for a code the catalogue lacks. For a
// stock-controlled material, unreadable (when given) receives the names of the figures that
// hold no number (such as text that another tool wrote into mystock): their shared variables
// keep the previous material's values.
std::uint8_t LookupMaterialChecked(const QString& code, QStringList* unreadable = nullptr);

// Subtracts a quantity from the stock of the material with this code; silent on failure.
void DeductStock(const QString& code, float quantity);
// What a deduction did. A missing code changes nothing and is done.
enum class Deduction {
    Done,
    StockUnreadable,   // the stored stock is no number: it is not overwritten
    BeyondRange,       // the result lies beyond single precision: the stock stays
};
// The same, throwing db::DatabaseError when the database refused the change, so that a
// caller can roll its transaction back.
Deduction DeductStockChecked(const QString& code, float quantity);

// gDataPath + "/norvale9.txt"
QString jobFilePath();
// The job file's text: UTF-16 after its byte-order mark; otherwise line by line, UTF-8 where
// the line's bytes are valid UTF-8 (a UTF-8 byte-order mark is dropped), else Windows-1253.
QString decodeJobText(const QByteArray& bytes);
// False for bytes that are no text, such as UTF-16 without its byte-order mark or binary
// data: text holds hardly any control characters (tabs aside) or undecodable bytes.
bool isJobText(const QStringList& lines);
// What identifies the contents of a job file.
QByteArray jobFingerprint(const QByteArray& bytes);
// Lines ended by CR LF, a lone CR or a lone LF; terminators dropped, no empty line
// after a final terminator.
QStringList splitJobLines(const QString& text);

// A job is withdrawn only while the job file still begins with the bytes that were imported
// (the companion program may have appended the next job since). nullopt when it does, else
// why not (the file is gone, was replaced or cannot be read).
std::optional<QString> jobFileChange(const QByteArray& imported);

// The job file's step after a withdrawal of the imported bytes.
enum class JobFileStep {
    Done,       // the withdrawn part is gone; what was appended since stays
    Replaced,   // the file no longer begins with the imported bytes: it stays as it is
    Failed,     // the file could not be rewritten or removed
};
// Leaves in the job file only what follows the imported bytes (with the imported file's
// byte-order mark), written atomically; removes the file when nothing follows. A file that
// changed while it was being rewritten is read again, a few times at most, so that a job
// appended meanwhile stays.
JobFileStep removeWithdrawnJob(const QByteArray& imported);
// Runs just before the job file is replaced or removed; tests append to it there.
inline std::function<void()> beforeJobFileReplaced;

// A withdrawal noted in the stock database.
struct Withdrawal {
    qint64 id = 0;
    QDateTime when;   // local time
    friend bool operator==(const Withdrawal& a, const Withdrawal& b) { return a.id == b.id; }
};
// The last withdrawal of a job of this fingerprint; nullopt when there was none (also for a
// stock database older than the table of withdrawn jobs). Throws db::DatabaseError.
std::optional<Withdrawal> lastWithdrawal(const QByteArray& fingerprint);
// Notes a withdrawal of this fingerprint now, inside the withdrawal's transaction (the table
// of withdrawn jobs is created there in a file that lacks it). Throws db::DatabaseError.
void recordWithdrawal(const QByteArray& fingerprint);
