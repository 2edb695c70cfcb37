// The job analysis of a 5,000-line job against 20,000 materials, beside the bare SQLite
// look-ups of the same codes, so that the ratio of the two holds on a noisy machine.

#include "core/globals.h"
#include "core/jobimport.h"
#include "movements/form1.h"
#include "support/testenv.h"
#include "bare.h"

#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int kMaterials = 20000;
constexpr int kJobLines = 5000;

QString materialCode(int i)
{
    return QString("MAT-%1").arg(i, 5, 10, QChar('0'));
}

// 20,000 materials, one in ten without stock control.
void fillMaterials()
{
    testenv::DataFolder::exec(gConnStock, "begin");
    for (int i = 0; i < kMaterials; ++i)
        testenv::DataFolder::exec(gConnStock,
            QString("insert into protesyles (Perigrafi, kodikos, mystock, minstock, exeielegxo, tmpNum1, promitheftis) "
                    "values ('Material %1', '%2', %3, 5, %4, 10, %5)")
                .arg(i).arg(materialCode(i)).arg(i % 40).arg(i % 10 == 0 ? 0 : 1).arg(i % 30));
    testenv::DataFolder::exec(gConnStock, "commit");
}

// 5,000 job lines spread over the catalogue; one in fifty with a code it lacks.
QStringList jobLines()
{
    QStringList lines;
    for (int n = 0; n < kJobLines; ++n) {
        const QString code = n % 50 == 0 ? QString("NEW-%1").arg(n) : materialCode((n * 7919) % kMaterials);
        lines << QString(20, u' ') + code.leftJustified(20, u' ') + QString("Job line %1").arg(n).leftJustified(50, u' ')
                + QString::number(1 + n % 12).rightJustified(10, u' ') + " 01";
    }
    return lines;
}

QStringList jobCodes(const QStringList& lines)
{
    QStringList codes;
    for (const QString& line : lines)
        codes << line.mid(20, 20).trimmed();
    return codes;
}

struct Setup {
    testenv::DataFolder data;
    testenv::Boxes boxes;
    QStringList lines;
    QStringList codes;
    Setup()
    {
        fillMaterials();
        lines = jobLines();
        codes = jobCodes(lines);
    }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

void BM_JobAnalysis(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<Form1>();
        form->List1->addItems(s.lines);
        state.ResumeTiming();
        form->Check1->setChecked(true);
        QCoreApplication::processEvents();   // the grids take in their new rows
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.counters["lines"] = kJobLines;
}

// The same look-ups with the C API alone: one prepared statement, each code bound, its row
// read.
void BM_BareLookups(benchmark::State& state)
{
    Setup& s = setup();
    const bare::CodeLookup lookup(gConnStock.handle());
    for (auto _ : state) {
        double sum = 0;
        for (const QString& code : s.codes) {
            if (lookup.find(code))
                sum += bare::readRow(lookup.statement());
            lookup.done();
        }
        benchmark::DoNotOptimize(sum);
    }
    state.counters["lines"] = kJobLines;
}

BENCHMARK(BM_JobAnalysis)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareLookups)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
