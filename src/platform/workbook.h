#pragma once
// A spreadsheet workbook of one sheet, written as an .xlsx file with libxlsxwriter: cell
// values (texts and numbers), column widths, a centre page header, horizontal page breaks,
// thin cell borders and row fills. The sheet is kept in memory and written by Save, so a
// cell's border and its row's fill combine whatever order they were set in.

#include <QColor>
#include <QString>
#include <map>
#include <stdexcept>
#include <variant>
#include <vector>

// The file could not be written; what() names it and says why.
class WorkbookError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Workbook {
public:
    Workbook() = default;

    // Rows and columns are 1-based, as the sheet shows them (row 1, column 1 is A1).
    void setText(int row, int col, const QString& text);
    void setNumber(int row, int col, double value);
    void setBorder(int row, int col);                   // thin continuous line on all four sides
    void setColumnWidth(int col, double characters);
    void setRowFill(int row, const QColor& color);      // the whole row, written cells included
    // The centre page header: the text, followed by the page number where asked.
    void setCenterHeader(const QString& text, bool withPageNumber = false);
    // A page break before the row (rows 2 and up; Excel keeps at most 1023 breaks).
    void addPageBreakBefore(int row);

    // Writes the workbook to the path. Throws WorkbookError.
    void save(const QString& path) const;
    // Writes it to a new file "tarmel-XXXXXX.xlsx" in the temporary folder and returns its
    // path. Throws WorkbookError.
    QString saveToTemporaryFile() const;

private:
    struct Cell {
        std::variant<std::monostate, QString, double> value;
        bool border = false;
    };
    std::map<int, std::map<int, Cell>> rows_;   // row -> column -> cell
    std::map<int, double> columnWidths_;
    std::map<int, QColor> rowFills_;
    QString header_;
    bool headerPageNumber_ = false;
    std::vector<int> pageBreaks_;
};
