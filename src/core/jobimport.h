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

// The fixed columns of a job line: 1-based character positions and widths.
namespace jobline {
inline constexpr int kFirstLineLength = 95;   // shorter lines are no job lines
inline constexpr int kFullLineLength = 102;   // up to the kind field
inline constexpr int kCodeAt = 21, kCodeWidth = 20;
inline constexpr int kDescriptionAt = 41, kDescriptionWidth = 50;
inline constexpr int kQuantityAt = 91, kQuantityWidth = 10;
inline constexpr int kKindAt = 102, kKindWidth = 2;
}

// gDataPath + "/norvale9.txt"
QString jobFilePath();
// The job file's text: UTF-16 after its byte-order mark; otherwise line by line, UTF-8 where
// the line's bytes are valid UTF-8 (a UTF-8 byte-order mark is dropped), else Windows-1253.
// A line whose bytes are valid in both is read as Windows-1253 where only that reading puts
// the job line's fields in their columns, or where it alone holds no letters other than Greek
// and Latin ones.
QString decodeJobText(const QByteArray& bytes);
// False for bytes that are no text, such as UTF-16 without its byte-order mark or binary
// data: text holds hardly any control characters (tabs aside) or undecodable bytes.
bool isJobText(const QStringList& lines);
// What identifies the contents of a job file.
QByteArray jobFingerprint(const QByteArray& bytes);
// Lines ended by CR LF, a lone CR or a lone LF; terminators dropped, no empty line
// after a final terminator.
QStringList splitJobLines(const QString& text);
// The lines that job bytes hold, as splitJobLines counts them.
int jobLineCount(const QByteArray& bytes);
// The job bytes up to their last line end (their byte-order mark alone when they have none):
// a last line without its end may still be in the writing.
QByteArray completeJobLines(const QByteArray& bytes);

// The job file's bytes as they are now: read without following anything that can block
// (a FIFO or device is no job file), through a symbolic link to the file it names.
struct JobFileRead {
    enum Status { Read, Missing, NotAFile, Unreadable } status = Missing;
    QByteArray bytes;
};
JobFileRead readJobFile();

// What a withdrawal of the imported bytes may take now. The job file must still begin with
// them (the companion program may have appended the next job since); then the whole of them,
// unless their last line had no line end and the companion has gone on writing it: that line
// is no part of the job yet. change says why nothing may be withdrawn (the file is gone, was
// replaced or cannot be read, or its only line is still being written).
struct WithdrawableJob {
    std::optional<QString> change;
    QByteArray bytes;
};
WithdrawableJob withdrawableJob(const QByteArray& imported);

// The job file's step after a withdrawal of the given bytes.
enum class JobFileStep {
    Done,       // the withdrawn part is gone; what was appended since stays
    Replaced,   // the file no longer begins with the withdrawn bytes: it stays as it is
    Failed,     // the file could not be read, rewritten or removed, or is no regular file
};
// Leaves in the job file only what follows the withdrawn bytes (with their byte-order mark),
// written atomically; removes the file when nothing follows. A symbolic link stays: the file
// it names is the one rewritten or removed. A file that changed while it was being rewritten
// is read again, a few times at most, so that a job appended meanwhile stays.
JobFileStep removeWithdrawnJob(const QByteArray& withdrawn);
// Runs just before the job file is replaced or removed; tests append to it there.
inline std::function<void()> beforeJobFileReplaced;

// A withdrawal noted in the stock database.
struct Withdrawal {
    qint64 id = 0;
    QDateTime when;       // local time
    qint64 length = 0;    // the bytes of the job file that it took
    friend bool operator==(const Withdrawal& a, const Withdrawal& b) { return a.id == b.id; }
};
// The last withdrawal of the longest beginning of these job bytes that a withdrawal took:
// the whole bytes, or their first bytes up to a line end when a job was withdrawn from a file
// that the companion program has appended to since. A withdrawal noted by an older program
// (without its length) is found for the whole bytes only. nullopt when there was none (also
// for a stock database older than the table of withdrawn jobs). Throws db::DatabaseError.
std::optional<Withdrawal> lastWithdrawal(const QByteArray& bytes);
// Notes a withdrawal of these job bytes now, inside the withdrawal's transaction (the table of
// withdrawn jobs is created there in a file that lacks it, and given the length column in a
// file made before it). Throws db::DatabaseError.
void recordWithdrawal(const QByteArray& withdrawn);
