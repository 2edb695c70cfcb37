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

// Prints the columns of one row; gap is the blank kept between two texts.
void printRow(PrinterPage& page, const FlexGrid& grid, const PrintLayout& layout, int row, int gap)
{
    if (layout.bandWidth > 0) {
        const int top = page.CurrentY();
        const QColor& color = row % 2 == 0 ? layout.evenBand : layout.oddBand;
        page.FilledBox(page.CurrentX(), top, layout.bandWidth, top + layout.bandHeight, color);
        page.setCurrentX(0);
        page.setCurrentY(top);
    }
    int free = 0;   // the first x that the texts printed so far leave free
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        const PrintColumn& column = layout.columns[i];
        QString text = oneLine(cellText(grid, row, column.gridColumn));
        if (layout.trimTexts)
            text = conv::trimBlanks(text);
        const int start = std::max(column.x, free);
        const int room = roomEnd(page, layout, i) - gap - start;
        if (column.mayShorten)
            text = clipText(page, text, room);
        if (text.isEmpty())
            continue;
        page.setCurrentX(start);
        page.Print(text);
        // A text that fits its room (a shortened one does) leaves the next column at its own
        // x; only a longer one is measured to find where the next column starts.
        if (!column.mayShorten && i + 1 < layout.columns.size() && !page.Fits(text, room))
            free = start + page.TextWidth(text) + gap;
    }
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

    const int rowHeight = std::max(layout.bandHeight, page.LineHeight());
    const int gap = page.TextWidth(QStringLiteral(" "));
    int rowsOnPage = 0;
    for (int row = 0; row < grid.Rows(); ++row) {
        const bool pageFull = layout.rowsPerPage > 0 && row > 0 && row % layout.rowsPerPage == 0;
        const bool fits = page.CurrentY() + rowHeight <= page.PageHeight();
        if (rowsOnPage > 0 && (pageFull || !fits)) {
            page.NewPage();
            skipLines(page, layout.nextPageSkipLines);
            startPage(page, layout, ++pageNumber);
            rowsOnPage = 0;
        }
        printRow(page, grid, layout, row, gap);
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
