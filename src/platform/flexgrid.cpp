#include "platform/flexgrid.h"
#include "platform/units.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTimer>
#include <QVarLengthArray>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr int kDefaultRowHeightTw = 240;
constexpr int kDefaultColWidthTw = 960;
constexpr int kGeneralAlignment = 9;

// System colours the grid draws with by default.
constexpr std::uint32_t kWindow = 0x80000005;
constexpr std::uint32_t kWindowText = 0x80000008;
constexpr std::uint32_t kAppWorkspace = 0x8000000C;
constexpr std::uint32_t kHighlight = 0x8000000D;
constexpr std::uint32_t kHighlightText = 0x8000000E;

bool isNumber(const QString& text)
{
    bool ok = false;
    QLocale().toDouble(text.trimmed(), &ok);
    if (!ok)
        text.trimmed().toDouble(&ok);
    return ok;
}

// Alignment codes 0..8 are left/centre/right by top/centre/bottom; 9 (general) puts numbers
// right and texts left, vertically centred.
Qt::Alignment qtAlignment(int code, const QString& text)
{
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    if (code < 0 || code > 8)
        return (isNumber(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    return horizontal[code / 3] | vertical[code % 3];
}

struct CellColors {
    std::uint32_t back = 0;   // 0: the grid's default
    std::uint32_t fore = 0;
};

// A row's cell texts: their characters one after another in one string, and where each
// column's text ends, held in the row itself for the columns of a list. A row so costs one
// allocation however many cells it fills, a long list is filled and emptied quickly, and
// writing a row's cells one by one from left to right appends to both. The columns after
// those held are empty.
class RowTexts {
public:
    RowTexts() = default;
    RowTexts(const RowTexts&) = default;
    RowTexts(RowTexts&&) noexcept = default;
    RowTexts& operator=(const RowTexts&) = default;
    RowTexts& operator=(RowTexts&& other) noexcept
    {
        chars_ = std::move(other.chars_);
        // Qt 6.4's QVarLengthArray loses its own heap room when moved onto: give it back first.
        ends_.clear();
        ends_.squeeze();
        ends_ = std::move(other.ends_);
        return *this;
    }
    ~RowTexts() = default;

    int count() const { return int(ends_.size()); }
    QStringView text(int col) const
    {
        if (col >= count())
            return {};
        const qsizetype begin = start(col);
        return QStringView(chars_).mid(begin, ends_[col] - begin);
    }

    // Columns 0 to texts.size() - 1 hold the texts, and no other column holds any.
    template <class Texts>
    void assign(const Texts& texts)
    {
        ends_.clear();
        ends_.reserve(qsizetype(std::size(texts)));
        qsizetype length = 0;
        for (const auto& text : texts)
            ends_.push_back(length += text.size());
        QString chars(length, Qt::Uninitialized);
        QChar* out = chars.data();
        for (const auto& text : texts)
            out = std::copy(text.cbegin(), text.cend(), out);
        chars_ = std::move(chars);
    }
    void set(int col, QStringView text)
    {
        while (count() < col)   // the columns before it, empty
            ends_.push_back(chars_.size());
        if (col == count()) {
            chars_.append(text);
            ends_.push_back(chars_.size());
            return;
        }
        const qsizetype begin = start(col);
        const qsizetype grown = text.size() - (ends_[col] - begin);
        chars_.replace(begin, ends_[col] - begin, text.data(), text.size());
        for (auto end = ends_.begin() + col; end != ends_.end(); ++end)
            *end += grown;
    }
    // Drops the texts of the columns from `cols` on.
    void truncate(int cols)
    {
        if (count() <= cols)
            return;
        chars_.truncate(start(cols));
        ends_.resize(cols);
    }
    void clear()
    {
        chars_.clear();
        ends_.clear();
    }

private:
    qsizetype start(int col) const { return col == 0 ? 0 : ends_[col - 1]; }

    QString chars_;
    QVarLengthArray<qsizetype, 15> ends_;
};

// Colours are sized on their first write, so appending a row costs one empty entry.
struct GridRow {
    RowTexts texts;
    std::vector<CellColors> colors;
    int heightTw = -1;
};

} // namespace

// The rows of text behind the grid. Appended rows are announced to the views in one batch
// when control returns to the event loop (or when the grid needs them earlier), so a list
// filled one row at a time costs one insertion notice instead of one per row. Removals are
// announced at once, which keeps rowCount() within the stored rows at all times.
class FlexGridModel final : public QAbstractTableModel {
public:
    FlexGridModel(int rows, int cols) : rows_(std::size_t(rows)), announced_(rows), cols_(cols)
    {
        flushTimer_.setSingleShot(true);
        flushTimer_.setInterval(0);
        QObject::connect(&flushTimer_, &QTimer::timeout, this, [this] { flush(); });
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : announced_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : cols_; }
    Qt::ItemFlags flags(const QModelIndex&) const override { return Qt::ItemIsEnabled; }
    QVariant data(const QModelIndex& index, int role) const override;
    // Assistive technology reads each column's header from the header row that the window
    // writes; rows have no header of their own.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || fixedRows == 0 || rows_.empty()
            || section < 0 || section >= cols_)
            return {};
        return text(0, section);
    }

    int rows() const { return int(rows_.size()); }
    int cols() const { return cols_; }
    bool isAnnounced(int row) const { return row < announced_; }

    void setRows(int rows);
    void setCols(int cols);
    void flush();

    QString text(int row, int col) const { return rows_[std::size_t(row)].texts.text(col).toString(); }
    void setText(int row, int col, const QString& text);
    void setTexts(int row, const std::vector<QString>& texts);
    CellColors colors(int row, int col) const
    {
        const auto& colors = rows_[std::size_t(row)].colors;
        return std::size_t(col) < colors.size() ? colors[std::size_t(col)] : CellColors {};
    }
    void setBack(int row, int col, std::uint32_t color) { cellColors(row, col).back = color; changed(row, col); }
    void setBacks(int row, int firstCol, int lastCol, std::uint32_t color)
    {
        for (int col = firstCol; col <= lastCol; ++col)
            cellColors(row, col).back = color;
        changed(row, firstCol, lastCol);
    }
    void setFore(int row, int col, std::uint32_t color) { cellColors(row, col).fore = color; changed(row, col); }
    int heightTw(int row) const
    {
        const int h = rows_[std::size_t(row)].heightTw;
        return h < 0 ? kDefaultRowHeightTw : h;
    }
    void setHeightTw(int row, int twips) { rows_[std::size_t(row)].heightTw = twips; }

    void clear();
    void removeRows(int first, int last);
    void insertRow(int row, const QStringList& texts);

    int alignment(int col) const { return alignments_[std::size_t(col)]; }
    void setAlignment(int col, int code);

    int fixedRows = 1;
    int fixedCols = 0;
    std::uint32_t backColor = kWindow;
    std::uint32_t foreColor = kWindowText;
    std::uint32_t backColorFixed = units::kButtonFace;
    std::uint32_t foreColorFixed = units::kButtonText;

    void allChanged()
    {
        if (announced_ > 0 && cols_ > 0)
            emit dataChanged(index(0, 0), index(announced_ - 1, cols_ - 1));
    }

