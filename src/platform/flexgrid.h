#pragma once
// The list grid of every window: a table of plain text cells with the interface of the
// original grid control. Sizes and positions are in twips; row 0 is the header row that
// the windows write into; a column of width 1 twip (or 0) is hidden. It does not scroll on
// the mouse wheel by itself: the window's wheel forwarding moves TopRow.

#include <QTableView>
#include <cstdint>
#include <memory>
#include <vector>

class FlexGridModel;
class FlexGridFixedRows;

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // Size: lowering Rows drops the last rows, raising it appends empty rows.
    int Rows() const;
    void setRows(int rows);
    int Cols() const;
    void setCols(int cols);
    int FixedRows() const;
    void setFixedRows(int rows);   // 1 by default: row 0 is the header
    int FixedCols() const;
    void setFixedCols(int cols);   // 0 by default

    // Cells. Out-of-range cells throw std::out_of_range (callers skip such steps).
    QString TextMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);
    // A row's texts in one step, from column 0 on; the columns after them are emptied. As
    // setTextMatrix on each column, without touching the current cell. Throws
    // std::out_of_range for a row out of range or more texts than columns.
    void setRowTexts(int row, const std::vector<QString>& texts);
    void Clear();                   // empties every cell, keeps the size
    void RemoveItem(int row);       // throws std::out_of_range, also for the last row below the header
    // Rows first to last in one step, with the result of RemoveItem on each from last up to
    // first: where the run holds every scrollable row, its first row stays. An empty run
    // (last < first) removes nothing; a row out of range or a fixed row throws std::out_of_range.
    void RemoveItems(int first, int last);
    void AddItem(const QString& tabSeparated, int row = -1);

    // Layout in twips.
    int ColWidth(int col) const;
    void setColWidth(int col, int twips);
    int ColAlignment(int col) const;          // 1 left, 4 centre, 7 right (vertically centred)
    void setColAlignment(int col, int alignment);
    int RowHeight(int row) const;
    void setRowHeight(int row, int twips);

    // Current cell and selection.
    int Row() const;
    void setRow(int row);
    int Col() const;
    void setCol(int col);
    int RowSel() const;
    void setRowSel(int row);
    int ColSel() const;
    void setColSel(int col);
    int TopRow() const;
    void setTopRow(int row);   // a grid without scrollable rows stays as it is

    // The cell under the pointer at the last mouse event; -1 where the pointer was on no
    // row (below the last one) or on no column (right of the last one).
    int MouseRow() const { return mouseRow_; }
    int MouseCol() const { return mouseCol_; }

    // Grid colours (&HBBGGRR or system colours): text and background of the scrollable
    // cells, and the empty area right of and below the cells.
    std::uint32_t ForeColor() const;
    void setForeColor(std::uint32_t color);
    std::uint32_t BackColor() const;
    void setBackColor(std::uint32_t color);
    std::uint32_t BackColorBkg() const;
    void setBackColorBkg(std::uint32_t color);

    // The current cell's colours (0 means the grid's default colour, as in the original control) (&HBBGGRR or system colours) and rectangle in twips.
    std::uint32_t CellBackColor() const;
    void setCellBackColor(std::uint32_t color);
    std::uint32_t CellForeColor() const;
    void setCellForeColor(std::uint32_t color);
    // The back colour of columns firstCol to lastCol of a row, as setCellBackColor on each of
    // them would give, while the current cell stays where it is; none when lastCol < firstCol.
    // Throws std::out_of_range.
    void setRowBackColor(int row, int firstCol, int lastCol, std::uint32_t color);
    int CellLeft() const;
    int CellTop() const;
    int CellWidth() const;
    int CellHeight() const;

signals:
    // Coordinates in twips within the grid; button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt.
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void Click();
    void DblClick();
    void GotFocus();
    void LostFocus();
    void SelChange();
    void RowColChange();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class FlexGridDelegate;
    friend class FlexGridFixedRows;

    struct Cell {
        int row;
        int col;
    };

    void checkRow(int row) const;
    void checkCol(int col) const;
    void flushPending() const;
    void select(int row, int col, int rowSel, int colSel);
    void clampSelection();
    void applyColumnWidth(int col);
    void applyRowHeights(int first, int last);
    void applyFixedRows(int oldFixedRows);
    void updateFixedRowsHeight();
    int fixedRowsHeightPx(int rows) const;
    QRect cellRect(int row, int col) const;
    Cell cellAt(QPoint gridPos) const;
    Cell dragCellAt(QPoint gridPos);
    bool isHighlighted(int row, int col) const;
    bool isFocusCell(int row, int col) const;
    bool spansCells() const;
    int nextVisibleCol(int col, int step) const;

    void pressAt(QPoint gridPos, QMouseEvent* event);
    void moveAt(QPoint gridPos, QMouseEvent* event);
    void releaseAt(QPoint gridPos, QMouseEvent* event);
    void doubleClickAt(QMouseEvent* event);

    std::unique_ptr<FlexGridModel> model_;
    FlexGridFixedRows* fixedRowsView_;
    std::vector<int> colWidthsTw_;   // as set; -1 for the default width
    std::uint32_t backColorBkg_;
    int row_ = 1;
    int col_ = 0;
    int rowSel_ = 1;
    int colSel_ = 0;
    int mouseRow_ = -1;
    int mouseCol_ = -1;
    bool dragging_ = false;
    bool pressed_ = false;
    bool doubleClicked_ = false;
};
