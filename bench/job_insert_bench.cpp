// The insert of 5,000 new codes from a job (the job window's Insert) into a catalogue of
// 30,000 materials, beside bare SQLite inserts of the same rows in one transaction, so that
// the ratio of the two holds on a noisy machine.

#include "core/globals.h"
#include "movements/form1.h"
#include "platform/flexgrid.h"
#include "support/testenv.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <memory>

namespace {

constexpr int kMaterials = 30000;
constexpr int kNewCodes = 5000;

void fillMaterials()
{
    testenv::DataFolder::exec(gConnStock, "begin");
    for (int i = 0; i < kMaterials; ++i)
        testenv::DataFolder::exec(gConnStock,
            QString("insert into protesyles (Perigrafi, kodikos, mystock, exeielegxo) values ('Υλικό %1', 'MAT-%1', 5, 1)")
                .arg(i));
    testenv::DataFolder::exec(gConnStock, "commit");
}

QString newCode(int n)
{
    return QString("ΝΕΟ-%1").arg(n, 5, 10, QChar('0'));
}

QString newDescription(int n)
{
    return QString("Νέο υλικό της εργασίας %1").arg(n);
}

void removeNewCodes()
{
    testenv::DataFolder::exec(gConnStock, QString("delete from protesyles where ID > %1").arg(kMaterials));
}

struct Setup {
    testenv::DataFolder data;
    testenv::Boxes boxes;
    Setup() { fillMaterials(); }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

// A job window whose tab 0 holds the new codes, as the analysis leaves it.
std::unique_ptr<Form1> jobWindowWithNewCodes()
{
    auto form = std::make_unique<Form1>();
    FlexGrid* grid = form->MSFlexGrid1[0];
    grid->setRows(kNewCodes + 1);
    for (int r = 1; r <= kNewCodes; ++r) {
        grid->setTextMatrix(r, Form1::ColCode, newCode(r));
        grid->setTextMatrix(r, Form1::ColDescription, newDescription(r));
        grid->setTextMatrix(r, Form1::ColQuantity, "1");
        grid->setTextMatrix(r, Form1::ColKind, "1");
    }
    return form;
}

void BM_JobInsert(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state) {
        state.PauseTiming();
        auto form = jobWindowWithNewCodes();
        state.ResumeTiming();
        form->Command2_Click();
        QCoreApplication::processEvents();   // the grids take in their new rows
        state.PauseTiming();
        if (form->MSFlexGrid1[0]->Rows() != 1 || s.boxes.count() != 0)
            state.SkipWithError("not every code was stored");
        form.reset();
        removeNewCodes();
        state.ResumeTiming();
    }
    state.counters["rows"] = kNewCodes;
}

// The same rows and fields, inserted with one prepared statement in one transaction.
void BM_BareInserts(benchmark::State& state)
{
    setup();
    sqlite3* handle = gConnStock.handle();
    for (auto _ : state) {
        sqlite3_exec(handle, "begin", nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(handle,
            "insert into protesyles (Perigrafi, kodikos, kodikos2, Axia, Axia2, nomisma, typosyli, monadametr, "
            "promitheftis, mystock, minstock, maxstock, exeielegxo) values (?, ?, '', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)",
            -1, &stmt, nullptr);
        for (int r = 1; r <= kNewCodes; ++r) {
            const QByteArray description = newDescription(r).toUtf8();
            const QByteArray code = newCode(r).toUtf8();
            sqlite3_bind_text(stmt, 1, description.constData(), int(description.size()), SQLITE_TRANSIENT);
            sqlite3_bind_text(stmt, 2, code.constData(), int(code.size()), SQLITE_TRANSIENT);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(handle, "commit", nullptr, nullptr, nullptr);
        state.PauseTiming();
        removeNewCodes();
        state.ResumeTiming();
    }
    state.counters["rows"] = kNewCodes;
}

BENCHMARK(BM_JobInsert)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareInserts)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