private:
    CellColors& cellColors(int row, int col)
    {
        auto& colors = rows_[std::size_t(row)].colors;
        if (colors.size() <= std::size_t(col))
            colors.resize(std::size_t(cols_));
        return colors[std::size_t(col)];
    }
    void changed(int row, int col) { changed(row, col, col); }
    void changed(int row, int firstCol, int lastCol)
    {
        if (isAnnounced(row))
            emit dataChanged(index(row, firstCol), index(row, lastCol));
    }
    bool isFixed(int row, int col) const { return row < fixedRows || col < fixedCols; }

    std::vector<GridRow> rows_;
    int announced_;
    int cols_;
    std::vector<int> alignments_ = std::vector<int>(std::size_t(cols_), kGeneralAlignment);
    QTimer flushTimer_;
};

QVariant FlexGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int row = index.row();
    const int col = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, col);
    case Qt::TextAlignmentRole:
        return int(qtAlignment(alignment(col), text(row, col)));
    case Qt::BackgroundRole: {
        const std::uint32_t own = colors(row, col).back;
        return QBrush(units::color(own ? own : isFixed(row, col) ? backColorFixed : backColor));
    }
    case Qt::ForegroundRole: {
        const std::uint32_t own = colors(row, col).fore;
        return QBrush(units::color(own ? own : isFixed(row, col) ? foreColorFixed : foreColor));
    }
    default:
        return {};
    }
}

