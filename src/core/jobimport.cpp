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
#include <QListWidget>
#include <QSaveFile>
#include <QStringDecoder>
#include <cmath>

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
// bytes, in hexadecimal) and the local time of its withdrawal. Created by the first
// withdrawal, so that stock databases made before it keep working.
constexpr auto kCreateWithdrawnJobs =
    "CREATE TABLE IF NOT EXISTS withdrawn_jobs (ID INTEGER PRIMARY KEY, fingerprint TEXT NOT NULL, "
    "withdrawn TEXT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS withdrawn_jobs_fingerprint ON withdrawn_jobs (fingerprint)";
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
    const QByteArray text = bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes;
    QString decoded;
    decoded.reserve(text.size());
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        while (end < text.size() && text.at(end) != '\r' && text.at(end) != '\n')
            ++end;
        const QByteArray line = text.mid(start, end - start);
        QStringDecoder utf8(QStringConverter::Utf8, QStringDecoder::Flag::Stateless);
        QString part = utf8(line);
        if (utf8.hasError())
            part = QStringDecoder("windows-1253")(line);
        decoded += part;
        if (end < text.size())
            decoded += QChar(text.at(end));   // the line end itself, split later
        start = end + 1;
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

std::optional<QString> jobFileChange(const QByteArray& imported)
{
    const QString path = jobFilePath();
    if (!QFileInfo(path).isFile())
        return "Το αρχείο της εργασίας δεν υπάρχει πια:\n" + path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "Το αρχείο της εργασίας δεν μπορεί να διαβαστεί:\n" + path;
    if (file.read(imported.size()) != imported)
        return "Το αρχείο της εργασίας άλλαξε μετά την εισαγωγή:\n" + path;
    return std::nullopt;
}

namespace {

// The job file's bytes; nullopt when it cannot be read.
std::optional<QByteArray> readJobFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// How often a rewrite starts anew because the companion program wrote to the file meanwhile.
constexpr int kRewriteAttempts = 3;

} // namespace

JobFileStep removeWithdrawnJob(const QByteArray& imported)
{
    const QString path = jobFilePath();
    for (int attempt = 0; attempt < kRewriteAttempts; ++attempt) {
        if (!QFile::exists(path))
            return JobFileStep::Done;
        const std::optional<QByteArray> current = readJobFile(path);
        if (!current)
            return JobFileStep::Failed;
        if (!current->startsWith(imported))
            return JobFileStep::Replaced;
        const QByteArray appended = current->mid(imported.size());
        // The file is read again just before it is replaced: a job appended since the first
        // reading would otherwise be lost.
        if (appended.isEmpty()) {
            if (beforeJobFileReplaced)
                beforeJobFileReplaced();
            if (readJobFile(path) != current)
                continue;
            return QFile::remove(path) ? JobFileStep::Done : JobFileStep::Failed;
        }
        // The rest replaces the file in one rename: a crash leaves the old file or the new one.
        QSaveFile rest(path);
        if (!rest.open(QIODevice::WriteOnly))
            return JobFileStep::Failed;
        rest.write(byteOrderMark(imported) + appended);
        if (beforeJobFileReplaced)
            beforeJobFileReplaced();
        if (readJobFile(path) != current) {
            rest.cancelWriting();
            continue;
        }
        return rest.commit() ? JobFileStep::Done : JobFileStep::Failed;
    }
    return JobFileStep::Failed;
}

std::optional<Withdrawal> lastWithdrawal(const QByteArray& fingerprint)
{
    db::Recordset tables;
    tables.Open("select count(*) from sqlite_master where type='table' and name='withdrawn_jobs'", gConnStock);
    if (tables.field(0).toInt() == 0)
        return std::nullopt;
    db::Recordset rs;
    rs.Open("select * from withdrawn_jobs where fingerprint=? order by ID desc", gConnStock,
            {fingerprintText(fingerprint)});
    if (rs.Eof())
        return std::nullopt;
    return Withdrawal {rs.field("ID").toLongLong(),
                       QDateTime::fromString(rs.field("withdrawn").toString(), kWithdrawnFormat)};
}

void recordWithdrawal(const QByteArray& fingerprint)
{
    gConnStock.Execute(kCreateWithdrawnJobs);
    gConnStock.Execute("insert into withdrawn_jobs (fingerprint, withdrawn) values (?, ?)",
                       {fingerprintText(fingerprint), QDateTime::currentDateTime().toString(kWithdrawnFormat)});
}

void ImportStockFile()
{
    const QString path = jobFilePath();
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile()) {
        msgbox::MsgBox("No File!", msgbox::Critical, "Error input");
        showMenuPanel();
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // Held open by the companion program, or not readable: nothing to analyse yet.
        msgbox::MsgBox("Το αρχείο της εργασίας δεν μπορεί να διαβαστεί:\n" + path,
                       msgbox::Critical, "Error input");
        showMenuPanel();
        return;
    }
    const QByteArray bytes = file.readAll();
    file.close();
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
