// Filling a list grid the way the windows do (Rows raised once per row, every cell written,
// some rows coloured cell by cell through the current cell), beside the bare work of
// holding the same texts in a vector, so the figure is a ratio that holds on a noisy machine.
// Removing a selected run of rows from a shown grid, beside the same removal from a bare
// table model under a plain table view.

#include "platform/flexgrid.h"
#include "platform/units.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QStringList>
#include <QTableView>
#include <benchmark/benchmark.h>
#include <map>
#include <vector>

namespace {

constexpr int kCols = 14;
constexpr std::uint32_t kShortage = units::RGB(255, 128, 128);

// Material-like rows: a four-digit identifier, texts and numbers.
const std::vector<QStringList>& sourceRows(int count)
{
    static std::map<int, std::vector<QStringList>> cache;
    auto& rows = cache[count];
    if (rows.empty()) {
        rows.reserve(std::size_t(count));
        for (int r = 0; r < count; ++r) {
            QStringList row;
            row << QString::number(r + 1).rightJustified(4, '0') << QString("Profil %1 leuko").arg(r)
                << QString("K%1").arg(r * 7) << "" << "" << "" << "" << "0" << "0" << QString::number(r % 30)
                << QString::number(r % 11 - 2) << "5" << "20" << (r % 3 ? "ok" : "--");
            rows.push_back(row);
        }
    }
    return rows;
}

bool isShort(int r)
{
    return r % 10 == 0;
}

void BM_FlexGridFill(benchmark::State& state)
{
    const auto& data = sourceRows(int(state.range(0)));
    FlexGrid grid;
    grid.setCols(kCols + 1);
    grid.resize(1000, 700);
    grid.show();
    QCoreApplication::processEvents();

    for (auto _ : state) {
        grid.setRows(1);
        grid.setRows(2);
        int r = 1;
        for (const QStringList& cells : data) {
            for (int c = 0; c < kCols; ++c)
                grid.setTextMatrix(r, c, cells[c]);
            grid.setRowHeight(r, 315);
            if (isShort(r)) {
                for (int c = 0; c < kCols; ++c) {
                    grid.setRow(r);
                    grid.setCol(c);
                    grid.setCellBackColor(kShortage);
                }
            }
            ++r;
            grid.setRows(r + 1);
        }
        grid.setRows(grid.Rows() - 1);
        // The batched row notice, the layout and the repaint of the shown grid.
        QCoreApplication::processEvents();
    }
    if (grid.model()->rowCount() != grid.Rows())
        state.SkipWithError("the grid's view did not take the rows in");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_BareRowsFill(benchmark::State& state)
{
    const auto& data = sourceRows(int(state.range(0)));
    for (auto _ : state) {
        std::vector<QStringList> rows;
        std::vector<std::uint32_t> colours;
        rows.emplace_back();
        int r = 1;
        for (const QStringList& cells : data) {
            QStringList row;
            for (int c = 0; c < kCols; ++c)
                row.append(cells[c]);
            rows.push_back(std::move(row));
            if (isShort(r))
                colours.insert(colours.end(), kCols, kShortage);
            ++r;
        }
        benchmark::DoNotOptimize(rows.data());
        benchmark::DoNotOptimize(colours.data());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Rows removed from the second data row to the one before the last, as a selection's Delete does.
void BM_FlexGridRemoveRun(benchmark::State& state)
{
    const int rows = int(state.range(0));
    FlexGrid grid;
    grid.setCols(kCols);
    grid.resize(1000, 700);
    grid.show();
    for (auto _ : state) {
        state.PauseTiming();
        grid.setRows(1 + rows);
        for (int r = 1; r <= rows; ++r)
            grid.setTextMatrix(r, 0, QString::number(r));
        QCoreApplication::processEvents();
        state.ResumeTiming();
        grid.RemoveItems(2, rows - 1);
        QCoreApplication::processEvents();
    }
    if (grid.Rows() != 3 || grid.model()->rowCount() != 3)
        state.SkipWithError("the run was not removed");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A table of texts with nothing of its own, removing a run in one notice.
class BareModel final : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = {}) const override { return int(rows_.size()); }
    int columnCount(const QModelIndex& = {}) const override { return kCols; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole && index.column() == 0 ? rows_[std::size_t(index.row())] : QVariant();
    }
    void fill(int rows)
    {
        beginResetModel();
        rows_.clear();
        for (int r = 0; r <= rows; ++r)
            rows_.push_back(QString::number(r));
        endResetModel();
    }
    void removeRun(int first, int last)
    {
        beginRemoveRows({}, first, last);
        rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
        endRemoveRows();
    }

private:
    std::vector<QString> rows_;
};

void BM_BareModelRemoveRun(benchmark::State& state)
{
    const int rows = int(state.range(0));
    BareModel model;
    QTableView view;
    view.setModel(&model);
    view.resize(1000, 700);
    view.show();
    for (auto _ : state) {
        state.PauseTiming();
        model.fill(rows);
        QCoreApplication::processEvents();
        state.ResumeTiming();
        model.removeRun(2, rows - 1);
        QCoreApplication::processEvents();
    }
    if (model.rowCount() != 3)
        state.SkipWithError("the run was not removed");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_FlexGridFill)->Arg(1000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareRowsFill)->Arg(1000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FlexGridRemoveRun)->Arg(16000)->Arg(64000)->Arg(256000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareModelRemoveRun)->Arg(16000)->Arg(64000)->Arg(256000)->Unit(benchmark::kMillisecond);

} // namespace