void FlexGridModel::setRows(int rows)
{
    if (rows < announced_) {
        beginRemoveRows({}, rows, announced_ - 1);
        rows_.resize(std::size_t(rows));
        announced_ = rows;
        endRemoveRows();
        return;
    }
    rows_.resize(std::size_t(rows));
    if (rows > announced_ && !flushTimer_.isActive())
        flushTimer_.start();
}

void FlexGridModel::flush()
{
    const int rows = int(rows_.size());
    if (rows <= announced_)
        return;
    flushTimer_.stop();
    beginInsertRows({}, announced_, rows - 1);
    announced_ = rows;
    endInsertRows();
}

void FlexGridModel::setCols(int cols)
{
    if (cols < cols_) {
        beginRemoveColumns({}, cols, cols_ - 1);
        for (auto& row : rows_) {
            row.texts.truncate(cols);
            if (row.colors.size() > std::size_t(cols))
                row.colors.resize(std::size_t(cols));
        }
        cols_ = cols;
        alignments_.resize(std::size_t(cols));
        endRemoveColumns();
    } else if (cols > cols_) {
        beginInsertColumns({}, cols_, cols - 1);
        for (auto& row : rows_) {
            if (!row.colors.empty())
                row.colors.resize(std::size_t(cols));
        }
        cols_ = cols;
        alignments_.resize(std::size_t(cols), kGeneralAlignment);
        endInsertColumns();
    }
}

void FlexGridModel::setText(int row, int col, const QString& text)
{
    RowTexts& texts = rows_[std::size_t(row)].texts;
    if (col >= texts.count() && text.isEmpty())
        return;
    texts.set(col, text);
    changed(row, col);
}

void FlexGridModel::setTexts(int row, const std::vector<QString>& texts)
{
    rows_[std::size_t(row)].texts.assign(texts);
    if (cols_ > 0)
        changed(row, 0, cols_ - 1);
}

void FlexGridModel::clear()
{
    for (auto& row : rows_) {
        row.texts.clear();
        row.colors.clear();
    }
    allChanged();
}

// Rows first to last; the views hear of those they were told about, in one notice.
void FlexGridModel::removeRows(int first, int last)
{
    const int lastAnnounced = std::min(last, announced_ - 1);
    const bool announced = first <= lastAnnounced;
    if (announced)
        beginRemoveRows({}, first, lastAnnounced);
    rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
    if (announced) {
        announced_ -= lastAnnounced - first + 1;
        endRemoveRows();
    }
}

void FlexGridModel::insertRow(int row, const QStringList& texts)
{
    flush();
    GridRow added;
    added.texts.assign(texts.mid(0, cols_));
    beginInsertRows({}, row, row);
    rows_.insert(rows_.begin() + row, std::move(added));
    ++announced_;
    endInsertRows();
}

void FlexGridModel::setAlignment(int col, int code)
{
    alignments_[std::size_t(col)] = code;
    if (announced_ > 0)
        emit dataChanged(index(0, col), index(announced_ - 1, col), {Qt::TextAlignmentRole});
}

// Draws cells with the grid's own selection: highlighted cells except the current one, and a
// focus frame on the current cell while the grid has the focus.
class FlexGridDelegate final : public QStyledItemDelegate {
public:
    explicit FlexGridDelegate(FlexGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        option->textElideMode = Qt::ElideNone;
        if (grid_->isHighlighted(index.row(), index.column())) {
            option->backgroundBrush = units::color(kHighlight);
            option->palette.setColor(QPalette::Text, units::color(kHighlightText));
        }
        if (grid_->isFocusCell(index.row(), index.column()))
            option->state |= QStyle::State_HasFocus;
    }

private:
    const FlexGrid* grid_;
};

