#pragma once
// The outputs that the lists share: the column flags of one output, the workbook and the
// printout of a grid driven by a small layout, and descriptions clipped to their column.
// A window says only what differs: which flags it clears, its widths, fills and positions.

#include <QColor>
#include <QString>
#include <vector>

class FlexGrid;
class PrinterPage;
class Workbook;

namespace gridoutput {

// Clears the output flags of columns firstOff to lastOff for one output; every flag is on
// again when the guard goes, however the output ends.
class ColumnFlagsGuard {
public:
    ColumnFlagsGuard(int firstOff, int lastOff);
    ~ColumnFlagsGuard();
    ColumnFlagsGuard(const ColumnFlagsGuard&) = delete;
    ColumnFlagsGuard& operator=(const ColumnFlagsGuard&) = delete;
};

// The sheet of a grid: grid row r goes to sheet row r + 1, the flagged grid columns in
// order to sheet columns 1, 2, 3, ... (A, B, C, ...).
struct WorkbookLayout {
    std::vector<double> columnWidths;   // sheet columns A, B, ... in characters
    std::vector<int> numericColumns;    // grid columns whose number texts land as numbers
    bool cellBorders = false;           // thin continuous line around every written cell
    QColor oddRowFill;                  // fills of odd and even sheet rows (invalid: none)
    QColor evenRowFill;
    QString header;                     // centre page header (empty: none)
    bool headerPageNumber = false;      // the page number follows the header text
    int rowsPerPage = 0;                // grid rows per page: a break before each next page
};

// The flagged columns of every grid row in a workbook laid out as asked.
Workbook buildWorkbook(const FlexGrid& grid, const WorkbookLayout& layout);
// Writes that workbook to a new file in the temporary folder and opens it with the desktop's
// spreadsheet program. A file that cannot be written, or no program that opens it, is told
// in a message (naming the file). Returns the file's path, empty when it was not written.
QString exportToWorkbook(const FlexGrid& grid, const WorkbookLayout& layout);

// One printed column: the grid column's text at x (twips). Texts are printed whole, and a
// text that reaches into the next column moves that column's start to a blank after it: a
// cut code or quantity would be a wrong order. Only a column that may be shortened (a
// description) is cut with "…" where it would run into the next column.
struct PrintColumn {
    int gridColumn;
    int x;
    bool mayShorten = false;
};

// The printout of a grid: every row, one printed line each, the layout's columns in order.
struct PrintLayout {
    QString fontName;
    double fontSize = 10;
    bool fontBold = false;
    std::vector<PrintColumn> columns;
    bool trimTexts = false;        // leading and trailing blanks removed before printing
    int firstPageSkipLines = 0;    // lines moved down first, in the printer's own font
    int nextPageSkipLines = 0;     // lines moved down at the top of each later page
    QString pageTitle;             // printed with the page number, then an empty line, on
                                   // every page (empty: no title)
    int bandWidth = 0;             // a filled band behind each row, from x 0 (0: no bands)
    int bandHeight = 0;
    QColor evenBand;               // by grid row number: the header row 0 is even
    QColor oddBand;
    int rowsPerPage = 0;           // grid rows per page (0: as many as fit); a row that
                                   // does not fit the page always starts the next one
};

// Prints the grid on the page by the layout.
void printRows(PrinterPage& page, const FlexGrid& grid, const PrintLayout& layout);
// Prints the grid on the printer chosen at start-up as one document. No printer, or one
// that fails, is told in a message. True when the document went to the printer.
bool printGrid(const FlexGrid& grid, const PrintLayout& layout, const QString& documentName);

// The text on one line, cut to the width in the page's current font; a cut text ends in "…".
QString clipText(const PrinterPage& page, const QString& text, int widthTw);

} // namespace gridoutput
