#include "movements/form7.h"
#include "core/application.h"

#include "catalogue/supplier_record.h"
#include "controls/xpbutton.h"
#include "core/jobimport.h"
#include "core/language.h"
#include "core/mdiform1.h"
#include "movements/form1.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/flexgrid.h"
#include "platform/messagebox.h"
#include "platform/units.h"

#include <QComboBox>
#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <array>

namespace {

constexpr std::uint32_t kBackColor = 0xFFC0C0;
constexpr std::uint32_t kGridTextColor = 0x400000;
constexpr std::uint32_t kEditorBackColor = 0xC0FFFF;
constexpr std::uint32_t kEditorTextColor = 0x0000FF;
constexpr int kRowHeight = 315;
constexpr int kKeyEscape = 27;
constexpr int kKeyEnter = 13;

XPButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top)
{
    return XPButton::createDesigned(parent, name, caption, left, top, 2175, 1215);
}

// A header text from the language table; a table that cannot be read shows the key as
// a missing key shows.
QString headerText(const char* key)
{
    try {
        return TranslateText(key);
    } catch (const db::DatabaseError&) {
        return QString(key).toUpper();
    }
}

// The key code of a key event as the keyboard reports it to a text box's KeyUp.
int keyCode(const QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    default: return event->key();
    }
}

} // namespace

Form7::Form7(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Form7");
    setFont(QFont("Tahoma"));
    resize(units::pxSize(kWidthTw, kHeightTw));
    units::setBackColor(this, kBackColor);
    buildControls();
    Form_Load();
}

Form7::~Form7()
{
    // The editor goes after this object's own part: its last events may not reach it.
    Text1->removeEventFilter(this);
}

void Form7::buildControls()
{
    MSFlexGrid5 = new FlexGrid(this);
    MSFlexGrid5->setObjectName("MSFlexGrid5");
    MSFlexGrid5->setGeometry(units::pxRect(120, 840, 12135, 9495));
    MSFlexGrid5->setCols(kColumns);
    MSFlexGrid5->setRows(2);
    MSFlexGrid5->setFixedRows(1);
    MSFlexGrid5->setFixedCols(0);
    MSFlexGrid5->setForeColor(kGridTextColor);
    MSFlexGrid5->setAccessibleName("Παραγγελία υλικών");

    Combo5 = new QComboBox(this);
    Combo5->setObjectName("Combo5");
    Combo5->setGeometry(units::pxRect(1800, 240, 3615, 315));
    Combo5->setAccessibleName("Προμηθευτής");

    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setAccessibleName("Ποσότητα παραγγελίας");
    units::setBackColor(Text1, kEditorBackColor);
    QPalette palette = Text1->palette();
    palette.setColor(QPalette::Base, units::color(kEditorBackColor));
    palette.setColor(QPalette::Text, units::color(kEditorTextColor));
    Text1->setPalette(palette);
    Text1->hide();
    Text1->installEventFilter(this);

    XPButton4 = button(this, "XPButton4", "~Ektyposi", 12600, 840);
    XPButton1 = button(this, "XPButton1", "~Antigrafi", 12600, 2160);
    XPButton2 = button(this, "XPButton2", "Excel", 12600, 3480);
    XPButton3 = button(this, "XPButton3", "PDF", 12600, 4800);
    Command1 = button(this, "Command1", "~Epistrofi", 12720, 8880);

    connect(Combo5, qOverload<int>(&QComboBox::activated), this, reportingFailures([this] { Combo5_Click(); }));
    connect(MSFlexGrid5, &FlexGrid::Click, this, reportingFailures(this, &Form7::MSFlexGrid5_Click));
    connect(XPButton1, &XPButton::Click, this, reportingFailures(this, &Form7::XPButton1_Click));
    connect(XPButton2, &XPButton::Click, this, reportingFailures(this, &Form7::XPButton2_Click));
    connect(XPButton4, &XPButton::Click, this, reportingFailures(this, &Form7::XPButton4_Click));
    connect(Command1, &XPButton::Click, this, reportingFailures(this, &Form7::Command1_Click));
}

void Form7::ShowSheet()
{
    if (Form7* open = instance()) {
        if (auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget())) {
            sub->raise();
            if (QMdiArea* area = sub->mdiArea())
                area->setActiveSubWindow(sub);
        } else {
            open->raise();
            open->activateWindow();
        }
        return;
    }
    // At the work area's top left corner.
    auto* form = new Form7;
    if (MDIForm1* main = MDIForm1::instance())
        main->showChild(form, 0, 0, kWidthTw, kHeightTw);
    else {
        form->move(0, 0);
        form->show();
    }
}

void Form7::Form_Load()
{
    TranslateForm(this);
    SetupOrderGrid();
}