// The fixed rows at the top of the grid. It takes the place of the table's column header,
// so it scrolls sideways with the columns and keeps their widths, and it draws the model's
// fixed rows as raised grey cells that stay put while the rows below scroll.
class FlexGridFixedRows final : public QHeaderView {
public:
    explicit FlexGridFixedRows(FlexGrid* grid) : QHeaderView(Qt::Horizontal, grid), grid_(grid)
    {
        setMinimumSectionSize(0);
        setDefaultSectionSize(units::px(kDefaultColWidthTw));
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
        viewport()->setMouseTracking(true);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(viewport());
        painter.fillRect(viewport()->rect(), grid_->palette().color(QPalette::Base));
        for (int col = 0; col < count(); ++col) {
            const int x = sectionViewportPosition(col);
            const int width = sectionSize(col);
            if (isSectionHidden(col) || width <= 0 || x + width < 0 || x > viewport()->width())
                continue;
            paintColumn(painter, col, x, width);
        }
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        grid_->setFocus(Qt::MouseFocusReason);
        grid_->pressAt(toGrid(event), event);
    }
    void mouseMoveEvent(QMouseEvent* event) override { grid_->moveAt(toGrid(event), event); }
    void mouseReleaseEvent(QMouseEvent* event) override { grid_->releaseAt(toGrid(event), event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { grid_->doubleClickAt(event); }
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

private:
    QPoint toGrid(const QMouseEvent* event) const
    {
        return viewport()->mapTo(grid_, event->position().toPoint());
    }

    void paintColumn(QPainter& painter, int col, int x, int width) const
    {
        const QColor light = units::color(units::kButtonHighlight);
        const QColor shadow = units::color(units::kButtonShadow);
        int y = 0;
        for (int row = 0; row < grid_->model_->fixedRows; ++row) {
            const int height = units::px(grid_->model_->heightTw(row));
            const QRect cell(x, y, width, height);
            QStyleOptionViewItem option;
            option.initFrom(grid_);
            option.state = QStyle::State_Enabled;
            option.rect = cell;
            option.font = grid_->font();
            option.widget = grid_;
            grid_->itemDelegate()->paint(&painter, option, model()->index(row, col));
            painter.setPen(light);
            painter.drawLine(cell.topLeft(), cell.topRight());
            painter.drawLine(cell.topLeft(), cell.bottomLeft());
            painter.setPen(shadow);
            painter.drawLine(cell.topRight(), cell.bottomRight());
            painter.drawLine(cell.bottomLeft(), cell.bottomRight());
            y += height;
        }
    }

    FlexGrid* grid_;
};

FlexGrid::FlexGrid(QWidget* parent)
    : QTableView(parent)
    , model_(std::make_unique<FlexGridModel>(2, 2))
    , fixedRowsView_(new FlexGridFixedRows(this))
    , colWidthsTw_(2, -1)
    , backColorBkg_(kAppWorkspace)
{
    setHorizontalHeader(fixedRowsView_);
    setModel(model_.get());
    setItemDelegate(new FlexGridDelegate(this));
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    viewport()->setMouseTracking(true);

    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(0);
    rows->setDefaultSectionSize(units::px(kDefaultRowHeightTw));
    rows->setSectionResizeMode(QHeaderView::Fixed);

    setBackColorBkg(backColorBkg_);
    connect(model_.get(), &QAbstractItemModel::rowsInserted, this,
        [this](const QModelIndex&, int first, int last) { applyRowHeights(first, last); });
    connect(model_.get(), &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& topLeft) {
        if (topLeft.row() < model_->fixedRows)
            fixedRowsView_->viewport()->update();
    });
    applyFixedRows(0);
}

FlexGrid::~FlexGrid() = default;

void FlexGrid::checkRow(int row) const
{
    if (row < 0 || row >= Rows())
        throw std::out_of_range("FlexGrid: row " + std::to_string(row) + " out of range");
}

void FlexGrid::checkCol(int col) const
{
    if (col < 0 || col >= Cols())
        throw std::out_of_range("FlexGrid: column " + std::to_string(col) + " out of range");
}

// Announces rows added since the last event-loop turn and lays the view out, for the
// operations that need the view's geometry. This changes nothing the grid's interface shows.
void FlexGrid::flushPending() const
{
    model_->flush();
    const_cast<FlexGrid*>(this)->executeDelayedItemsLayout();
}

int FlexGrid::Rows() const
{
    return model_->rows();
}

void FlexGrid::setRows(int rows)
{
    if (rows < model_->fixedRows)
        throw std::out_of_range("FlexGrid: fewer rows than fixed rows");
    model_->setRows(rows);
    clampSelection();
}

int FlexGrid::Cols() const
{
    return model_->cols();
}

void FlexGrid::setCols(int cols)
{
    if (cols < model_->fixedCols)
        throw std::out_of_range("FlexGrid: fewer columns than fixed columns");
    const int old = Cols();
    model_->setCols(cols);
    colWidthsTw_.resize(std::size_t(cols), -1);
    for (int col = old; col < cols; ++col)
        applyColumnWidth(col);
    clampSelection();
}

int FlexGrid::FixedRows() const
{
    return model_->fixedRows;
}

void FlexGrid::setFixedRows(int rows)
{
    if (rows < 0 || rows > Rows())
        throw std::out_of_range("FlexGrid: fixed rows out of range");
    flushPending();
    const int old = model_->fixedRows;
    model_->fixedRows = rows;
    applyFixedRows(old);
    model_->allChanged();
}

int FlexGrid::FixedCols() const
{
    return model_->fixedCols;
}

void FlexGrid::setFixedCols(int cols)
{
    if (cols < 0 || cols > Cols())
        throw std::out_of_range("FlexGrid: fixed columns out of range");
    model_->fixedCols = cols;
    model_->allChanged();
}

QString FlexGrid::TextMatrix(int row, int col) const
{
    checkRow(row);
    checkCol(col);
    return model_->text(row, col);
}

void FlexGrid::setTextMatrix(int row, int col, const QString& text)
{
    checkRow(row);
    checkCol(col);
    model_->setText(row, col, text);
}

void FlexGrid::setRowTexts(int row, const std::vector<QString>& texts)
{
    checkRow(row);
    if (texts.size() > std::size_t(Cols()))
        throw std::out_of_range("FlexGrid: " + std::to_string(texts.size()) + " texts for "
                                + std::to_string(Cols()) + " columns");
    model_->setTexts(row, texts);
}

void FlexGrid::Clear()
{
    model_->clear();
}

void FlexGrid::RemoveItem(int row)
{
    checkRow(row);
    if (row < model_->fixedRows)
        throw std::out_of_range("FlexGrid: a fixed row cannot be removed");
    if (Rows() - model_->fixedRows <= 1)
        throw std::out_of_range("FlexGrid: the last scrollable row cannot be removed");
    model_->removeRows(row, row);
    clampSelection();
}

void FlexGrid::RemoveItems(int first, int last)
{
    if (last < first)
        return;
    checkRow(first);
    checkRow(last);
    if (first < model_->fixedRows)
        throw std::out_of_range("FlexGrid: a fixed row cannot be removed");
    // Removed from the bottom up, the run stops where one scrollable row is left.
    const int removable = Rows() - model_->fixedRows - 1;
    first = std::max(first, last - removable + 1);
    if (first > last)
        return;
    model_->removeRows(first, last);
    clampSelection();
}

void FlexGrid::AddItem(const QString& tabSeparated, int row)
{
    const QStringList texts = tabSeparated.split('\t');
    if (row == -1) {
        const int added = Rows();
        setRows(added + 1);
        model_->setTexts(added, std::vector<QString>(texts.cbegin(), texts.cbegin() + std::min(int(texts.size()), Cols())));
        return;
    }
    if (row < 0 || row > Rows())
        throw std::out_of_range("FlexGrid: row " + std::to_string(row) + " out of range");
    model_->insertRow(row, texts);
    if (row < model_->fixedRows)
        applyFixedRows(model_->fixedRows + 1);
}

int FlexGrid::ColWidth(int col) const
{
    checkCol(col);
    const int twips = colWidthsTw_[std::size_t(col)];
    return twips < 0 ? kDefaultColWidthTw : twips;
}

void FlexGrid::setColWidth(int col, int twips)
{
    checkCol(col);
    colWidthsTw_[std::size_t(col)] = twips < 0 ? -1 : twips;
    applyColumnWidth(col);
}

void FlexGrid::applyColumnWidth(int col)
{
    const int pixels = units::px(ColWidth(col));
    setColumnHidden(col, pixels == 0);
    if (pixels > 0)
        setColumnWidth(col, pixels);
}

int FlexGrid::ColAlignment(int col) const
{
    checkCol(col);
    return model_->alignment(col);
}

void FlexGrid::setColAlignment(int col, int alignment)
{
    checkCol(col);
    model_->setAlignment(col, alignment);
}

int FlexGrid::RowHeight(int row) const
{
    checkRow(row);
    return model_->heightTw(row);
}

void FlexGrid::setRowHeight(int row, int twips)
{
    checkRow(row);
    model_->setHeightTw(row, twips < 0 ? -1 : twips);
    if (row < model_->fixedRows)
        updateFixedRowsHeight();
    else if (model_->isAnnounced(row))
        applyRowHeights(row, row);
}

// Row heights of rows the view has just been told about. The hidden row header would work
// out every section's position on each resize; with its updates off a resize stays O(1).
void FlexGrid::applyRowHeights(int first, int last)
{
    QHeaderView* rows = verticalHeader();
    const bool updates = rows->updatesEnabled();
    rows->setUpdatesEnabled(false);
    for (int row = std::max(first, model_->fixedRows); row <= last; ++row) {
        const int pixels = units::px(model_->heightTw(row));
        if (rows->sectionSize(row) != pixels)
            rows->resizeSection(row, pixels);
    }
    rows->setUpdatesEnabled(updates);
    if (first < model_->fixedRows)
        updateFixedRowsHeight();
}

// The fixed rows are drawn by the fixed-row strip, so the table itself hides them.
void FlexGrid::applyFixedRows(int oldFixedRows)
{
    const int fixedRows = model_->fixedRows;
    for (int row = 0; row < std::min(std::max(oldFixedRows, fixedRows) + 1, model_->rowCount()); ++row)
        setRowHidden(row, row < fixedRows);
    applyRowHeights(fixedRows, std::min(oldFixedRows, model_->rowCount()) - 1);
    updateFixedRowsHeight();
}

int FlexGrid::fixedRowsHeightPx(int rows) const
{
    int height = 0;
    for (int row = 0; row < rows; ++row)
        height += units::px(model_->heightTw(row));
    return height;
}

void FlexGrid::updateFixedRowsHeight()
{
    const int height = fixedRowsHeightPx(model_->fixedRows);
    fixedRowsView_->setFixedHeight(height);
    fixedRowsView_->setHidden(model_->fixedRows == 0);
    fixedRowsView_->viewport()->update();
    updateGeometries();
}

int FlexGrid::Row() const
{
    return row_;
}

void FlexGrid::setRow(int row)
{
    checkRow(row);
    select(row, col_, row, col_);
}

int FlexGrid::Col() const
{
    return col_;
}

void FlexGrid::setCol(int col)
{
    checkCol(col);
    select(row_, col, row_, col);
}

int FlexGrid::RowSel() const
{
    return rowSel_;
}

void FlexGrid::setRowSel(int row)
{
    checkRow(row);
    select(row_, col_, row, colSel_);
}

int FlexGrid::ColSel() const
{
    return colSel_;
}

void FlexGrid::setColSel(int col)
{
    checkCol(col);
    select(row_, col_, rowSel_, col);
}

bool FlexGrid::spansCells() const
{
    return rowSel_ != row_ || colSel_ != col_;
}

// Colouring a list moves the current cell once per cell: repaint only when what is drawn
// changes (a highlighted range, or the focus frame).
void FlexGrid::select(int row, int col, int rowSel, int colSel)
{
    const bool moved = row != row_ || col != col_;
    if (!moved && rowSel == rowSel_ && colSel == colSel_)
        return;
    const bool wasSpanning = spansCells();
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    if (wasSpanning || spansCells() || (moved && hasFocus()))
        viewport()->update();
    if (moved)
        emit RowColChange();
    emit SelChange();
}

void FlexGrid::clampSelection()
{
    const int lastRow = std::max(Rows() - 1, 0);
    const int lastCol = std::max(Cols() - 1, 0);
    select(std::min(row_, lastRow), std::min(col_, lastCol), std::min(rowSel_, lastRow), std::min(colSel_, lastCol));
}

int FlexGrid::TopRow() const
{
    flushPending();
    const int row = rowAt(0);
    return row < 0 ? model_->fixedRows : row;
}

void FlexGrid::setTopRow(int row)
{
    if (Rows() <= model_->fixedRows)
        return;
    if (row < model_->fixedRows || row >= Rows())
        throw std::out_of_range("FlexGrid: top row " + std::to_string(row) + " out of range");
    flushPending();
    verticalScrollBar()->setValue(row - model_->fixedRows);
}

std::uint32_t FlexGrid::ForeColor() const
{
    return model_->foreColor;
}

void FlexGrid::setForeColor(std::uint32_t color)
{
    model_->foreColor = color;
    viewport()->update();
}

std::uint32_t FlexGrid::BackColor() const
{
    return model_->backColor;
}

void FlexGrid::setBackColor(std::uint32_t color)
{
    model_->backColor = color;
    viewport()->update();
}

std::uint32_t FlexGrid::BackColorBkg() const
{
    return backColorBkg_;
}

void FlexGrid::setBackColorBkg(std::uint32_t color)
{
    backColorBkg_ = color;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, units::color(color));
    setPalette(pal);
}

