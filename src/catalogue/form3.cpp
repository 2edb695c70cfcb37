#include "catalogue/form3.h"
#include "core/application.h"
#include "catalogue/form3_shared.h"
#include "catalogue/form8.h"

#include "catalogue/material_record.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/language.h"
#include "core/mdiform1.h"
#include "core/mousewheel.h"
#include "platform/collation.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/flexgrid.h"
#include "platform/hourglass.h"
#include "platform/messagebox.h"
#include "platform/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

using namespace form3;

namespace {

constexpr int kHeaderRow = 0;
constexpr int kLastColouredCol = 13;

enum Order { ById = 0, ByDescription = 1, ByCode = 2 };

QString checkText(bool controlled)
{
    return controlled ? QStringLiteral("ok") : QStringLiteral("--");
}

// The identifier as the list shows it, formatted "0000": at least four digits.
QString idText(const QVariant& id)
{
    if (id.isNull())
        return {};
    return conv::wholeText(id.toLongLong(), 4);
}

// A field of the current row by position; Null when the table has no such field.
const QVariant& fieldAt(const db::Recordset& rs, int ordinal)
{
    static const QVariant none;
    return ordinal < rs.fieldCount() ? rs.field(ordinal) : none;
}

// A figure as stored: single precision, as the list shows and compares it.
std::optional<float> single(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    const std::optional<double> number = conv::toNumber(value);
    if (!number)
        return std::nullopt;
    return float(*number);
}

// Runs the handler for every selection of the box: one set from code or picked by the
// user, also a pick of the entry already shown (which changes no index), once per pick.
template <class Handler>
void onEveryPick(QComboBox* combo, QObject* context, Handler handler)
{
    auto handled = std::make_shared<bool>(false);
    QObject::connect(combo, &QComboBox::currentIndexChanged, context, [handled, handler](int index) {
        if (index < 0)
            return;
        handler();
        // A user's pick reports the change and then the pick itself, at once; a change made
        // from code is followed by no pick, so the mark goes when control returns.
        *handled = true;
        QTimer::singleShot(0, [handled] { *handled = false; });
    });
    QObject::connect(combo, &QComboBox::activated, context, [handled, handler](int index) {
        if (index >= 0 && !*handled)
            handler();
        *handled = false;
    });
}

} // namespace

namespace form3 {

void reportFailure(const QString& what, const db::DatabaseError& error)
{
    msgbox::MsgBox(what + "\n" + QString::fromUtf8(error.what()), msgbox::Critical);
}

} // namespace form3

Form3::Form3(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Form3");
    setFont(QFont("Tahoma"));
    resize(units::pxSize(kFormWidthTw, kFormHeightTw));
    buildList();
    buildEditor();
    connectHandlers();
    Form_Load();
}

Form3::~Form3()
{
    // The grid may still hold the focus: the wheel must not reach a window that is going.
    UnhookMouseWheel();
    for (QObject* control : std::initializer_list<QObject*> {MSFlexGrid1, Combo5, Combo6})
        control->disconnect(this);
}