void Form7::SetupOrderGrid()
{
    FlexGrid* grid = MSFlexGrid5;
    const std::array<int, kColumns> widths {2300, 7000, 1200, 1, 1, 1, 1, 1, 1, 1, 1, 1200};
    for (int c = 0; c < kColumns; ++c)
        grid->setColWidth(c, widths[std::size_t(c)]);
    grid->setColAlignment(ColCode, 1);
    grid->setColAlignment(ColDescription, 1);
    grid->setColAlignment(ColQuantity, 7);
    grid->setColAlignment(ColKind, 7);
    const std::array<QString, kColumns> headers {
        headerText("kodikos"), headerText("Perigrafi"), "Απαιτούνται", headerText("Eidos"), QString(),
        "Stock", "Min", "Rest", "X", "Order", "IDpro", "Παραγγελία"};
    for (int c = 0; c < kColumns; ++c)
        grid->setTextMatrix(0, c, headers[std::size_t(c)]);
    grid->setRowHeight(0, kRowHeight);

    fillSupplierFilter();
    selectSupplierEntry(0);
}

// " - " for every supplier, then the supplier choice list; a table that cannot be read
// leaves only " - " and says so.
void Form7::fillSupplierFilter()
{
    Combo5->clear();
    Combo5->addItems(supplier::choiceListOrNone());
}

void Form7::selectSupplierEntry(int index)
{
    Combo5->setCurrentIndex(index);
    Combo5_Click();
}

void Form7::Combo5_Click()
{
    Fill();
}

// The sheet anew from the job window's stock tab: the rows of the ticked classes (and of
// the chosen supplier), each with its order quantity. Edited quantities are discarded.
void Form7::Fill()
{
    hideEditor();
    const Form1* job = Form1::instance();
    if (!job) {
        msgbox::MsgBox("Η εργασία δεν είναι πια ανοιχτή: το φύλλο κρατά τις γραμμές που έχει.",
                       msgbox::Exclamation, "Προσοχή");
        // The rows stay those of the earlier choice, and so does the box that names it.
        Combo5->setCurrentIndex(rowsSupplier);
        return;
    }
    const FlexGrid* source = job->MSFlexGrid1[lookup::Controlled];
    const bool needed = job->Check2[0]->isChecked();
    const bool shortage = job->Check2[1]->isChecked();
    const bool enough = job->Check2[2]->isChecked();
    const int s = Combo5->currentIndex();
    const QString supplierText = conv::format(s, "0");

    FlexGrid* grid = MSFlexGrid5;
    grid->setRows(1);
    grid->setRows(source->Rows());
    int k = 1;
    for (int r = 1; r < source->Rows(); ++r) {
        const QString mark = conv::trimBlanks(source->TextMatrix(r, Form1::ColMark));
        bool taken = (mark == "!" && needed) || (mark == "X" && shortage) || (mark.isEmpty() && enough);
        if (taken && s >= 1)
            taken = conv::trimBlanks(source->TextMatrix(r, Form1::ColSupplier)) == supplierText;
        if (!taken)
            continue;
        for (int c = ColCode; c <= ColSupplier; ++c)
            grid->setTextMatrix(k, c, conv::trimBlanks(source->TextMatrix(r, c)));
        const float sum = conv::parseSingle(grid->TextMatrix(k, ColMin)).value_or(0.0f)
            + conv::parseSingle(grid->TextMatrix(k, ColQuantity)).value_or(0.0f);
        const float standard = conv::parseSingle(grid->TextMatrix(k, ColStandard)).value_or(0.0f);
        grid->setTextMatrix(k, ColOrder, conv::singleText(sum <= standard ? standard : sum));
        grid->setRowHeight(k, kRowHeight);
        ++k;
    }
    grid->setRows(k);
    rowsSupplier = s;
}

void Form7::hideEditor()
{
    Text1->hide();
    editRow = 0;
}

void Form7::MSFlexGrid5_Click()
{
    FlexGrid* grid = MSFlexGrid5;
    const int row = grid->Row();
    if (row == 0)
        return;
    if (grid->Col() != ColOrder) {
        hideEditor();
        return;
    }
    editCol = ColOrder;
    editRow = row;
    Text1->setGeometry(units::pxRect(units::tw(grid->x()) + grid->CellLeft(), units::tw(grid->y()) + grid->CellTop(),
                                     grid->CellWidth(), grid->CellHeight()));
    Text1->setText(conv::trimBlanks(grid->TextMatrix(row, ColOrder)));
    Text1->show();
    Text1->raise();
    Text1->setFocus();
    Text1->setSelection(0, 99);
}

// Every key release writes the edit through to the row the editor was opened on; Esc and
// Enter only hide the editor.
void Form7::Text1_KeyUp(int keyCode, int /*shift*/)
{
    if (keyCode == kKeyEscape || keyCode == kKeyEnter) {
        hideEditor();
        return;
    }
    if (editRow < 1 || editRow >= MSFlexGrid5->Rows())
        return;
    MSFlexGrid5->setTextMatrix(editRow, editCol, conv::trimBlanks(Text1->text()));
}

bool Form7::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Text1 && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        Text1_KeyUp(keyCode(key), units::shiftCode(key->modifiers()));
    }
    return QWidget::eventFilter(watched, event);
}

void Form7::Command1_Click()
{
    Unload(this);
}