std::uint32_t FlexGrid::CellBackColor() const
{
    checkCol(col_);
    return model_->colors(row_, col_).back;
}

void FlexGrid::setCellBackColor(std::uint32_t color)
{
    checkCol(col_);
    model_->setBack(row_, col_, color);
}

std::uint32_t FlexGrid::CellForeColor() const
{
    checkCol(col_);
    return model_->colors(row_, col_).fore;
}

void FlexGrid::setCellForeColor(std::uint32_t color)
{
    checkCol(col_);
    model_->setFore(row_, col_, color);
}

void FlexGrid::setRowBackColor(int row, int firstCol, int lastCol, std::uint32_t color)
{
    checkRow(row);
    checkCol(firstCol);
    checkCol(lastCol);
    if (lastCol >= firstCol)
        model_->setBacks(row, firstCol, lastCol, color);
}

// The cell's rectangle in pixels within the grid widget.
QRect FlexGrid::cellRect(int row, int col) const
{
    flushPending();
    const QRect area = viewport()->geometry();
    const int x = area.x() + columnViewportPosition(col);
    const int width = isColumnHidden(col) ? 0 : columnWidth(col);
    const int height = units::px(model_->heightTw(row));
    if (row < model_->fixedRows)
        return QRect(x, fixedRowsView_->geometry().y() + fixedRowsHeightPx(row), width, height);
    return QRect(x, area.y() + rowViewportPosition(row), width, height);
}