void Form3::buildList()
{
    auto* supplierLabel = new QLabel("~Promitheftis", this);
    supplierLabel->setGeometry(units::pxRect(120, 180, 1455, 255));
    Combo5 = place(new QComboBox(this), "Combo5", 1680, 120, 3615, 315);
    supplierLabel->setBuddy(Combo5);
    Combo6 = place(new QComboBox(this), "Combo6", 5400, 120, 2295, 315);
    Combo6->setAccessibleName("Έλεγχος αποθέματος");
    auto* searchLabel = new QLabel("~Anazitisi", this);
    searchLabel->setGeometry(units::pxRect(7920, 180, 1215, 255));
    auto* search = place(new QLineEdit(this), "Text1(8)", 9120, 120, 2775, 315);
    text1_[8] = search;
    searchLabel->setBuddy(search);
    XPButton1 = XPButton::createDesigned(this, "XPButton1", QString(), 11940, 60, 495, 435);
    XPButton1->setPicture(style()->standardPixmap(QStyle::SP_FileDialogContentsView));
    XPButton1->setToolTip("Αναζήτηση");

    MSFlexGrid1 = place(new FlexGrid(this), "MSFlexGrid1", 120, 600, 12435, 9735);
    MSFlexGrid1->setFont(QFont("Arial", 8));
    MSFlexGrid1->setAccessibleName("Υλικά");
    MSFlexGrid1->setCols(kColumns);
    MSFlexGrid1->setRows(2);
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(0);

    constexpr int left = 12720;
    Command4 = XPButton::createDesigned(this, "Command4", "~Neo", left, 600, 2175, 855);
    Command2 = XPButton::createDesigned(this, "Command2", "~Metavoli", left, 1560, 2175, 855);
    XPButton3 = XPButton::createDesigned(this, "XPButton3", "~Diagrafi", left, 2520, 2175, 855);
    XPButton2 = XPButton::createDesigned(this, "XPButton2", "Αντιγραφή", left, 3720, 2175, 855);
    Option1[0] = place(new QRadioButton("Ελλείψεις", this), "Option1(0)", left + 120, 4620, 2055, 255);
    Option1[1] = place(new QRadioButton("Όλα", this), "Option1(1)", left + 120, 4920, 2055, 255);
    Option1[1]->setChecked(true);
    XPButton5 = XPButton::createDesigned(this, "XPButton5", "Παραγγελία", left, 5400, 2175, 855);
    XPButton4 = XPButton::createDesigned(this, "XPButton4", "Χρήση", left, 6360, 2175, 855);

    const std::array<std::uint32_t, 2> swatches {kShortageColor, kBelowMinimumColor};
    const std::array<QString, 2> meanings {"έλλειψη", "ελάχιστα"};
    for (std::size_t i = 0; i < 2; ++i) {
        const int top = 7440 + 360 * int(i);
        Shape4[i] = place(new QFrame(this), QString("Shape4(%1)").arg(i), left + 120, top, 375, 255);
        Shape4[i]->setFrameShape(QFrame::Box);
        units::setBackColor(Shape4[i], swatches[i]);
        auto* meaning = new QLabel(meanings[i], this);
        meaning->setGeometry(units::pxRect(left + 600, top, 1575, 255));
    }
    Command1 = XPButton::createDesigned(this, "Command1", "~Epistrofi", left, 8880, 2175, 1215);
}

void Form3::connectHandlers()
{
    onEveryPick(Combo5, this, reportingFailures([this] { Combo5_Click(); }));
    onEveryPick(Combo6, this, reportingFailures([this] { Combo6_Click(); }));
    connect(MSFlexGrid1, &FlexGrid::MouseDown, this, reportingFailures(this, &Form3::MSFlexGrid1_MouseDown));
    connect(MSFlexGrid1, &FlexGrid::RowColChange, this, [this] { unpickedRow = -1; });
    connect(MSFlexGrid1, &FlexGrid::MouseMove, this, reportingFailures(this, &Form3::MSFlexGrid1_MouseMove));
    connect(MSFlexGrid1, &FlexGrid::DblClick, this, reportingFailures(this, &Form3::MSFlexGrid1_DblClick));
    connect(MSFlexGrid1, &FlexGrid::GotFocus, this, reportingFailures(this, &Form3::MSFlexGrid1_GotFocus));
    connect(MSFlexGrid1, &FlexGrid::LostFocus, this, reportingFailures(this, &Form3::MSFlexGrid1_LostFocus));
    connect(XPButton1, &XPButton::Click, this, reportingFailures(this, &Form3::XPButton1_Click));
    connect(XPButton2, &XPButton::Click, this, reportingFailures(this, &Form3::XPButton2_Click));
    connect(XPButton3, &XPButton::Click, this, reportingFailures(this, &Form3::XPButton3_Click));
    connect(XPButton5, &XPButton::Click, this, reportingFailures(this, &Form3::XPButton5_Click));
    connect(Command1, &XPButton::Click, this, reportingFailures(this, &Form3::Command1_Click));
    connect(Command2, &XPButton::Click, this, reportingFailures(this, &Form3::Command2_Click));
    connect(Command4, &XPButton::Click, this, reportingFailures(this, &Form3::Command4_Click));
    connect(Command5, &XPButton::Click, this, reportingFailures(this, &Form3::Command5_Click));
    connect(Command6[0], &XPButton::Click, this, reportingFailures([this] { Command6_Click(0); }));
    connect(Command6[1], &XPButton::Click, this, reportingFailures([this] { Command6_Click(1); }));
    connect(Command7, &XPButton::Click, this, reportingFailures(this, &Form3::Command7_Click));
}

