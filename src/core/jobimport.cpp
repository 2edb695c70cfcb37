#include "core/jobimport.h"

#include "catalogue/material_record.h"
#include "core/globals.h"
#include "core/mdiform1.h"
#include "movements/form1.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/messagebox.h"

#include <QCheckBox>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QHash>
#include <QListWidget>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

float gMyStock = 0;
float gMinStock = 0;
float gTmpNum1 = 0;
qint16 gSupplier = 0;

namespace {

void showMenuPanel()
{
    if (MDIForm1* main = MDIForm1::instance())
        main->showMenuPanel();
}

// The table of withdrawn jobs in the stock database: a job's fingerprint (SHA-256 of its
// bytes, in hexadecimal), the local time of its withdrawal and the number of its bytes, by
// which a file that begins with a withdrawn job is told. Created by the first withdrawal, so
// that stock databases made before it keep working; rows noted before the length column came
// have no length and stand for a whole file.
constexpr auto kCreateWithdrawnJobs =
    "CREATE TABLE IF NOT EXISTS withdrawn_jobs (ID INTEGER PRIMARY KEY, fingerprint TEXT NOT NULL, "
    "withdrawn TEXT NOT NULL, length INTEGER);"
    "CREATE INDEX IF NOT EXISTS withdrawn_jobs_fingerprint ON withdrawn_jobs (fingerprint)";
constexpr auto kAddLengthColumn = "ALTER TABLE withdrawn_jobs ADD COLUMN length INTEGER";
constexpr auto kWithdrawnFormat = "yyyy-MM-dd HH:mm:ss";

QString fingerprintText(const QByteArray& fingerprint)
{
    return QString::fromLatin1(fingerprint.toHex());
}

// The byte-order mark that a job file's bytes begin with, if any.
QByteArray byteOrderMark(const QByteArray& bytes)
{
    for (const char* mark : {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"})
        if (bytes.startsWith(mark))
            return mark;
    return {};
}

void showJobWindow(Form1* form)
{
    if (MDIForm1* main = MDIForm1::instance())
        main->showChild(form, 0, 0, Form1::kWidthTw, Form1::kHeightTw);
    else {
        form->move(0, 0);
        form->show();
    }
}

} // namespace

QString jobFilePath()
{
    return gDataPath + "/norvale9.txt";
}

namespace {

bool isAscii(const QByteArray& line)
{
    return std::all_of(line.begin(), line.end(), [](char c) { return uchar(c) < 0x80; });
}

// Whether a line's fields stand in the job line's columns: a blank before the kind, a kind of
// digits, a quantity field that holds a number's characters.
bool fieldsInColumns(const QString& line)
{
    using namespace jobline;
    if (conv::len(line) < kFullLineLength)
        return false;
    const QString kind = conv::trimBlanks(conv::mid(line, kKindAt, kKindWidth));
    const QString quantity = conv::trimBlanks(conv::mid(line, kQuantityAt, kQuantityWidth));
    const auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    return conv::mid(line, kKindAt - 1, 1) == u" " && !kind.isEmpty()
        && std::all_of(kind.begin(), kind.end(), isDigit) && std::any_of(quantity.begin(), quantity.end(), isDigit)
        && std::all_of(quantity.begin(), quantity.end(),
                       [&](QChar c) { return isDigit(c) || QStringView(u"+-.,eE").contains(c); });
}

// What a line read in the wrong code page shows: letters of scripts other than Greek and
// Latin, combining marks, C1 control characters, undecodable bytes.
int foreignCharacters(const QString& line)
{
    int foreign = 0;
    for (const char32_t c : line.toUcs4()) {
        if (c < 0x80)
            continue;
        const QChar::Category category = QChar::category(c);
        const QChar::Script script = QChar::script(c);
        if (c == QChar::ReplacementCharacter || category == QChar::Other_Control
            || category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
            || category == QChar::Mark_Enclosing
            || (QChar::isLetter(c) && script != QChar::Script_Greek && script != QChar::Script_Latin))
            ++foreign;
    }
    return foreign;
}

// A line whose bytes are valid UTF-8 as well as Windows-1253 text: the reading whose fields
// stand in their columns (at the length the file's other job lines have, when they share one),
// else the one with fewer foreign characters; UTF-8 when neither tells.
QString chooseReading(const QString& utf8, const QString& greek, int jobLineLength)
{
    const auto fits = [&](const QString& line) {
        return fieldsInColumns(line) && (jobLineLength == 0 || conv::len(line) == jobLineLength);
    };
    const bool utf8Fits = fits(utf8);
    const bool greekFits = fits(greek);
    if (utf8Fits != greekFits)
        return greekFits ? greek : utf8;
    return foreignCharacters(greek) < foreignCharacters(utf8) ? greek : utf8;
}

// The character length that most of the job lines of one reading share; 0 when there are none.
int commonJobLineLength(const QVector<QString>& lines, const QVector<bool>& ambiguous)
{
    QHash<int, int> counts;
    for (qsizetype i = 0; i < lines.size(); ++i)
        if (!ambiguous[i] && conv::len(lines[i]) >= jobline::kFirstLineLength)
            ++counts[conv::len(lines[i])];
    int length = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        if (it.value() > most || (it.value() == most && it.key() < length)) {
            most = it.value();
            length = it.key();
        }
    return length;
}

} // namespace

QString decodeJobText(const QByteArray& bytes)
{
    for (const QStringConverter::Encoding utf16 : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        const bool littleEndian = utf16 == QStringConverter::Utf16LE;
        if (bytes.startsWith(littleEndian ? "\xFF\xFE" : "\xFE\xFF")) {
            QStringDecoder decoder(utf16, QStringDecoder::Flag::Stateless);
            return decoder(bytes.mid(2));
        }
    }
    // Line by line: the companion program may have appended Windows-1253 lines to a UTF-8 file.
    // Lines that only one reading fits are decoded first; the lines that both fit follow, told
    // apart by what the others show of the file's columns.
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QVector<QByteArray> raw;
    QVector<QString> lines;
    QVector<bool> ambiguous;   // valid UTF-8 beyond ASCII: its Windows-1253 reading is chosen later
    QVector<char> ends;        // each line's terminator, 0 for none
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != '\r' && text.at(end) != '\n')
            ++end;
        const QByteArray line = text.mid(start, end - start);
        if (isAscii(line)) {
            lines << QString::fromLatin1(line);
            ambiguous << false;
        } else {
            QStringDecoder utf8(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
            QString part = utf8(line);
            const bool valid = !utf8.hasError();
            lines << (valid ? part : QStringDecoder("windows-1253")(line));
            ambiguous << valid;
        }
        raw << line;
        ends << (end < text.size() ? text.at(end) : '\0');
        start = end + 1;
    }
    const int jobLineLength = commonJobLineLength(lines, ambiguous);
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < lines.size(); ++i) {
        decoded += ambiguous[i] ? chooseReading(lines[i], QStringDecoder("windows-1253")(raw[i]), jobLineLength)
                                : lines[i];
        if (ends[i])
            decoded += QChar(ends[i]);   // the line end itself, split later
    }
    return decoded;
}