int FlexGrid::CellLeft() const
{
    checkCol(col_);
    return units::tw(cellRect(row_, col_).x());
}

int FlexGrid::CellTop() const
{
    checkCol(col_);
    return units::tw(cellRect(row_, col_).y());
}

int FlexGrid::CellWidth() const
{
    checkCol(col_);
    return units::tw(cellRect(row_, col_).width());
}

int FlexGrid::CellHeight() const
{
    checkCol(col_);
    return units::tw(cellRect(row_, col_).height());
}

bool FlexGrid::isHighlighted(int row, int col) const
{
    if (row < model_->fixedRows || col < model_->fixedCols || (row == row_ && col == col_))
        return false;
    return row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_)
        && col >= std::min(col_, colSel_) && col <= std::max(col_, colSel_);
}

bool FlexGrid::isFocusCell(int row, int col) const
{
    return row == row_ && col == col_ && row >= model_->fixedRows && hasFocus();
}

FlexGrid::Cell FlexGrid::cellAt(QPoint gridPos) const
{
    const QRect area = viewport()->geometry();
    const int col = columnAt(gridPos.x() - area.x());
    if (!fixedRowsView_->isHidden() && fixedRowsView_->geometry().contains(gridPos)) {
        int y = gridPos.y() - fixedRowsView_->geometry().y();
        for (int row = 0; row < model_->fixedRows; ++row) {
            y -= units::px(model_->heightTw(row));
            if (y < 0)
                return {row, col};
        }
        return {-1, col};
    }
    if (!area.contains(gridPos))
        return {-1, -1};
    return {rowAt(gridPos.y() - area.y()), col};
}

