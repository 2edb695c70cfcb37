#include "core/gridoutput.h"
#include "core/helpers.h"
#include "core/startup.h"
#include "platform/convert.h"
#include "platform/desktop.h"
#include "platform/flexgrid.h"
#include "platform/hourglass.h"
#include "platform/messagebox.h"
#include "platform/printerpage.h"
#include "platform/workbook.h"
#include <algorithm>
#include <memory>
#include <stdexcept>

namespace gridoutput {
namespace {

QString cellText(const FlexGrid& grid, int row, int col)
{
    try {
        return grid.TextMatrix(row, col);
    } catch (const std::out_of_range&) {
        return {};
    }
}

bool flagged(int col)
{
    return col < int(gColumnSelected.size()) && gColumnSelected[std::size_t(col)] != 0;
}

bool contains(const std::vector<int>& values, int value)
{
    return std::find(values.begin(), values.end(), value) != values.end();
}

// Moves down the given number of lines of the page's current font.
void skipLines(PrinterPage& page, int lines)
{
    for (int i = 0; i < lines; ++i)
        page.PrintLine();
}

void startPage(PrinterPage& page, const PrintLayout& layout, int number)
{
    if (layout.pageTitle.isEmpty())
        return;
    page.PrintLine(layout.pageTitle + QString::number(number));
    page.PrintLine();
}

// The text on one line: its line ends become blanks. A text without any is not copied.
QString oneLine(QString text)
{
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'))) {
        text.replace(QLatin1Char('\r'), QLatin1Char(' '));
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return text;
}

// Where the column after index starts at the latest: its own x, or the page's right edge
// after the last column.
int roomEnd(const PrinterPage& page, const PrintLayout& layout, std::size_t index)
{
    return index + 1 < layout.columns.size() ? layout.columns[index + 1].x : page.PageWidth();
}

// The longest start of the text that fits the width; at least one character.
int fittingLength(const PrinterPage& page, const QString& text, int widthTw)
{
    int low = 1;
    int high = int(text.size());
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (page.TextWidth(text.left(mid)) <= widthTw)
            low = mid;
        else
            high = mid - 1;
    }
    return low;
}

// One text of a row, on the row's line `line` (0 the first) at x.
struct PlacedText {
    int line;
    int x;
    QString text;
};

// Where the texts of one row go. A text that must print whole and does not fit the paper from
// where it would start goes to a line of its own below, at its column's x, or nearer the left
// edge as far as it needs; a text wider than the paper runs on over as many lines as it takes.
// The columns after it follow it on its last line.
class RowLayout {
public:
    RowLayout(const PrinterPage& page, const PrintLayout& layout) : page_(page), layout_(layout) {}

    std::vector<PlacedText> place(const FlexGrid& grid, int row, int gap)
    {
        texts_.clear();
        line_ = 0;
        int free = 0;   // the first x on the current line that the texts so far leave free
        for (std::size_t i = 0; i < layout_.columns.size(); ++i) {
            const PrintColumn& column = layout_.columns[i];
            QString text = oneLine(cellText(grid, row, column.gridColumn));
            if (layout_.trimTexts)
                text = conv::trimBlanks(text);
            if (text.isEmpty())
                continue;
            const int start = std::max(column.x, free);
            const int room = roomEnd(page_, layout_, i) - gap - start;
            if (column.mayShorten) {
                text = clipText(page_, text, room);
                if (!text.isEmpty())
                    texts_.push_back({line_, start, text});
                continue;
            }
            // A text that fits its room (most do) leaves the next column at its own x; only a
            // longer one is measured.
            if (page_.Fits(text, room)) {
                texts_.push_back({line_, start, text});
                free = 0;
                continue;
            }
            const int end = placeWhole(text, start, column.x, gap);
            free = end + gap;
        }
        return texts_;
    }

    int lines() const { return line_ + 1; }

private:
    // Places a text that is printed whole; returns the x where it ends.
    int placeWhole(const QString& text, int start, int columnX, int gap)
    {
        const int paper = page_.PageWidth();
        const int width = page_.TextWidth(text);
        if (start + width <= paper)
            return put(start, text, width);
        // Nearer the left edge on the same line, where the blank after the texts so far allows.
        if (width <= paper && paper - width >= (lineUsed() ? lastEnd() + gap : 0))
            return put(paper - width, text, width);
        if (lineUsed())
            ++line_;
        if (width <= paper)
            return put(std::min(columnX, paper - width), text, width);
        // Wider than the paper: piece by piece from the left edge, each on a line of its own.
        QString rest = text;
        for (;;) {
            const int length = fittingLength(page_, rest, paper);
            if (length == rest.size())
                return put(0, rest, page_.TextWidth(rest));
            texts_.push_back({line_++, 0, rest.left(length)});
            rest = rest.mid(length);
        }
    }

    int put(int x, const QString& text, int width)
    {
        texts_.push_back({line_, x, text});
        return x + width;
    }

    int lastEnd() const { return texts_.back().x + page_.TextWidth(texts_.back().text); }

    bool lineUsed() const { return !texts_.empty() && texts_.back().line == line_; }

