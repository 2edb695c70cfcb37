#include "catalogue/form8.h"
#include "core/application.h"
#include "catalogue/material_record.h"
#include "catalogue/supplier_record.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/language.h"
#include "core/mdiform1.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/flexgrid.h"
#include "platform/hourglass.h"
#include "platform/messagebox.h"
#include "platform/units.h"
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::uint32_t kBackColor = 0x404040;
constexpr int kDataRowHeight = 315;
constexpr int kEditorFromX = 13480;   // a press right of this opens the editor
constexpr int kEditorLeft = 13520;
constexpr int kEditorWidth = 1120;
constexpr int kEditorSelection = 20;

using units::place;

XPButton* button(QWidget* parent, const QString& name, const QString& caption, int left)
{
    return XPButton::createDesigned(parent, name, caption, left, 9240, 2175, 1215);
}

// A field as a single-precision number; a Null or unreadable field gives 0.
float singleOf(const QVariant& field)
{
    const std::optional<double> number = conv::toNumber(field);
    return number ? float(*number) : 0.0f;
}

// The identifier formatted "0000": a whole number, so its digits padded with zeros.
QString idText(qint64 id)
{
    return id >= 0 ? QString::number(id).rightJustified(4, QLatin1Char('0')) : conv::format(id, "0000");
}

// One listed material as the grid shows it.
QStringList shortageRow(const db::Recordset& rs)
{
    QStringList cells;
    cells.reserve(Form8::kColumns);
    cells << idText(rs.field(material::ID).toLongLong());
    for (int i = material::Perigrafi; i <= material::tmpNum1; ++i)
        cells << SafeTrim(rs.field(i));
    cells[Form8::ColCheck] = rs.field(material::exeielegxo).toInt() != 0 ? "ok" : "--";
    cells << QString();
    const float proposal = Form8::OrderProposal(
        singleOf(rs.field(material::mystock)), singleOf(rs.field(material::minstock)),
        singleOf(rs.field(material::maxstock)), singleOf(rs.field(material::tmpNum1)));
    const QVariant unit = rs.field(material::monadametr);
    const bool pieces = !unit.isNull() && unit.toInt() == material::kUnitPieces;
    cells << conv::format(proposal, pieces ? "0" : "0.0");
    return cells;
}

} // namespace

Form8::Form8(QWidget* owner, QWidget* parent)
    : QWidget(parent)
    , owner_(owner)
{
    setObjectName("Form8");
    setFont(QFont("Tahoma"));
    resize(units::pxSize(kWidthTw, kHeightTw));
    units::setBackColor(this, kBackColor);
    buildControls();
    Form_Load();
}

Form8::~Form8()
{
    for (QObject* control : std::initializer_list<QObject*> {MSFlexGrid1, Text2, Combo5, Command1,
                                                             XPButton2, XPButton3, XPButton4, XPButton5})
        control->disconnect(this);
    releaseOwner();
}

Form8* Form8::openOver(QWidget* owner)
{
    auto* form = new Form8(owner);
    if (owner)
        owner->setEnabled(false);
    if (MDIForm1* main = MDIForm1::instance())
        main->showChild(form, 0, 0, main->Width(), main->Height());
    else
        form->show();
    return form;
}

void Form8::releaseOwner()
{
    if (owner_)
        owner_->setEnabled(true);
}