// The cell a selection drag reaches: outside the cells it takes the nearest one, and beyond
// the top or bottom edge it scrolls one row.
FlexGrid::Cell FlexGrid::dragCellAt(QPoint gridPos)
{
    const QRect area = viewport()->geometry();
    if (gridPos.y() < area.top() && TopRow() > model_->fixedRows)
        setTopRow(TopRow() - 1);
    else if (gridPos.y() > area.bottom())
        verticalScrollBar()->setValue(verticalScrollBar()->value() + 1);
    const QPoint inside(std::clamp(gridPos.x(), area.left(), area.right()) - area.x(),
        std::clamp(gridPos.y(), area.top(), area.bottom()) - area.y());
    int row = rowAt(inside.y());
    if (row < 0)
        row = Rows() - 1;
    int col = columnAt(inside.x());
    if (col < 0)
        col = nextVisibleCol(Cols(), -1);
    return {std::max(row, model_->fixedRows), std::max(col, 0)};
}

int FlexGrid::nextVisibleCol(int col, int step) const
{
    for (int next = col + step; next >= model_->fixedCols && next < Cols(); next += step) {
        if (!isColumnHidden(next))
            return next;
    }
    return col;
}

void FlexGrid::pressAt(QPoint gridPos, QMouseEvent* event)
{
    flushPending();
    pressed_ = true;
    doubleClicked_ = false;
    const Cell cell = cellAt(gridPos);
    mouseRow_ = cell.row;
    mouseCol_ = cell.col;
    if (event->button() == Qt::LeftButton) {
        const int fixedRows = model_->fixedRows;
        if (cell.row >= 0 && cell.col >= 0) {
            if (cell.row < fixedRows) {
                // A fixed cell selects its whole column.
                if (Rows() > fixedRows)
                    select(fixedRows, cell.col, Rows() - 1, cell.col);
            } else if (event->modifiers() & Qt::ShiftModifier) {
                select(row_, col_, cell.row, cell.col);
                dragging_ = true;
            } else {
                select(cell.row, cell.col, cell.row, cell.col);
                dragging_ = true;
            }
        }
    }
    emit MouseDown(units::mouseButtonCode(event->button()), units::shiftCode(event->modifiers()), units::tw(gridPos.x()),
        units::tw(gridPos.y()));
}

