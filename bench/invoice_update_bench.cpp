// The invoice update of 5,000 pasted rows against 30,000 materials, beside the bare SQLite
// look-ups and updates of the same codes in one transaction; and an invoice of 20,000 codes
// the catalogue lacks, updated and inserted as new materials, beside the bare look-ups and
// inserts of the same rows and beside the bare inserts alone. Each pair runs in the same
// process, so that the ratio of the two holds on a noisy machine.

#include "core/globals.h"
#include "movements/form5.h"
#include "support/testenv.h"
#include "bare.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <memory>

namespace {

constexpr int kMaterials = 30000;
constexpr int kInvoiceRows = 5000;
constexpr int kNewCodes = 20000;

QString materialCode(int i)
{
    return QString("MAT-%1").arg(i, 5, 10, QChar('0'));
}

void fillMaterials()
{
    testenv::DataFolder::exec(gConnStock, "begin");
    for (int i = 0; i < kMaterials; ++i)
        testenv::DataFolder::exec(gConnStock,
            QString("insert into protesyles (Perigrafi, kodikos, mystock, minstock, exeielegxo) "
                    "values ('Material %1', '%2', %3, 5, 1)")
                .arg(i).arg(materialCode(i)).arg(i % 40));
    testenv::DataFolder::exec(gConnStock, "commit");
}

struct InvoiceRow {
    QString code;
    int quantity;
};

// 5,000 rows spread over the catalogue; one in fifty with a code it lacks.
QVector<InvoiceRow> invoiceRows()
{
    QVector<InvoiceRow> rows;
    for (int n = 0; n < kInvoiceRows; ++n) {
        const QString code = n % 50 == 0 ? QString("NEW-%1").arg(n) : materialCode((n * 7919) % kMaterials);
        rows.push_back({code, 1 + n % 12});
    }
    return rows;
}

// The clipboard text: code, quantity and a description of three letters (which leaves the
// catalogue's descriptions alone), tab-separated, CR LF rows.
QString invoiceText(const QVector<InvoiceRow>& rows)
{
    QString text;
    for (const InvoiceRow& row : rows)
        text += row.code + '\t' + QString::number(row.quantity) + "\tabc\r\n";
    return text;
}

// 20,000 rows, each a code the catalogue lacks.
QVector<InvoiceRow> newCodeRows()
{
    QVector<InvoiceRow> rows;
    for (int n = 0; n < kNewCodes; ++n)
        rows.push_back({QString("NEW-%1").arg((n * 7919) % kNewCodes, 5, 10, QChar('0')), 1 + n % 12});
    return rows;
}

// Takes the new materials out again, so that every round starts from the same catalogue.
void removeNewMaterials()
{
    testenv::DataFolder::exec(gConnStock, "delete from protesyles where kodikos like 'NEW-%'");
}

struct Setup {
    testenv::DataFolder data;
    testenv::Boxes boxes;
    QVector<InvoiceRow> rows;
    QString text;
    QVector<InvoiceRow> newRows;
    QString newText;
    Setup()
    {
        fillMaterials();
        rows = invoiceRows();
        text = invoiceText(rows);
        newRows = newCodeRows();
        newText = invoiceText(newRows);
    }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

void BM_InvoiceUpdate(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<Form5>();
        QApplication::clipboard()->setText(s.text);
        form->XPButton1_Click();
        form->Combo1[Form5::QuantityColumn]->setCurrentIndex(1);
        form->Combo1[Form5::DescriptionColumn]->setCurrentIndex(3);
        state.ResumeTiming();
        form->XPButton3_Click();
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = kInvoiceRows;
}

// The same statements with the C API alone: each code looked up with its whole row, each
// found row's stock written back by rowid, all in one transaction.
void BM_BareUpdate(benchmark::State& state)
{
    Setup& s = setup();
    sqlite3* handle = gConnStock.handle();
    const bare::CodeLookup lookup(handle);
    const bare::Statement update(handle, "update protesyles set mystock=? where rowid=?");
    for (auto _ : state) {
        double sum = 0;
        sqlite3_exec(handle, "begin", nullptr, nullptr, nullptr);
        for (const InvoiceRow& row : s.rows) {
            if (lookup.find(row.code)) {
                sqlite3_stmt* select = lookup.statement();
                sum += bare::readRow(select);
                const sqlite3_int64 rowid = sqlite3_column_int64(select, 0);
                const double stock = sqlite3_column_double(select, 11);
                sqlite3_bind_double(update.get(), 1, stock + row.quantity);
                sqlite3_bind_int64(update.get(), 2, rowid);
                sqlite3_step(update.get());
                update.reset();
            }
            lookup.done();
        }
        sqlite3_exec(handle, "commit", nullptr, nullptr, nullptr);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["rows"] = kInvoiceRows;
}

// The update that lists 20,000 new codes, then their insert; the window closes itself.
void BM_InvoiceNewCodes(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state) {
        state.PauseTiming();
        auto* form = new Form5;
        QApplication::clipboard()->setText(s.newText);
        form->XPButton1_Click();
        form->Combo1[Form5::QuantityColumn]->setCurrentIndex(1);
        form->Combo1[Form5::DescriptionColumn]->setCurrentIndex(3);
        state.ResumeTiming();
        form->XPButton3_Click();
        form->XPButton4_Click();
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        removeNewMaterials();
        state.ResumeTiming();
    }
    state.counters["rows"] = kNewCodes;
}

// The same rows with the C API alone: each code looked up and not found in one transaction.
int bareLookups(sqlite3* handle, const QVector<InvoiceRow>& rows)
{
    int missing = 0;
    const bare::CodeLookup lookup(handle);
    sqlite3_exec(handle, "begin", nullptr, nullptr, nullptr);
    for (const InvoiceRow& row : rows) {
        if (!lookup.find(row.code))
            ++missing;
        lookup.done();
    }
    sqlite3_exec(handle, "commit", nullptr, nullptr, nullptr);
    return missing;
}

// Each row inserted with the fields a new material gets, in one transaction.
void bareInserts(sqlite3* handle, const QVector<InvoiceRow>& rows)
{
    const bare::Statement insert(handle,
                                 "insert into protesyles (kodikos, mystock, Perigrafi, Axia, promitheftis, minstock, "
                                 "maxstock, exeielegxo, typosyli) values (?, ?, ?, 0, 0, 0, 0, 0, 0)");
    sqlite3_exec(handle, "begin", nullptr, nullptr, nullptr);
    for (const InvoiceRow& row : rows) {
        insert.bindText(1, row.code);
        sqlite3_bind_double(insert.get(), 2, row.quantity);
        sqlite3_bind_text(insert.get(), 3, "abc", 3, SQLITE_STATIC);
        sqlite3_step(insert.get());
        insert.reset();
    }
    sqlite3_exec(handle, "commit", nullptr, nullptr, nullptr);
}

// The look-ups, then the inserts.
void BM_BareNewCodes(benchmark::State& state)
{
    Setup& s = setup();
    sqlite3* handle = gConnStock.handle();
    for (auto _ : state) {
        const int missing = bareLookups(handle, s.newRows);
        bareInserts(handle, s.newRows);
        state.PauseTiming();
        removeNewMaterials();
        state.ResumeTiming();
        benchmark::DoNotOptimize(missing);
    }
    state.counters["rows"] = kNewCodes;
}

// The inserts alone.
void BM_BareNewCodeInserts(benchmark::State& state)
{
    Setup& s = setup();
    sqlite3* handle = gConnStock.handle();
    for (auto _ : state) {
        bareInserts(handle, s.newRows);
        state.PauseTiming();
        removeNewMaterials();
        state.ResumeTiming();
    }
    state.counters["rows"] = kNewCodes;
}

BENCHMARK(BM_InvoiceUpdate)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareUpdate)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_InvoiceNewCodes)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareNewCodes)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareNewCodeInserts)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
