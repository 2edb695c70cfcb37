// The materials list's refill at 30,000 and 300,000 materials in each of its three orders,
// beside the bare SQLite work of the same query (prepared once, each row stepped and every
// column read once), so that the ratio of the two holds on a noisy machine. The orders by description and code sort
// through the program's collation; the bare query of each runs once with it, as the list's
// query does, and once in SQLite's own binary order, which shows what the collation costs.

#include "catalogue/form3.h"
#include "core/globals.h"
#include "platform/collation.h"
#include "support/testenv.h"
#include "bare.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// The header X (twips) that sorts by identifier, description and code.
constexpr int kHeaderX[] = {100, 3000, 8000};
const QString kQueries[] = {
    "select * from protesyles order by ID",
    "select * from protesyles order by " + collation::orderBy("perigrafi"),
    "select * from protesyles order by " + collation::orderBy("kodikos"),
};
const QString kBinaryQueries[] = {
    kQueries[0],
    "select * from protesyles order by perigrafi",
    "select * from protesyles order by kodikos",
};

struct Setup {
    testenv::DataFolder data;
    testenv::Boxes boxes;
    int materials = 0;
    std::unique_ptr<Form3> form;

    // Stock-controlled materials, one in ten short and one in ten below its minimum.
    void fill(int count)
    {
        if (count == materials)
            return;
        form.reset();
        testenv::DataFolder::exec(gConnStock, "delete from protesyles; begin");
        for (int i = 0; i < count; ++i)
            testenv::DataFolder::exec(gConnStock,
                "insert into protesyles (Perigrafi, kodikos, kodikos2, Axia, mystock, minstock, maxstock, "
                "exeielegxo, promitheftis, typosyli, stoixeia2, tmpNum1) "
                "values (?, ?, ?, 12.5, ?, 5, 40, 1, ?, 2, 'σχόλιο', 10)",
                {QString("Υλικό %1 προφίλ λευκό").arg((i * 7919) % count),
                 QString("MAT-%1").arg((i * 104729) % count, 6, 10, QChar('0')), QString("R%1").arg(i % 97),
                 i % 10 == 0 ? -1.5 : i % 10 == 1 ? 2.25 : 17.0, i % 30});
        testenv::DataFolder::exec(gConnStock, "commit");
        materials = count;
        form = std::make_unique<Form3>();
    }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

void BM_Refill(benchmark::State& state)
{
    Setup& s = setup();
    s.fill(int(state.range(0)));
    const int order = int(state.range(1));
    for (auto _ : state) {
        s.form->MSFlexGrid1_MouseDown(1, 0, kHeaderX[order], 100);
        QCoreApplication::processEvents();   // the grid takes in its new rows
    }
    state.counters["materials"] = double(s.materials);
}

void bareQuery(benchmark::State& state, const QString& query)
{
    Setup& s = setup();
    s.fill(int(state.range(0)));
    const bare::Statement stmt(gConnStock.handle(), query.toUtf8().constData());
    for (auto _ : state) {
        double read = 0;
        while (sqlite3_step(stmt.get()) == SQLITE_ROW)
            read += bare::readRow(stmt.get());
        stmt.reset();
        benchmark::DoNotOptimize(read);
    }
    state.counters["materials"] = double(s.materials);
}

void BM_BareQuery(benchmark::State& state)
{
    bareQuery(state, kQueries[state.range(1)]);
}

void BM_BareBinaryQuery(benchmark::State& state)
{
    bareQuery(state, kBinaryQueries[state.range(1)]);
}

// Each refill registered beside its bare query, so that the two run one after the other.
[[maybe_unused]] const bool registered = [] {
    for (int materials : {30000, 300000}) {
        for (int order = 0; order < 3; ++order) {
            benchmark::RegisterBenchmark("BM_Refill", BM_Refill)->Args({materials, order})->Unit(benchmark::kMillisecond)->MinTime(1.0);
            benchmark::RegisterBenchmark("BM_BareQuery", BM_BareQuery)->Args({materials, order})->Unit(benchmark::kMillisecond)->MinTime(1.0);
            if (order > 0)
                benchmark::RegisterBenchmark("BM_BareBinaryQuery", BM_BareBinaryQuery)->Args({materials, order})->Unit(benchmark::kMillisecond)->MinTime(1.0);
        }
    }
    return true;
}();

} // namespace
