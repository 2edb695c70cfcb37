#include "platform/workbook.h"
#include "platform/failure.h"
#include "platform/numericlocale.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>
#include <xlsxwriter.h>
#include <algorithm>
#include <cerrno>
#include <memory>
#include <optional>

namespace {

constexpr int kMaxTextLength = 32767;   // characters in one cell
constexpr std::size_t kMaxPageBreaks = LXW_BREAKS_MAX;

lxw_color_t rgbOf(const QColor& color)
{
    return lxw_color_t(color.rgb() & 0xFFFFFF);
}

// A header or footer text takes "&" as the start of a field: a literal one is doubled.
QByteArray headerText(const QString& text, bool withPageNumber)
{
    QString escaped = text;
    escaped.replace('&', QStringLiteral("&&"));
    return ("&C" + escaped + (withPageNumber ? QStringLiteral("&P") : QString())).toUtf8();
}

// One format per combination of border and fill, made when first needed.
class Formats {
public:
    explicit Formats(lxw_workbook* book) : book_(book) {}

    lxw_format* get(bool border, const std::optional<QColor>& fill)
    {
        if (!border && !fill)
            return nullptr;
        const auto key = std::make_pair(border, fill ? qint64(rgbOf(*fill)) : -1);
        auto found = formats_.find(key);
        if (found != formats_.end())
            return found->second;
        lxw_format* format = workbook_add_format(book_);
        if (border)
            format_set_border(format, LXW_BORDER_THIN);
        if (fill) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, rgbOf(*fill));
        }
        formats_.emplace(key, format);
        return format;
    }

private:
    lxw_workbook* book_;
    std::map<std::pair<bool, qint64>, lxw_format*> formats_;
};

// Why the library failed, in the user's words: a file step by the system's error behind it.
QString causeOf(lxw_error error, int systemError)
{
    switch (error) {
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return failure::systemText(ENOMEM);
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
    case LXW_ERROR_READING_TMPFILE:
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE: {
        const QString words = failure::systemText(systemError);
        return words.isEmpty() ? failure::systemText(EIO) : words;
    }
    default:
        return QString("Σφάλμα του φύλλου εργασίας (%1).").arg(QString::fromUtf8(lxw_strerror(error)));
    }
}

// Throws WorkbookError for a failed library call; errno is the system's word on its file step.
void check(lxw_error error, const QString& path)
{
    const int systemError = errno;
    if (error != LXW_NO_ERROR)
        throw WorkbookError(QString("Το αρχείο \"%1\" δεν γράφτηκε: %2")
                                .arg(path, causeOf(error, systemError))
                                .toStdString());
}

} // namespace

void Workbook::setText(int row, int col, const QString& text)
{
    rows_[row][col].value = text.left(kMaxTextLength);
}

void Workbook::setNumber(int row, int col, double value)
{
    rows_[row][col].value = value;
}

void Workbook::setBorder(int row, int col)
{
    rows_[row][col].border = true;
}

void Workbook::setColumnWidth(int col, double characters)
{
    columnWidths_[col] = characters;
}

void Workbook::setRowFill(int row, const QColor& color)
{
    rowFills_[row] = color;
}

void Workbook::setCenterHeader(const QString& text, bool withPageNumber)
{
    header_ = text;
    headerPageNumber_ = withPageNumber;
}

void Workbook::addPageBreakBefore(int row)
{
    if (row > 1 && pageBreaks_.size() < kMaxPageBreaks)
        pageBreaks_.push_back(row);
}

void Workbook::save(const QString& path) const
{
    // The writer prints numbers and widths with the C library: "7.5", never "7,5".
    const numericlocale::ClassicNumbersScope classicNumbers;
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* book = workbook_new(file.constData());
    if (!book)
        check(LXW_ERROR_MEMORY_MALLOC_FAILED, path);
    // The workbook is freed by workbook_close whatever happens before it.
    std::unique_ptr<lxw_workbook, void (*)(lxw_workbook*)> closer(book, [](lxw_workbook* b) {
        workbook_close(b);
    });
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    Formats formats(book);

    for (const auto& [col, width] : columnWidths_)
        check(worksheet_set_column(sheet, lxw_col_t(col - 1), lxw_col_t(col - 1), width, nullptr), path);
    if (!header_.isEmpty() || headerPageNumber_)
        check(worksheet_set_header(sheet, headerText(header_, headerPageNumber_).constData()), path);
    if (!pageBreaks_.empty()) {
        std::vector<lxw_row_t> breaks;
        for (int row : pageBreaks_)
            breaks.push_back(lxw_row_t(row - 1));
        std::sort(breaks.begin(), breaks.end());
        breaks.push_back(0);   // the list ends with 0
        check(worksheet_set_h_pagebreaks(sheet, breaks.data()), path);
    }
    for (const auto& [row, color] : rowFills_)
        check(worksheet_set_row(sheet, lxw_row_t(row - 1), LXW_DEF_ROW_HEIGHT, formats.get(false, color)), path);

    for (const auto& [row, cells] : rows_) {
        const auto fillFound = rowFills_.find(row);
        const std::optional<QColor> fill = fillFound != rowFills_.end() ? std::optional(fillFound->second)
                                                                        : std::nullopt;
        for (const auto& [col, cell] : cells) {
            const auto r = lxw_row_t(row - 1);
            const auto c = lxw_col_t(col - 1);
            lxw_format* format = formats.get(cell.border, fill);
            if (const auto* text = std::get_if<QString>(&cell.value))
                check(worksheet_write_string(sheet, r, c, text->toUtf8().constData(), format), path);
            else if (const auto* number = std::get_if<double>(&cell.value))
                check(worksheet_write_number(sheet, r, c, *number, format), path);
            else if (format)
                check(worksheet_write_blank(sheet, r, c, format), path);
        }
    }
    errno = 0;   // what the file step leaves in errno names its cause
    check(workbook_close(closer.release()), path);
}

QString Workbook::saveToTemporaryFile() const
{
    // A temporary folder that does not exist reads as empty: never write beside the root.
    const QString folder = QDir::tempPath();
    if (folder.isEmpty())
        throw WorkbookError(QString("Ο φάκελος προσωρινών αρχείων \"%1\" δεν υπάρχει.")
                                .arg(qEnvironmentVariable("TMPDIR"))
                                .toStdString());
    QTemporaryFile file(folder + QStringLiteral("/tarmel-XXXXXX.xlsx"));
    file.setAutoRemove(false);
    if (!file.open())
        throw WorkbookError(QString("Δεν έγινε νέο αρχείο στον φάκελο \"%1\": %2")
                                .arg(folder, failure::fileText(file.errorString()))
                                .toStdString());
    const QString path = file.fileName();
    file.close();
    try {
        save(path);
    } catch (const WorkbookError&) {
        QFile::remove(path);
        throw;
    }
    return path;
}
