// The shortage list's outputs: the identifier, description, code and order columns of every
// grid row, header row included, as the user has edited and pruned them.
#include "catalogue/form8.h"
#include "core/gridoutput.h"
#include "core/helpers.h"
#include "platform/flexgrid.h"
#include <QLineEdit>

namespace {

// Columns 3 to 16 stay out of the clipboard and the workbook.
constexpr int kFirstLeftOut = 3;
constexpr int kLastLeftOut = 16;

gridoutput::WorkbookLayout shortageSheet()
{
    gridoutput::WorkbookLayout layout;
    layout.columnWidths = {5, 51, 21, 15};
    layout.numericColumns = {Form8::ColOrder};
    return layout;
}

gridoutput::PrintLayout shortagePrintout()
{
    gridoutput::PrintLayout layout;
    layout.fontName = "Tahoma Greek";
    layout.fontSize = 9;
    layout.columns = {{Form8::ColId, 0},
                      {Form8::ColDescription, 600, true},
                      {Form8::ColCode, 6500},
                      {Form8::ColOrder, 10000}};
    layout.firstPageSkipLines = 4;   // three line breaks and a line end, in the printer's font
    layout.nextPageSkipLines = 3;
    layout.bandWidth = 11500;
    layout.bandHeight = 200;
    layout.evenBand = QColor(255, 255, 255);
    layout.oddBand = QColor(200, 200, 210);
    return layout;
}

} // namespace

void Form8::XPButton2_Click()
{
    Text2->hide();
    const gridoutput::ColumnFlagsGuard flags(kFirstLeftOut, kLastLeftOut);
    CopyGridToClipboard(*MSFlexGrid1);
}

void Form8::XPButton3_Click()
{
    Text2->hide();
    const gridoutput::ColumnFlagsGuard flags(kFirstLeftOut, kLastLeftOut);
    ExportShortageListToExcel();
}

void Form8::ExportShortageListToExcel()
{
    gridoutput::exportToWorkbook(*MSFlexGrid1, shortageSheet());
}

void Form8::XPButton5_Click()
{
    PrintShortageList();
}

void Form8::PrintShortageList()
{
    gridoutput::printGrid(*MSFlexGrid1, shortagePrintout(), "Ελλείψεις");
}