void Form8::buildControls()
{
    MSFlexGrid1 = place(new FlexGrid(this), "MSFlexGrid1", 0, 0, 14985, 9135);
    MSFlexGrid1->setAccessibleName("Ελλείψεις υλικών");
    MSFlexGrid1->setCols(kColumns);
    MSFlexGrid1->setFixedCols(0);
    MSFlexGrid1->setRows(2);

    Text2 = place(new QLineEdit(this), "Text2", kEditorLeft, 0, kEditorWidth, 315);
    Text2->hide();

    Label1 = place(new QLabel("~Promitheftis", this), "Label1", 120, 9240, 3135, 315);
    units::setForeColor(Label1, 0xFFFFFF);
    Combo5 = place(new QComboBox(this), "Combo5", 120, 9600, 3135, 390);
    Combo6 = place(new QComboBox(this), "Combo6", 1200, 10320, 1815, 390);
    // Assistive technology names the filter by its label and the editor by its column.
    Label1->setBuddy(Combo5);
    Text2->setAccessibleName("Παραγγελία");

    Command1 = button(this, "Command1", "~Epistrofi", 12720);
    XPButton4 = button(this, "XPButton4", "Διαγραφή", 3600);
    XPButton5 = button(this, "XPButton5", "Εκτύπωση", 5880);
    XPButton3 = button(this, "XPButton3", "Excel", 8160);
    XPButton2 = button(this, "XPButton2", "Αντιγραφή", 10440);

    // Every pick refills, also of the entry already shown; the window's own selections run
    // the handler through selectSupplierEntry.
    connect(Combo5, qOverload<int>(&QComboBox::activated), this, reportingFailures([this] { Combo5_Click(); }));
    connect(MSFlexGrid1, &FlexGrid::MouseDown, this, reportingFailures(this, &Form8::MSFlexGrid1_MouseDown));
    connect(Text2, &QLineEdit::textChanged, this, reportingFailures(this, &Form8::Text2_Change));
    connect(Text2, &QLineEdit::returnPressed, this, reportingFailures([this] { Text2_KeyDown(Qt::Key_Return, 0); }));
    connect(XPButton4, &XPButton::Click, this, reportingFailures(this, &Form8::XPButton4_Click));
    connect(Command1, &XPButton::MouseDown, this, reportingFailures(this, &Form8::Command1_MouseDown));
    connect(Command1, &XPButton::Click, this, reportingFailures(this, &Form8::Command1_Click));
    connect(XPButton2, &XPButton::Click, this, reportingFailures(this, &Form8::XPButton2_Click));
    connect(XPButton3, &XPButton::Click, this, reportingFailures(this, &Form8::XPButton3_Click));
    connect(XPButton5, &XPButton::Click, this, reportingFailures(this, &Form8::XPButton5_Click));
}

void Form8::Form_Load()
{
    TranslateForm(this);
    FillFilterCombos();
    setUpColumns();
    Combo5->setCurrentIndex(0);
    // The materials' picture folder; the list works without it.
    const QString pictures = gAppPath + "/myimages";
    if (!QFileInfo(pictures).isDir())
        QDir().mkpath(pictures);
}

void Form8::setUpColumns()
{
    FlexGrid* grid = MSFlexGrid1;
    for (int c = 0; c < kColumns; ++c)
        grid->setColWidth(c, 1);
    for (const auto& [col, width] : {std::pair {ColId, 700}, {ColDescription, 6000}, {ColCode, 3200},
                                     {ColStock, 900}, {ColMin, 900}, {ColMax, 900},
                                     {ColStandard, 900}, {ColOrder, 1100}})
        grid->setColWidth(col, width);
    for (const int col : {ColId, ColDescription, ColCode})
        grid->setColAlignment(col, 1);
    grid->setColAlignment(ColCheck, 7);

    const auto translated = [](const char* key) {
        try {
            return TranslateText(key);
        } catch (const db::DatabaseError&) {
            return QString::fromLatin1(key).toUpper();
        }
    };
    const std::pair<int, QString> headers[] = {
        {ColId, "id"}, {ColDescription, translated("Perigrafi")}, {ColCode, translated("kodikos")},
        {3, {}}, {4, {}}, {5, {}}, {6, {}}, {7, translated("typos")}, {8, {}},
        {9, translated("promitheftis")}, {ColStock, "Αποθήκη"}, {ColMin, "Min"}, {ColMax, "Max"},
        {ColCheck, "Chk"}, {ColStandard, "Προταση"}, {ColOrder, "Παραγγελία"}};
    for (const auto& [col, text] : headers)
        grid->setTextMatrix(0, col, text);
}

void Form8::FillFilterCombos()
{
    Combo6->clear();
    Combo5->clear();
    const QStringList suppliers = supplier::choiceListOrNone();
    for (int k = 0; k < suppliers.size(); ++k)
        Combo5->addItem(suppliers[k], k);
    // Selecting the first entry fills the list.
    selectSupplierEntry(0);
    Combo6->addItems({"-ΟΛΑ-", "Με έλεγχο", "Χωρίς έλεγχο"});
    Combo6->setCurrentIndex(0);
}

void Form8::selectSupplierEntry(int index)
{
    Combo5->setCurrentIndex(index);
    Combo5_Click();
}