void FlexGrid::moveAt(QPoint gridPos, QMouseEvent* event)
{
    const Cell under = cellAt(gridPos);
    mouseRow_ = under.row;
    mouseCol_ = under.col;
    if (dragging_ && (event->buttons() & Qt::LeftButton)) {
        const Cell cell = dragCellAt(gridPos);
        select(row_, col_, cell.row, cell.col);
    }
    emit MouseMove(units::mouseButtonCode(event->buttons()), units::shiftCode(event->modifiers()), units::tw(gridPos.x()),
        units::tw(gridPos.y()));
}

void FlexGrid::releaseAt(QPoint gridPos, QMouseEvent* event)
{
    dragging_ = false;
    emit MouseUp(units::mouseButtonCode(event->button()), units::shiftCode(event->modifiers()), units::tw(gridPos.x()),
        units::tw(gridPos.y()));
    if (pressed_ && !doubleClicked_)
        emit Click();
    pressed_ = false;
}

void FlexGrid::doubleClickAt(QMouseEvent*)
{
    pressed_ = true;
    doubleClicked_ = true;
    emit DblClick();
}

void FlexGrid::mousePressEvent(QMouseEvent* event)
{
    pressAt(viewport()->mapTo(this, event->position().toPoint()), event);
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event)
{
    moveAt(viewport()->mapTo(this, event->position().toPoint()), event);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event)
{
    releaseAt(viewport()->mapTo(this, event->position().toPoint()), event);
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    doubleClickAt(event);
}

void FlexGrid::keyPressEvent(QKeyEvent* event)
{
    flushPending();
    const int first = model_->fixedRows;
    const int last = Rows() - 1;
    if (last < first || Cols() <= model_->fixedCols) {
        QWidget::keyPressEvent(event);
        return;
    }
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    int row = extend ? rowSel_ : row_;
    int col = extend ? colSel_ : col_;
    const int page = std::max(1, viewport()->height() / std::max(1, units::px(kDefaultRowHeightTw)) - 1);
    switch (event->key()) {
    case Qt::Key_Up: --row; break;
    case Qt::Key_Down: ++row; break;
    case Qt::Key_Left: col = nextVisibleCol(col, -1); break;
    case Qt::Key_Right: col = nextVisibleCol(col, 1); break;
    case Qt::Key_PageUp: row -= page; break;
    case Qt::Key_PageDown: row += page; break;
    case Qt::Key_Home: row = first; break;
    case Qt::Key_End: row = last; break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    row = std::clamp(row, first, last);
    col = std::clamp(col, model_->fixedCols, Cols() - 1);
    if (extend)
        select(row_, col_, row, col);
    else
        select(row, col, row, col);
    scrollTo(model_->index(row, col));
}

void FlexGrid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    emit GotFocus();
}

void FlexGrid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
    emit LostFocus();
}

// The wheel goes on to the window, whose wheel forwarding moves TopRow.
void FlexGrid::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}
