// The shortage list at 30,000 materials, 10,000 of them short: its fill beside the bare
// SQLite step over the same query, and its printout and workbook of those 10,000 rows
// beside QPainter and libxlsxwriter used directly on the same texts. Each pair runs in the
// same process, so the ratio holds on a noisy machine.

#include "catalogue/form8.h"
#include "core/globals.h"
#include "core/gridoutput.h"
#include "platform/flexgrid.h"
#include "platform/printerpage.h"
#include "platform/workbook.h"
#include "support/testenv.h"
#include "bare.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <xlsxwriter.h>
#include <array>
#include <memory>
#include <vector>

namespace {

constexpr int kMaterials = 30000;
constexpr int kShort = 10000;   // every third material is below its minimum

void fillMaterials()
{
    testenv::DataFolder::exec(gConnStock, "begin");
    for (int i = 0; i < kMaterials; ++i)
        testenv::DataFolder::exec(gConnStock,
            QString("insert into protesyles (Perigrafi, kodikos, monadametr, promitheftis, mystock,"
                    " minstock, maxstock, tmpNum1, exeielegxo) values ('Προφίλ αλουμινίου %1',"
                    " 'MAT-%1', %2, %3, %4, 5, 20, 10, 1)")
                .arg(i).arg(i % 3).arg(i % 30).arg(i % 3 == 0 ? 2 : 10));
    testenv::DataFolder::exec(gConnStock, "commit");
}

struct Setup {
    testenv::DataFolder data;
    testenv::Boxes boxes;
    QWidget owner;
    std::unique_ptr<Form8> form;
    std::vector<std::array<QString, 4>> texts;   // the four printed columns of every row
    QTemporaryDir dir;
    Setup()
    {
        fillMaterials();
        form = std::make_unique<Form8>(&owner);
        const FlexGrid& grid = *form->MSFlexGrid1;
        for (int r = 0; r < grid.Rows(); ++r)
            texts.push_back({grid.TextMatrix(r, Form8::ColId), grid.TextMatrix(r, Form8::ColDescription),
                             grid.TextMatrix(r, Form8::ColCode), grid.TextMatrix(r, Form8::ColOrder)});
    }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

const char* const kQuery = "select * from protesyles where exeielegxo=True and mystock<minstock order by ID";

void BM_ShortageFill(benchmark::State& state)
{
    Setup& s = setup();
    for (auto _ : state) {
        s.form->FillShortageGrid();
        QCoreApplication::processEvents();   // the grid takes in its new rows
    }
    state.counters["rows"] = s.form->MSFlexGrid1->Rows() - 1;
}

// The same statement stepped with the C API, every field of every row read.
void BM_BareShortageQuery(benchmark::State& state)
{
    Setup& s = setup();
    const bare::Statement query(gConnStock.handle(), kQuery);
    int rows = 0;
    for (auto _ : state) {
        double read = 0;
        rows = 0;
        for (; sqlite3_step(query.get()) == SQLITE_ROW; ++rows)
            read += bare::readRow(query.get());
        query.reset();
        benchmark::DoNotOptimize(read);
    }
    (void)s;
    state.counters["rows"] = rows;
}

gridoutput::PrintLayout printout()
{
    gridoutput::PrintLayout layout;
    layout.fontName = "Tahoma Greek";
    layout.fontSize = 9;
    layout.columns = {{Form8::ColId, 0}, {Form8::ColDescription, 600, true},
                      {Form8::ColCode, 6500}, {Form8::ColOrder, 10000}};
    layout.firstPageSkipLines = 4;
    layout.nextPageSkipLines = 3;
    layout.bandWidth = 11500;
    layout.bandHeight = 200;
    layout.evenBand = Qt::white;
    layout.oddBand = QColor(200, 200, 210);
    return layout;
}

void BM_Printout(benchmark::State& state)
{
    Setup& s = setup();
    const QString path = s.dir.filePath("list.pdf");
    for (auto _ : state) {
        auto page = PrinterPage::pdf(path);
        gridoutput::printRows(*page, *s.form->MSFlexGrid1, printout());
        page->EndDoc();
    }
    state.counters["rows"] = double(s.texts.size());
}

// The same page drawn with QPainter alone: the same texts at the same places on the same bands.
void BM_BarePainterPrintout(benchmark::State& state)
{
    Setup& s = setup();
    const QString path = s.dir.filePath("bare.pdf");
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        QPainter painter(&printer);
        const double scale = printer.resolution() / 1440.0;
        const double pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
        QFont font("Tahoma Greek");
        font.setPointSizeF(9);
        painter.setFont(font);
        const QFontMetricsF metrics(font, &printer);
        const double line = metrics.lineSpacing();
        const double band = 200 * scale;
        const double xs[] = {0, 600 * scale, 6500 * scale, 10000 * scale};
        double y = 4 * QFontMetricsF(QFont("Arial", 10), &printer).lineSpacing();
        for (std::size_t r = 0; r < s.texts.size(); ++r) {
            if (r > 0 && y + std::max(band, line) > pageHeight) {
                printer.newPage();
                y = 3 * line;
            }
            painter.fillRect(QRectF(0, y, 11500 * scale, band), r % 2 ? QColor(200, 200, 210) : Qt::white);
            for (int c = 0; c < 4; ++c)
                painter.drawText(QPointF(xs[c], y + metrics.ascent()), s.texts[r][std::size_t(c)]);
            y += line;
        }
        painter.end();
    }
    state.counters["rows"] = double(s.texts.size());
}

void BM_Workbook(benchmark::State& state)
{
    Setup& s = setup();
    const QString path = s.dir.filePath("list.xlsx");
    gridoutput::WorkbookLayout layout;
    layout.columnWidths = {5, 51, 21, 15};
    layout.numericColumns = {Form8::ColOrder};
    for (auto _ : state) {
        const gridoutput::ColumnFlagsGuard flags(3, 16);
        gridoutput::buildWorkbook(*s.form->MSFlexGrid1, layout).save(path);
    }
    state.counters["rows"] = double(s.texts.size());
}

// The same sheet written with libxlsxwriter alone: texts, quantities as numbers, widths.
void BM_BareXlsxwriter(benchmark::State& state)
{
    Setup& s = setup();
    const QByteArray path = s.dir.filePath("bare.xlsx").toLocal8Bit();
    for (auto _ : state) {
        lxw_workbook* book = workbook_new(path.constData());
        lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
        const double widths[] = {5, 51, 21, 15};
        for (int c = 0; c < 4; ++c)
            worksheet_set_column(sheet, lxw_col_t(c), lxw_col_t(c), widths[c], nullptr);
        for (std::size_t r = 0; r < s.texts.size(); ++r) {
            for (int c = 0; c < 3; ++c)
                worksheet_write_string(sheet, lxw_row_t(r), lxw_col_t(c), s.texts[r][std::size_t(c)].toUtf8().constData(),
                                       nullptr);
            bool number = false;
            const double quantity = QLocale().toDouble(s.texts[r][3], &number);
            if (number)
                worksheet_write_number(sheet, lxw_row_t(r), 3, quantity, nullptr);
            else
                worksheet_write_string(sheet, lxw_row_t(r), 3, s.texts[r][3].toUtf8().constData(), nullptr);
        }
        workbook_close(book);
    }
    state.counters["rows"] = double(s.texts.size());
}

BENCHMARK(BM_ShortageFill)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareShortageQuery)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Printout)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_BarePainterPrintout)->Unit(benchmark::kMillisecond)->MinTime(3.0);
BENCHMARK(BM_Workbook)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareXlsxwriter)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