void Form8::Combo5_Click()
{
    Text2->hide();
    FillShortageGrid();
}

QString Form8::shortageQuery() const
{
    const int supplier = std::max(Combo5->currentIndex(), 0);
    if (supplier == 0)
        return "select * from protesyles where exeielegxo=True and mystock<minstock order by ID";
    return "select * from protesyles where promitheftis=" + conv::format(supplier, "0")
           + " and exeielegxo=True and mystock<minstock order by ID";
}

void Form8::FillShortageGrid()
{
    FlexGrid* grid = MSFlexGrid1;
    editRow_ = 0;
    grid->setRows(1);
    std::vector<QStringList> rows;
    {
        const Hourglass hourglass;
        try {
            db::Recordset rs;
            rs.Open(shortageQuery(), gConnStock);
            rows.reserve(std::size_t(rs.RecordCount()));
            for (; !rs.Eof(); rs.MoveNext())
                rows.push_back(shortageRow(rs));
            rs.Close();
        } catch (const db::DatabaseError& error) {
            // An empty list would read as "nothing to order".
            msgbox::MsgBox("Ο κατάλογος ελλείψεων δεν διαβάστηκε: " + QString::fromUtf8(error.what()),
                           msgbox::Critical);
            return;
        }
        grid->setRows(int(rows.size()) + 1);
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const int r = int(i) + 1;
            for (int c = 0; c < kColumns; ++c)
                grid->setTextMatrix(r, c, rows[i][c]);
            grid->setRowHeight(r, kDataRowHeight);
        }
    }
}

float Form8::OrderProposal(float stock, float minimum, float maximum, float standard)
{
    const float sum = standard + stock;
    float proposal = sum > maximum ? maximum - stock : standard;
    if (proposal == 0.0f)
        proposal = maximum - stock;
    if (proposal <= 0.0f)
        proposal = minimum - stock;
    if (proposal == 0.0f && stock < 0.0f)
        proposal = -stock;
    return proposal;
}

void Form8::MSFlexGrid1_MouseDown(int /*button*/, int /*shift*/, int x, int /*y*/)
{
    const FlexGrid* grid = MSFlexGrid1;
    const int row = grid->Row();
    // Only a data row is edited: the header row goes into every output.
    if (x <= kEditorFromX || row < 1 || row >= grid->Rows()) {
        Text2->hide();
        return;
    }
    editRow_ = row;
    Text2->setGeometry(units::pxRect(kEditorLeft, grid->CellTop() - 10, kEditorWidth, grid->CellHeight()));
    Text2->raise();
    Text2->show();
    {
        const QSignalBlocker quiet(Text2);
        Text2->setText(grid->TextMatrix(row, ColOrder));
    }
    // Setting the text writes the cell's own text back, trimmed, as every change does.
    Text2_Change();
    Text2->setSelection(0, kEditorSelection);
    Text2->setFocus();
}

void Form8::Text2_Change()
{
    FlexGrid* grid = MSFlexGrid1;
    if (editRow_ < 1 || editRow_ >= grid->Rows())
        return;
    const QString text = conv::trimBlanks(Text2->text());
    grid->setTextMatrix(editRow_, ColOrder, text.isEmpty() ? QStringLiteral("0") : text);
}

void Form8::Text2_KeyDown(int keyCode, int /*shift*/)
{
    if (keyCode == Qt::Key_Return || keyCode == Qt::Key_Enter || keyCode == 13)
        Text2->hide();
}

void Form8::XPButton4_Click()
{
    Text2->hide();
    editRow_ = 0;
    FlexGrid* grid = MSFlexGrid1;
    const int anchor = std::max(grid->Row(), 1);
    const int other = grid->RowSel();
    if (other >= anchor && other < grid->Rows()) {
        if (anchor == 1 && other == grid->Rows() - 1) {
            // Every data row goes: the grid keeps its header row alone.
            grid->setRows(1);
        } else {
            for (int r = other; r >= anchor; --r)
                grid->RemoveItem(r);
        }
    }
    if (grid->Rows() > 1) {
        grid->setRow(1);
        grid->setRowSel(1);
    }
}

void Form8::Command1_MouseDown()
{
    Text2->hide();
}

void Form8::Command1_Click()
{
    Unload(this);
    releaseOwner();
}