bool isJobText(const QStringList& lines)
{
    // A job file may hold the odd stray control character, which makes its line a bad line;
    // binary data holds one in about every ten characters.
    qsizetype characters = 0;
    qsizetype foreign = 0;
    for (const QString& line : lines) {
        characters += line.size();
        for (const QChar c : line)
            if ((c.category() == QChar::Other_Control && c != u'\t') || c == QChar::ReplacementCharacter)
                ++foreign;
    }
    return foreign * 20 <= characters;
}

QByteArray jobFingerprint(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

QStringList splitJobLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines << text.mid(start);
    return lines;
}

std::uint8_t LookupMaterialChecked(const QString& code, QStringList* unreadable)
{
    if (unreadable)
        unreadable->clear();
    db::Recordset rs;
    material::openByCode(rs, gConnStock, code);
    if (rs.Eof())
        return lookup::Missing;
    const std::uint8_t result = rs.field("exeielegxo").toInt() == 0 ? lookup::Uncontrolled : lookup::Controlled;
    if (result != lookup::Controlled)
        return result;
    QStringList failed;
    for (const auto& [field, figure] : {std::pair {"mystock", &gMyStock}, std::pair {"minstock", &gMinStock},
                                        std::pair {"tmpNum1", &gTmpNum1}}) {
        if (const auto value = material::storedSingle(rs.field(field)))
            *figure = *value;
        else
            failed << field;
    }
    const auto number = material::storedNumber(rs.field("promitheftis"));
    if (const auto supplier = number ? conv::toInt16(*number) : std::nullopt)
        gSupplier = *supplier;
    else
        failed << "promitheftis";
    if (unreadable)
        *unreadable = failed;
    return result;
}