void Form3::Form_Load()
{
    loading = true;
    newMode = false;
    searchStart = 1;
    TranslateForm(this);

    // A list that cannot be read says so itself; the combos' failure is told only otherwise,
    // so the user gets one message.
    std::optional<db::DatabaseError> combosFailure;
    try {
        FillCombos();
    } catch (const db::DatabaseError& error) {
        combosFailure = error;
    }

    FlexGrid* grid = MSFlexGrid1;
    const std::array<int, kColumns> widths {700, 6000, 3200, 1, 1, 1, 1, 1, 1, 1, 900, 900, 1, 450, 1};
    for (int c = 0; c < kColumns; ++c)
        grid->setColWidth(c, widths[std::size_t(c)]);
    for (int c : {ColId, ColDescription, ColCode})
        grid->setColAlignment(c, 1);
    grid->setColAlignment(ColCheck, 7);
    const auto translated = [](const char* key) {
        try {
            return TranslateText(key);
        } catch (const db::DatabaseError&) {
            return QString(key).toUpper();
        }
    };
    grid->setTextMatrix(kHeaderRow, ColId, "id");
    grid->setTextMatrix(kHeaderRow, ColDescription, translated("Perigrafi"));
    grid->setTextMatrix(kHeaderRow, ColCode, translated("kodikos"));
    for (int c : {3, 4, 5, 6, 8})
        grid->setTextMatrix(kHeaderRow, c, QString());
    grid->setTextMatrix(kHeaderRow, 7, translated("typos"));
    grid->setTextMatrix(kHeaderRow, 9, translated("promitheftis"));
    grid->setTextMatrix(kHeaderRow, ColStock, "Stock");
    grid->setTextMatrix(kHeaderRow, ColMin, "Min");
    grid->setTextMatrix(kHeaderRow, 12, "Max");
    grid->setTextMatrix(kHeaderRow, ColCheck, "Chk");

    // Selecting "all suppliers" fills the list, once.
    {
        const QSignalBlocker quiet(Combo5);
        Combo5->setCurrentIndex(0);
    }
    const bool listRead = FillMaterialsGrid(ById);
    if (combosFailure && listRead)
        reportFailure("Οι λίστες επιλογών δεν διαβάστηκαν.", *combosFailure);

    // The pictures folder; a failure here is of no consequence to the list.
    const QString pictures = gAppPath + "/myimages";
    if (!QFileInfo(pictures).isDir())
        QDir().mkpath(pictures);
    loading = false;
}

void Form3::Combo5_Click()
{
    FillMaterialsGrid(ById);
}

void Form3::Combo6_Click()
{
    if (!loading)
        FillMaterialsGrid(ById);
}

bool Form3::FillMaterialsGrid(int order)
{
    FlexGrid* grid = MSFlexGrid1;
    grid->setRows(1);
    grid->setRows(2);
    const Hourglass hourglass;
    grid->hide();

    QString filter;
    if (Combo6->currentIndex() == 1)
        filter = "where exeielegxo=True ";
    else if (Combo6->currentIndex() == 2)
        filter = "where exeielegxo=False ";
    const int supplier = std::max(Combo5->currentIndex(), 0);
    QString sql;
    if (supplier > 0)
        sql = "select * from protesyles where promitheftis=" + conv::format(supplier, "0") + " order by ID";
    else if (order == ByDescription)
        sql = "select * from protesyles order by " + collation::orderBy("perigrafi");
    else if (order == ByCode)
        sql = "select * from protesyles order by " + collation::orderBy("kodikos");
    else
        sql = "select * from protesyles " + filter + "order by ID";

    // The colours are read from the swatches, so the rows always match them.
    const std::uint32_t shortageColor = units::bgr(Shape4[0]->palette().color(QPalette::Window));
    const std::uint32_t belowMinimumColor = units::bgr(Shape4[1]->palette().color(QPalette::Window));

    int row = 1;
    int shortages = 0;
    int belowMinimum = 0;
    int lastColoured = 0;
    bool read = true;
    try {
        db::Recordset rs;
        rs.Open(sql, gConnStock);
        // The grid stays hidden while it fills: its rows come at once, one empty row trailing.
        grid->setRows(rs.RecordCount() + 2);
        ListedFields fields;
        std::vector<QString> texts;
        texts.reserve(kColumns);
        for (; !rs.Eof(); rs.MoveNext(), ++row) {
            for (int c = 0; c < int(fields.size()); ++c)
                fields[std::size_t(c)] = &fieldAt(rs, c);
            fillRow(row, fields, texts);
            const bool controlled = fields[material::exeielegxo]->toBool();
            const std::optional<float> stock = single(*fields[material::mystock]);
            const std::optional<float> minimum = single(*fields[material::minstock]);
            if (controlled && stock && *stock <= 0) {
                colourRow(row, shortageColor);
                ++shortages;
                lastColoured = row;
            } else if (controlled && stock && minimum && *stock > 0 && *stock < *minimum) {
                colourRow(row, belowMinimumColor);
                ++belowMinimum;
                lastColoured = row;
            }
        }
        rs.Close();
    } catch (const db::DatabaseError& error) {
        grid->setRows(row + 1);
        read = false;
        reportFailure("Ο κατάλογος των υλικών δεν διαβάστηκε.", error);
    }
    grid->setRows(grid->Rows() - 1);
    // The current cell is where colouring through it would have left it, the last cell
    // coloured; a list without coloured rows starts at its first data row.
    if (lastColoured > 0) {
        grid->setRow(lastColoured);
        grid->setCol(kLastColouredCol);
    } else {
        grid->setRow(grid->Rows() > 1 ? 1 : kHeaderRow);
        grid->setCol(ColId);
    }
    unpickedRow = grid->Row();
    writeTotals(grid->Rows() - 1, shortages, belowMinimum);
    grid->show();
    return read;
}

