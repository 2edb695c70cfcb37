// The order sheet's outputs: the code, description and order quantity of every sheet row,
// header row included, with the quantities as the user has edited them.
#include "movements/form7.h"
#include "core/gridoutput.h"
#include "core/helpers.h"
#include "platform/flexgrid.h"

namespace {

// Columns 2 to 10 stay out of every output.
constexpr int kFirstLeftOut = Form7::ColQuantity;
constexpr int kLastLeftOut = Form7::ColSupplier;
constexpr int kRowsPerPage = 50;
const QString kTitle = QStringLiteral("Παραγγελία υλικών");

gridoutput::WorkbookLayout orderSheet(const FlexGrid& grid)
{
    gridoutput::WorkbookLayout layout;
    layout.columnWidths = {18, 54, 10};
    layout.numericColumns = {Form7::ColOrder};
    layout.cellBorders = true;
    layout.oddRowFill = QColor(220, 220, 220);
    layout.evenRowFill = QColor(255, 255, 255);
    layout.rowsPerPage = kRowsPerPage;
    // The sheet has one header for all its pages: over several pages it carries the
    // spreadsheet's page-number field, so that each page shows its own number.
    layout.headerPageNumber = grid.Rows() > kRowsPerPage;
    layout.header = layout.headerPageNumber ? kTitle + " - Σελίδα " : kTitle;
    return layout;
}

gridoutput::PrintLayout orderPrintout()
{
    gridoutput::PrintLayout layout;
    layout.fontName = "Arial";
    layout.fontSize = 11;
    layout.columns = {{Form7::ColCode, 200},
                      {Form7::ColDescription, 2500, true},
                      {Form7::ColOrder, 9500}};
    layout.trimTexts = true;
    layout.pageTitle = "    " + kTitle + " - Σελίδα ";
    layout.rowsPerPage = kRowsPerPage;
    return layout;
}

} // namespace

void Form7::XPButton1_Click()
{
    const gridoutput::ColumnFlagsGuard flags(kFirstLeftOut, kLastLeftOut);
    CopyGridToClipboard(*MSFlexGrid5);
}

void Form7::XPButton2_Click()
{
    const gridoutput::ColumnFlagsGuard flags(kFirstLeftOut, kLastLeftOut);
    gridoutput::exportToWorkbook(*MSFlexGrid5, orderSheet(*MSFlexGrid5));
}

void Form7::XPButton4_Click()
{
    gridoutput::printGrid(*MSFlexGrid5, orderPrintout(), kTitle);
}