std::uint8_t LookupMaterial(const QString& code)
{
    try {
        return LookupMaterialChecked(code);
    } catch (const db::DatabaseError&) {
        return lookup::Missing;
    }
}

Deduction DeductStockChecked(const QString& code, float quantity)
{
    db::Recordset rs;
    material::openByCode(rs, gConnStock, code);
    if (rs.Eof())
        return Deduction::Done;
    const std::optional<float> stock = material::storedSingle(rs.field("mystock"));
    if (!stock)
        return Deduction::StockUnreadable;
    const float rest = *stock - quantity;
    if (!std::isfinite(rest))
        return Deduction::BeyondRange;
    rs.setField("mystock", double(rest));
    rs.Update();
    return Deduction::Done;
}

void DeductStock(const QString& code, float quantity)
{
    try {
        DeductStockChecked(code, quantity);
    } catch (const db::DatabaseError&) {
    }
}

namespace {

// The offsets just after each line end of job bytes (CR LF, a lone CR or a lone LF), in bytes
// or, after a UTF-16 byte-order mark, in 16-bit units.
struct JobUnits {
    const QByteArray& bytes;
    int width = 1;
    bool littleEndian = true;
    qsizetype first = 0;

    explicit JobUnits(const QByteArray& b)
        : bytes(b)
    {
        if (b.startsWith("\xFF\xFE") || b.startsWith("\xFE\xFF")) {
            width = 2;
            littleEndian = b.startsWith("\xFF\xFE");
            first = 2;
        }
    }
    qsizetype end() const { return first + (bytes.size() - first) / width * width; }
    char16_t at(qsizetype i) const
    {
        if (width == 1)
            return uchar(bytes[i]);
        const uchar a = uchar(bytes[i]);
        const uchar b = uchar(bytes[i + 1]);
        return littleEndian ? char16_t(a | b << 8) : char16_t(a << 8 | b);
    }
    bool isLineEnd(qsizetype i) const { return at(i) == u'\r' || at(i) == u'\n'; }
};

std::vector<qsizetype> lineEnds(const QByteArray& bytes)
{
    const JobUnits units(bytes);
    std::vector<qsizetype> ends;
    const qsizetype n = units.end();
    for (qsizetype i = units.first; i < n; i += units.width) {
        const char16_t c = units.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        if (c == u'\r' && i + units.width < n && units.at(i + units.width) == u'\n')
            i += units.width;
        ends.push_back(i + units.width);
    }
    return ends;
}

// Whether the bytes that follow job bytes begin with a line end, read as those bytes are.
bool beginsWithLineEnd(const QByteArray& job, const QByteArray& following)
{
    const JobUnits units(job);
    const QByteArray probe = byteOrderMark(job).left(units.first) + following.left(units.width);
    const JobUnits next(probe);
    return next.end() > next.first && next.isLineEnd(next.first);
}

// The file that the job file's path names: a symbolic link's target (links followed).
QString jobFileTarget()
{
    const QString path = jobFilePath();
    const QFileInfo info(path);
    if (!info.isSymLink())
        return path;
    const QString target = info.canonicalFilePath();
    return target.isEmpty() ? info.symLinkTarget() : target;
}

// Reads a regular file without opening anything that can block: the kind is checked first,
// the file opened without waiting and checked again once open.
JobFileRead readRegularFile(const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    if (::stat(name.constData(), &status) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? JobFileRead::Missing : JobFileRead::Unreadable, {}};
    if (!S_ISREG(status.st_mode))
        return {JobFileRead::NotAFile, {}};
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return {errno == ENOENT ? JobFileRead::Missing : JobFileRead::Unreadable, {}};
    QFile file;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {JobFileRead::NotAFile, {}};
    }
    JobFileRead read {JobFileRead::Read, file.readAll()};
    if (file.error() != QFileDevice::NoError)
        return {JobFileRead::Unreadable, {}};
    return read;
}

} // namespace