    const PrinterPage& page_;
    const PrintLayout& layout_;
    std::vector<PlacedText> texts_;
    int line_ = 0;
};

// Prints the placed texts of one row from the current line, over its band, and moves below it.
void printRow(PrinterPage& page, const PrintLayout& layout, int row, const std::vector<PlacedText>& texts,
              int lines)
{
    const int top = page.CurrentY();
    if (layout.bandWidth > 0) {
        const QColor& color = row % 2 == 0 ? layout.evenBand : layout.oddBand;
        const int height = layout.bandHeight + (lines - 1) * page.LineHeight();
        page.FilledBox(page.CurrentX(), top, layout.bandWidth, top + height, color);
        page.setCurrentX(0);
        page.setCurrentY(top);
    }
    int line = 0;
    for (const PlacedText& placed : texts) {
        for (; line < placed.line; ++line)
            page.PrintLine();
        page.setCurrentX(placed.x);
        page.Print(placed.text);
    }
    for (; line < lines; ++line)
        page.PrintLine();
}

} // namespace

ColumnFlagsGuard::ColumnFlagsGuard(int firstOff, int lastOff)
{
    for (int col = std::max(firstOff, 0); col <= lastOff && col < int(gColumnSelected.size()); ++col)
        gColumnSelected[std::size_t(col)] = 0;
}

ColumnFlagsGuard::~ColumnFlagsGuard()
{
    SelectAllColumns();
}

Workbook buildWorkbook(const FlexGrid& grid, const WorkbookLayout& layout)
{
    Workbook book;
    if (!layout.header.isEmpty() || layout.headerPageNumber)
        book.setCenterHeader(layout.header, layout.headerPageNumber);
    for (std::size_t k = 0; k < layout.columnWidths.size(); ++k)
        book.setColumnWidth(int(k) + 1, layout.columnWidths[k]);

    for (int row = 0; row < grid.Rows(); ++row) {
        const int sheetRow = row + 1;
        if (layout.rowsPerPage > 0 && row > 0 && row % layout.rowsPerPage == 0)
            book.addPageBreakBefore(sheetRow);
        int sheetCol = 0;
        for (int col = 0; col < grid.Cols(); ++col) {
            if (!flagged(col))
                continue;
            ++sheetCol;
            const QString text = cellText(grid, row, col);
            const std::optional<double> number =
                contains(layout.numericColumns, col) ? conv::parseNumber(text) : std::nullopt;
            if (number)
                book.setNumber(sheetRow, sheetCol, *number);
            else
                book.setText(sheetRow, sheetCol, text);
            if (layout.cellBorders)
                book.setBorder(sheetRow, sheetCol);
        }
        const QColor& fill = sheetRow % 2 == 1 ? layout.oddRowFill : layout.evenRowFill;
        if (fill.isValid())
            book.setRowFill(sheetRow, fill);
    }
    return book;
}

QString exportToWorkbook(const FlexGrid& grid, const WorkbookLayout& layout)
{
    QString path;
    {
        const Hourglass hourglass;
        try {
            path = buildWorkbook(grid, layout).saveToTemporaryFile();
        } catch (const WorkbookError& error) {
            msgbox::MsgBox(QString::fromStdString(error.what()), msgbox::Critical);
            return {};
        }
    }
    if (!desktop::openFile(path))
        msgbox::MsgBox("Δεν βρέθηκε πρόγραμμα λογιστικών φύλλων για να ανοίξει το βιβλίο εργασίας.\n"
                       "Το αρχείο γράφτηκε στο:\n" + path,
                       msgbox::Information);
    return path;
}

void printRows(PrinterPage& page, const FlexGrid& grid, const PrintLayout& layout)
{
    skipLines(page, layout.firstPageSkipLines);
    page.setFontName(layout.fontName);
    page.setFontSize(layout.fontSize);
    page.setFontBold(layout.fontBold);
    int pageNumber = 1;
    startPage(page, layout, pageNumber);

    const int gap = page.TextWidth(QStringLiteral(" "));
    RowLayout rowLayout(page, layout);
    int rowsOnPage = 0;
    for (int row = 0; row < grid.Rows(); ++row) {
        const std::vector<PlacedText> texts = rowLayout.place(grid, row, gap);
        const int height = std::max(layout.bandHeight, page.LineHeight()) + (rowLayout.lines() - 1) * page.LineHeight();
        const bool pageFull = layout.rowsPerPage > 0 && row > 0 && row % layout.rowsPerPage == 0;
        const bool fits = page.CurrentY() + height <= page.PageHeight();
        if (rowsOnPage > 0 && (pageFull || !fits)) {
            page.NewPage();
            skipLines(page, layout.nextPageSkipLines);
            startPage(page, layout, ++pageNumber);
            rowsOnPage = 0;
        }
        printRow(page, layout, row, texts, rowLayout.lines());
        ++rowsOnPage;
    }
}

bool printGrid(const FlexGrid& grid, const PrintLayout& layout, const QString& documentName)
{
    try {
        const Hourglass hourglass;
        PrinterPage page(startup::currentPrinterName(), documentName);
        printRows(page, grid, layout);
        page.EndDoc();
        return true;
    } catch (const PrinterError& error) {
        msgbox::MsgBox(QString::fromStdString(error.what()), msgbox::Critical);
        return false;
    }
}

QString clipText(const PrinterPage& page, const QString& text, int widthTw)
{
    const QString line = oneLine(text);
    if (page.Fits(line, widthTw))
        return line;
    static const QString mark = QStringLiteral("…");
    // The longest start of the text that fits with the mark after it.
    int low = 0;
    int high = int(line.size()) - 1;
    while (low < high) {
        const int mid = (low + high + 1) / 2;
        if (page.TextWidth(line.left(mid) + mark) <= widthTw)
            low = mid;
        else
            high = mid - 1;
    }
    return low > 0 ? line.left(low) + mark : QString();
}

} // namespace gridoutput