void Form3::fillRow(int row, const ListedFields& fields, std::vector<QString>& texts)
{
    texts.clear();
    texts.push_back(idText(*fields[material::ID]));
    for (std::size_t c = 1; c < std::size_t(ColCheck); ++c)
        texts.push_back(SafeTrim(*fields[c]));
    texts.push_back(checkText(fields[material::exeielegxo]->toBool()));
    FlexGrid* grid = MSFlexGrid1;
    grid->setRowTexts(row, texts);
    grid->setRowHeight(row, kDataRowHeight);
}

void Form3::colourRow(int row, std::uint32_t color)
{
    MSFlexGrid1->setRowBackColor(row, 0, kLastColouredCol, color);
}

void Form3::writeTotals(int rows, int shortages, int belowMinimum)
{
    MDIForm1* main = MDIForm1::instance();
    if (!main)
        return;
    main->setPanel1Text("Σύνολο:" + conv::format(rows, "0") + " |  έλλειψη:" + conv::format(shortages, "0")
                        + " |  ελάχιστα:" + conv::format(belowMinimum, "0") + " |  προς παραγγελία:"
                        + conv::format(shortages + belowMinimum, "0"));
}

std::optional<long> Form3::listedId(int row) const
{
    if (row < 1 || row >= MSFlexGrid1->Rows())
        return std::nullopt;
    const QString text = conv::trimBlanks(MSFlexGrid1->TextMatrix(row, ColId));
    if (text.isEmpty() || text.size() > 18)
        return std::nullopt;
    for (const QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return text.toLong();
}

int Form3::rowOf(long id) const
{
    if (listedId(MSFlexGrid1->Row()) == id)
        return MSFlexGrid1->Row();
    for (int row = 1; row < MSFlexGrid1->Rows(); ++row)
        if (listedId(row) == id)
            return row;
    return -1;
}

void Form3::markSortColumn(int order)
{
    FlexGrid* grid = MSFlexGrid1;
    grid->setRow(kHeaderRow);
    for (int c = 0; c <= 3; ++c) {
        grid->setCol(c);
        grid->setCellForeColor(0x000000);
    }
    grid->setCol(order);
    grid->setCellForeColor(kSortMarkColor);
}

void Form3::MSFlexGrid1_MouseDown(int, int, int x, int y)
{
    FlexGrid* grid = MSFlexGrid1;
    unpickedRow = -1;
    if (y <= grid->RowHeight(kHeaderRow)) {
        const int first = grid->ColWidth(0);
        const int second = first + grid->ColWidth(1);
        const int order = x > first && x < second ? ByDescription : x > second ? ByCode : ById;
        markSortColumn(order);
        FillMaterialsGrid(order);
        return;
    }
    int checkLeft = 0;
    for (int c = 0; c < ColCheck; ++c)
        checkLeft += grid->ColWidth(c);
    // The flag changes only for the row clicked, and only when that row is the current one:
    // a right click or a click beside the cells changes nothing.
    if (x > checkLeft && grid->MouseCol() == ColCheck && grid->MouseRow() == grid->Row())
        toggleCheckFlag(grid->Row());
}

void Form3::toggleCheckFlag(int row)
{
    const std::optional<long> id = listedId(row);
    if (!id)
        return;
    const bool flag = MSFlexGrid1->TextMatrix(row, ColCheck) == "--";
    try {
        // The cell shows what is stored: a material deleted meanwhile keeps its text.
        if (SaveCheckFlag(flag, *id))
            MSFlexGrid1->setTextMatrix(row, ColCheck, checkText(flag));
        else
            msgbox::MsgBox("Το υλικό δεν υπάρχει πια στην αποθήκη.", msgbox::Exclamation);
    } catch (const db::DatabaseError& error) {
        reportFailure("Ο έλεγχος αποθέματος δεν αποθηκεύτηκε.", error);
    }
}

bool Form3::SaveCheckFlag(bool flag, long id)
{
    db::Recordset rs;
    material::openById(rs, gConnStock, id);
    const bool found = !rs.Eof();
    if (found) {
        rs.setField("exeielegxo", flag);
        rs.Update();
    }
    rs.Close();
    return found;
}

void Form3::MSFlexGrid1_DblClick()
{
    Command2_Click();
}

void Form3::MSFlexGrid1_MouseMove()
{
    MSFlexGrid1->setFocus();
}

void Form3::MSFlexGrid1_GotFocus()
{
    HookMouseWheel(this);
}

void Form3::MSFlexGrid1_LostFocus()
{
    UnhookMouseWheel();
}

void Form3::MouseWheel(int, int Rotation, int, int)
{
    auto* grid = qobject_cast<FlexGrid*>(QApplication::focusWidget());
    if (!grid)
        return;
    const int top = grid->TopRow();
    const int next = Rotation < 1 ? std::min(top + 1, grid->Rows() - 1) : std::max(top - 1, 1);
    grid->setTopRow(next);
}

void Form3::XPButton1_Click()
{
    const QString key = conv::trimBlanks(Text1(8)).toUpper();
    if (key.isEmpty())
        return;
    FlexGrid* grid = MSFlexGrid1;
    for (int row = std::max(searchStart, 1); row < grid->Rows(); ++row) {
        const QString code = conv::trimBlanks(grid->TextMatrix(row, ColCode)).toUpper();
        const QString description = conv::trimBlanks(grid->TextMatrix(row, ColDescription)).toUpper();
        if (code.contains(key) || description.contains(key)) {
            grid->setRow(row);
            if (row - 8 > 1)
                grid->setTopRow(row - 8);
            grid->setCol(0);
            grid->setColSel(7);
            searchStart = row + 1;
            return;
        }
    }
    searchStart = 1;
    grid->setCol(0);
    grid->setTopRow(1);
}

void Form3::XPButton2_Click()
{
    for (int c = 3; c <= 13; ++c)
        gColumnSelected[std::size_t(c)] = 0;
    gColumnSelected[ColStock] = -1;
    gShortageOnly = Option1[0]->isChecked() ? -1 : 0;
    CopyGridToClipboard(*MSFlexGrid1);
    gShortageOnly = 0;
    msgbox::MsgBox("Ο πίνακας αντιγράφτηκε στο πρόχειρο", msgbox::Information, "Μήνυμα");
}

void Form3::XPButton3_Click()
{
    if (MSFlexGrid1->Rows() < 2)
        return;
    // Only a material the user has selected is deleted, not the row a refill made current.
    const std::optional<long> id = listedId(MSFlexGrid1->Row());
    if (!id || MSFlexGrid1->Row() == unpickedRow)
        return;
    if (msgbox::MsgBox("Να σβηστεί το επιλεγμένο στοιχείο;", msgbox::YesNo | msgbox::Exclamation, "Προσοχή")
        == msgbox::No)
        return;
    const Hourglass hourglass;
    try {
        db::Recordset rs;
        material::openById(rs, gConnStock, *id);
        if (!rs.Eof())
            rs.Delete();
        rs.Close();
    } catch (const db::DatabaseError& error) {
        reportFailure("Το υλικό δεν διαγράφηκε.", error);
    }
    FillMaterialsGrid(ById);
}

void Form3::XPButton5_Click()
{
    openShortageList();
}

// The shortage list opens over this window, which stays disabled until it goes.
void Form3::openShortageList()
{
    Form8::openOver(this);
}

void Form3::Command1_Click()
{
    ReturnToHomeScreen(this);
}