int jobLineCount(const QByteArray& bytes)
{
    const std::vector<qsizetype> ends = lineEnds(bytes);
    const qsizetype complete = ends.empty() ? byteOrderMark(bytes).size() : ends.back();
    return int(ends.size()) + (bytes.size() > complete ? 1 : 0);
}

QByteArray completeJobLines(const QByteArray& bytes)
{
    const std::vector<qsizetype> ends = lineEnds(bytes);
    return ends.empty() ? byteOrderMark(bytes) : bytes.left(ends.back());
}

JobFileRead readJobFile()
{
    return readRegularFile(jobFileTarget());
}

WithdrawableJob withdrawableJob(const QByteArray& imported)
{
    const QString path = jobFilePath();
    const JobFileRead current = readJobFile();
    switch (current.status) {
    case JobFileRead::Read:
        break;
    case JobFileRead::Missing:
        return {"Το αρχείο της εργασίας δεν υπάρχει πια:\n" + path, {}};
    case JobFileRead::NotAFile:
        return {"Το αρχείο της εργασίας δεν είναι πια κανονικό αρχείο:\n" + path, {}};
    case JobFileRead::Unreadable:
        return {"Το αρχείο της εργασίας δεν μπορεί να διαβαστεί:\n" + path, {}};
    }
    if (!current.bytes.startsWith(imported))
        return {"Το αρχείο της εργασίας άλλαξε μετά την εισαγωγή:\n" + path, {}};
    const QByteArray following = current.bytes.mid(imported.size());
    const QByteArray complete = completeJobLines(imported);
    if (following.isEmpty() || complete.size() == imported.size() || beginsWithLineEnd(imported, following))
        return {std::nullopt, imported};
    if (jobLineCount(complete) == 0)
        return {"Το αρχείο της εργασίας άλλαξε μετά την εισαγωγή: η μόνη γραμμή του γραφόταν ακόμη.\n" + path, {}};
    return {std::nullopt, complete};
}

namespace {

// How often a rewrite starts anew because the companion program wrote to the file meanwhile.
constexpr int kRewriteAttempts = 3;

} // namespace

JobFileStep removeWithdrawnJob(const QByteArray& withdrawn)
{
    const QString path = jobFileTarget();
    const auto unchanged = [&](const QByteArray& current) {
        const JobFileRead again = readRegularFile(path);
        return again.status == JobFileRead::Read && again.bytes == current;
    };
    for (int attempt = 0; attempt < kRewriteAttempts; ++attempt) {
        const JobFileRead current = readRegularFile(path);
        if (current.status == JobFileRead::Missing)
            return JobFileStep::Done;
        if (current.status != JobFileRead::Read)
            return JobFileStep::Failed;
        if (!current.bytes.startsWith(withdrawn))
            return JobFileStep::Replaced;
        const QByteArray appended = current.bytes.mid(withdrawn.size());
        // A last line withdrawn without its end that has grown since: no part of it may be cut off.
        if (!appended.isEmpty() && completeJobLines(withdrawn).size() != withdrawn.size()
            && !beginsWithLineEnd(withdrawn, appended))
            return JobFileStep::Failed;
        // The file is read again just before it is replaced: a job appended since the first
        // reading would otherwise be lost.
        if (appended.isEmpty()) {
            if (beforeJobFileReplaced)
                beforeJobFileReplaced();
            if (!unchanged(current.bytes))
                continue;
            return QFile::remove(path) ? JobFileStep::Done : JobFileStep::Failed;
        }
        // The rest replaces the file in one rename: a crash leaves the old file or the new one.
        QSaveFile rest(path);
        if (!rest.open(QIODevice::WriteOnly))
            return JobFileStep::Failed;
        rest.write(byteOrderMark(withdrawn) + appended);
        if (beforeJobFileReplaced)
            beforeJobFileReplaced();
        if (!unchanged(current.bytes)) {
            rest.cancelWriting();
            continue;
        }
        return rest.commit() ? JobFileStep::Done : JobFileStep::Failed;
    }
    return JobFileStep::Failed;
}

namespace {

bool hasTable(const char* name)
{
    db::Recordset tables;
    tables.Open("select count(*) from sqlite_master where type='table' and name=?", gConnStock, db::Values {QString(name)});
    return tables.field(0).toInt() > 0;
}

bool withdrawnJobsHaveLengths()
{
    db::Recordset columns;
    columns.Open("select count(*) from pragma_table_info('withdrawn_jobs') where name='length'", gConnStock);
    return columns.field(0).toInt() > 0;
}

// The last withdrawal noted under this fingerprint and length (or, for the whole bytes, noted
// without a length).
std::optional<Withdrawal> lastWithdrawalOf(const QByteArray& part, bool whole, bool withLengths)
{
    QString condition = "fingerprint=?";
    db::Values values {fingerprintText(jobFingerprint(part))};
    if (withLengths) {
        condition += whole ? " and (length is null or length=?)" : " and length=?";
        values << qint64(part.size());
    }
    db::Recordset rs;
    rs.Open("select * from withdrawn_jobs where " + condition + " order by ID desc", gConnStock, values);
    if (rs.Eof())
        return std::nullopt;
    return Withdrawal {rs.field("ID").toLongLong(),
                       QDateTime::fromString(rs.field("withdrawn").toString(), kWithdrawnFormat), part.size()};
}

} // namespace

std::optional<Withdrawal> lastWithdrawal(const QByteArray& bytes)
{
    if (!hasTable("withdrawn_jobs"))
        return std::nullopt;
    const bool withLengths = withdrawnJobsHaveLengths();
    if (std::optional<Withdrawal> whole = lastWithdrawalOf(bytes, true, withLengths))
        return whole;
    if (!withLengths)
        return std::nullopt;
    // The lengths of withdrawn jobs that the bytes are longer than, longest first: only those
    // that end at one of the bytes' line ends can be the job that the file begins with.
    std::vector<qint64> lengths;
    {
        db::Recordset rs;
        rs.Open("select distinct length from withdrawn_jobs where length > 0 and length < ? order by length desc",
                gConnStock, db::Values {qint64(bytes.size())});
        for (; !rs.Eof(); rs.MoveNext())
            lengths.push_back(rs.field(0).toLongLong());
    }
    const std::vector<qsizetype> ends = lineEnds(bytes);
    for (const qint64 length : lengths) {
        if (!std::binary_search(ends.begin(), ends.end(), qsizetype(length)))
            continue;
        if (std::optional<Withdrawal> part = lastWithdrawalOf(bytes.left(length), false, true))
            return part;
    }
    return std::nullopt;
}

void recordWithdrawal(const QByteArray& withdrawn)
{
    gConnStock.Execute(kCreateWithdrawnJobs);
    if (!withdrawnJobsHaveLengths())
        gConnStock.Execute(kAddLengthColumn);
    gConnStock.Execute("insert into withdrawn_jobs (fingerprint, withdrawn, length) values (?, ?, ?)",
                       {fingerprintText(jobFingerprint(withdrawn)),
                        QDateTime::currentDateTime().toString(kWithdrawnFormat), qint64(withdrawn.size())});
}

void ImportStockFile()
{
    const QString path = jobFilePath();
    const JobFileRead read = readJobFile();
    if (read.status == JobFileRead::Missing || read.status == JobFileRead::NotAFile) {
        msgbox::MsgBox("No File!", msgbox::Critical, "Error input");
        showMenuPanel();
        return;
    }
    if (read.status == JobFileRead::Unreadable) {
        // Held open by the companion program, or not readable: nothing to analyse yet.
        msgbox::MsgBox("Το αρχείο της εργασίας δεν μπορεί να διαβαστεί:\n" + path,
                       msgbox::Critical, "Error input");
        showMenuPanel();
        return;
    }
    const QByteArray& bytes = read.bytes;
    const QStringList lines = splitJobLines(decodeJobText(bytes));
    if (!isJobText(lines)) {
        msgbox::MsgBox("Το αρχείο της εργασίας δεν είναι αρχείο κειμένου:\n" + path,
                       msgbox::Critical, "Error input");
        showMenuPanel();
        return;
    }

    if (MDIForm1* main = MDIForm1::instance())
        main->hideMenuPanel();
    if (Form1* previous = Form1::instance())
        Unload(previous);
    auto* form = new Form1;
    form->setImportedJob(bytes);
    form->List1->clear();
    form->List1->addItems(lines);
    showJobWindow(form);
    form->Check1->setChecked(true);
}
