#include "movements/form5.h"
#include "core/application.h"

#include "catalogue/material_record.h"
#include "catalogue/supplier_record.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/language.h"
#include "core/mdiform1.h"
#include "core/settings_string.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/covering.h"
#include "platform/flexgrid.h"
#include "platform/hourglass.h"
#include "platform/messagebox.h"
#include "platform/units.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace {

constexpr int kWindowWidthTw = 15400;
constexpr int kWindowHeightTw = 11600;

constexpr std::uint32_t kPanelColor = 0xFFC0C0;    // light blue
constexpr std::uint32_t kResultColor = 0xFFFFC0;   // light cyan
constexpr std::uint32_t kListText = 0x0000FF;      // red
constexpr std::uint32_t kListBack = 0xE0E0E0;      // grey

// Codes of this length or shorter are no codes (this also drops empty and trailing rows).
constexpr int kShortestIgnoredCode = 2;
// A description overwrites the catalogue's only when it is longer than this.
constexpr int kShortestIgnoredDescription = 3;
// Rows named one by one in the report of skipped rows; the rest are counted.
constexpr int kReportedRows = 30;

using units::place;

XPButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top)
{
    return XPButton::createDesigned(parent, name, caption, left, top, 2175, 1215);
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width)
{
    return place(new QLabel(caption, parent), name, left, top, width, 300);
}

// The text colour of a combo or list box, and the background of its entries where given.
void setBoxColors(QWidget* widget, std::uint32_t text, std::optional<std::uint32_t> back = std::nullopt)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, units::color(text));
    palette.setColor(QPalette::ButtonText, units::color(text));
    if (back)
        palette.setColor(QPalette::Base, units::color(*back));
    widget->setPalette(palette);
}

// Reads clipboard text cell by cell as a spreadsheet writes it. Linear in the text: each
// character is looked at a bounded number of times.
class SpreadsheetReader {
public:
    explicit SpreadsheetReader(const QString& text) : text_(text), crLfRows_(text.contains(u"\r\n")) {}

    QVector<QStringList> rows()
    {
        QVector<QStringList> rows;
        QStringList row;
        while (at_ < text_.size()) {
            QString cell;
            const Ending ending = readCell(cell);
            row << std::move(cell);
            if (ending != Ending::Tab) {
                rows << std::move(row);
                row = QStringList();
            }
        }
        // Cells left over were ended by a TAB at the text's end: an empty cell follows it.
        if (!row.isEmpty())
            rows << (row << QString());
        return rows;
    }

private:
    enum class Ending { Tab, Row, Text };

    // A quoted part, then what follows it up to the cell's end as it stands.
    Ending readCell(QString& cell)
    {
        if (quotesClose_ && text_.at(at_) == u'"')
            readQuoted(cell);
        return readPlain(cell);
    }

    // The quoted part of a cell from its opening quote: doubled quotes are one quote. Where no
    // closing quote follows, nothing is read; then no later quote closes either, so every later
    // cell is read as it stands.
    void readQuoted(QString& cell)
    {
        qsizetype from = at_ + 1;
        for (;;) {
            const qsizetype quote = text_.indexOf(u'"', from);
            if (quote < 0) {
                quotesClose_ = false;
                cell.clear();
                return;
            }
            cell += QStringView(text_).mid(from, quote - from);
            if (quote + 1 < text_.size() && text_.at(quote + 1) == u'"') {
                cell += u'"';
                from = quote + 2;
                continue;
            }
            at_ = quote + 1;
            return;
        }
    }

    // Characters as they stand up to the next TAB or row end, which is passed over.
    Ending readPlain(QString& cell)
    {
        const qsizetype start = at_;
        for (qsizetype i = at_; i < text_.size(); ++i) {
            const QChar c = text_.at(i);
            if (c == u'\t') {
                cell += QStringView(text_).mid(start, i - start);
                at_ = i + 1;
                return Ending::Tab;
            }
            if (c != u'\n')
                continue;
            const bool afterCr = i > start && text_.at(i - 1) == u'\r';
            if (crLfRows_ && !afterCr)
                continue;
            cell += QStringView(text_).mid(start, i - start - (crLfRows_ ? 1 : 0));
            at_ = i + 1;
            return Ending::Row;
        }
        cell += QStringView(text_).mid(start);
        at_ = text_.size();
        return Ending::Text;
    }

    const QString& text_;
    qsizetype at_ = 0;
    const bool crLfRows_;   // rows end at CR LF; in a text without one, at LF
    bool quotesClose_ = true;
};

} // namespace

Form5::Form5(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Form5");
    setFont(QFont("Tahoma", 8));
    resize(units::pxSize(kWindowWidthTw, kWindowHeightTw));
    buildControls();
    connectHandlers();
    Form_Load();
}

Form5::~Form5() = default;

void Form5::buildControls()
{
    MSFlexGrid1 = place(new FlexGrid(this), "MSFlexGrid1", 0, 0, 15030, 8895);
    // Column widths are measured with the window's font, so the grid shows its cells in it.
    MSFlexGrid1->setFont(font());
    MSFlexGrid1->setFixedRows(1);
    MSFlexGrid1->setFixedCols(0);
    MSFlexGrid1->setRows(1);
    MSFlexGrid1->setAccessibleName("Γραμμές τιμολογίου");

    XPButton1 = button(this, "XPButton1", "Εισαγωγή από μνήμη", 240, 9120);
    Command1 = button(this, "Command1", "~Epistrofi", 12720, 9120);

    List1 = place(new QListWidget(this), "List1", 5880, 4920, 9150, 3960);
    List1->setFont(QFont("Courier New", 9));
    setBoxColors(List1, kListText, kListBack);
    List1->setAccessibleName("Κωδικοί που λείπουν από την αποθήκη");
    List1->hide();

    buildColumnPanel();
}

void Form5::buildColumnPanel()
{
    Frame1 = place(new QFrame(this), "Frame1", 0, kPanelTop, 15015, 1695);
    units::setBackColor(Frame1, kPanelColor);

    const std::array<QString, 3> captions {"Κωδικός", "Ποσότητα", "Περιγραφή"};
    for (int i = 0; i < 3; ++i)
        Label1[std::size_t(i)] = label(Frame1, QString("Label1(%1)").arg(i), captions[std::size_t(i)],
                                       240, 300 + 420 * i, 1200);

    // Place, text colour and accessible name of each chooser, in the order of Combo1.
    struct Chooser {
        int left, top;
        std::uint32_t color;
        const char* name;
    };
    const std::array<Chooser, 5> choosers {{
        {1500, 240, 0x0000FF, "Στήλη κωδικού"},
        {1500, 660, 0xFF0000, "Στήλη ποσότητας"},
        {1500, 1080, 0x000000, "Στήλη περιγραφής"},
        {2700, 660, 0xFF8080, "Δεύτερη στήλη ποσότητας"},
        {2700, 240, 0x8080FF, "Δεύτερη στήλη κωδικού"},
    }};
    for (int i = 0; i < 5; ++i) {
        const Chooser& c = choosers[std::size_t(i)];
        auto* combo = place(new QComboBox(Frame1), QString("Combo1(%1)").arg(i), c.left, c.top, 1095, 315);
        setBoxColors(combo, c.color);
        combo->setAccessibleName(c.name);
        Combo1[std::size_t(i)] = combo;
    }

    Frame4 = place(new QGroupBox("Ενέργεια", Frame1), "Frame4", 4080, 120, 2535, 1455);
    const std::array<QString, 3> actions {"Προσθήκη", "Αντικατάσταση", "Αφαίρεση"};
    for (int i = 0; i < 3; ++i)
        Option1[std::size_t(i)] = place(new QRadioButton(actions[std::size_t(i)], Frame4),
                                        QString("Option1(%1)").arg(i), 180, 270 + 360 * i, 2235, 315);

    XPButton3 = button(Frame1, "XPButton3", "Ενημέρωση", 7080, 240);
    XPButton6 = button(Frame1, "XPButton6", "~Diagrafi", 9480, 240);
    XPButton2 = button(Frame1, "XPButton2", "~Epistrofi", 12720, 240);

    buildResultPanel();
    Frame1->hide();
    coverWhileShown(Frame1);
}

void Form5::buildResultPanel()
{
    Frame2 = place(new QFrame(Frame1), "Frame2", kResultLeft, kResultTop, 12495, 1455);
    units::setBackColor(Frame2, kResultColor);
    Label1[3] = label(Frame2, "Label1(3)", "Ενημερώθηκαν : ", 240, 300, 2775);
    Label1[4] = label(Frame2, "Label1(4)", "Νέα : ", 240, 780, 2775);
    Label1_14 = label(Frame2, "Label1(14)", "~Promitheftis", 3240, 180, 2400);
    Combo5 = place(new QComboBox(Frame2), "Combo5", 3240, 540, 4095, 315);
    Combo5->setAccessibleName("Προμηθευτής νέων υλικών");
    Check1 = place(new QCheckBox("Έλεγχος", Frame2), "Check1", 3240, 960, 2400, 300);
    XPButton4 = button(Frame2, "XPButton4", "Εισαγωγή νέων", 7680, 120);
    XPButton4->hide();
    // Covers the supplier controls and the insert button when there is nothing to insert.
    Frame3 = place(new QFrame(Frame2), "Frame3", 0, 0, 9135, 1335);
    Frame3->hide();
    coverWhileShown(Frame3);
    Frame2->hide();
    coverWhileShown(Frame2);
}

void Form5::connectHandlers()
{
    for (int i = 0; i < 3; ++i)
        connect(Option1[std::size_t(i)], &QRadioButton::toggled, this, reportingFailures([this, i](bool on) {
            if (on)
                Option1_Click(i);
        }));
    connect(XPButton1, &XPButton::Click, this, reportingFailures(this, &Form5::XPButton1_Click));
    connect(XPButton2, &XPButton::Click, this, reportingFailures(this, &Form5::XPButton2_Click));
    connect(XPButton3, &XPButton::Click, this, reportingFailures(this, &Form5::XPButton3_Click));
    connect(XPButton4, &XPButton::Click, this, reportingFailures(this, &Form5::XPButton4_Click));
    connect(XPButton6, &XPButton::Click, this, reportingFailures(this, &Form5::XPButton6_Click));
    connect(Command1, &XPButton::Click, this, reportingFailures(this, &Form5::Command1_Click));
}

void Form5::Form_Load()
{
    TranslateForm(this);

    for (int i = 0; i < 5; ++i) {
        QComboBox* combo = Combo1[std::size_t(i)];
        combo->clear();
        if (i == DescriptionColumn)
            combo->addItem("-");
        for (int c = 0; c < kChoosableColumns; ++c)
            combo->addItem(QString(QChar(u'A' + c)));
        combo->setCurrentIndex(0);
    }

    Combo5->clear();
    Combo5->addItems(supplier::choiceListOrNone());   // without it, new materials have no supplier

    const settings::InvoiceChoices choices = settings::invoiceChoices(settings::read(gConnStock));
    for (int i = 0; i < 5; ++i) {
        QComboBox* combo = Combo1[std::size_t(i)];
        const int choice = choices[std::size_t(i)];
        combo->setCurrentIndex(choice >= 0 && choice < combo->count() ? choice : 0);
    }

    Combo5->setCurrentIndex(0);
    Option1[Add]->setChecked(true);   // runs Option1_Click(0)
}

void Form5::Option1_Click(int index)
{
    ActionMode = qint16(index);
}

QString Form5::columnLetter(int c)
{
    QString letters;
    for (int n = c + 1; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(u'A' + (n - 1) % 26));
    return letters;
}

QString Form5::newCodeLine(const QString& code, float quantity, const QString& description)
{
    return PadText(code, 21, " ", true) + conv::format(quantity, "00000.00") + " "
        + PadText(description, 50, " ", true);
}

// ---------------------------------------------------------------- paste

void Form5::XPButton1_Click()
{
    const Hourglass hourglass;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    QString text = data && data->hasText() ? data->text() : QString();
    // A NUL ends no row and no cell here; it is no character a code or a number holds.
    text.remove(QChar(0));
    if (!text.isEmpty() && !fillGrid(spreadsheetRows(text)))
        return;
    AutoSizeColumns();
    // One pasted row is an invoice too: the panel comes with the first data row.
    if (MSFlexGrid1->Rows() >= 2) {
        Frame1->move(units::pxPoint(0, kPanelTop));
        Frame1->show();
    }
}

QVector<QStringList> Form5::spreadsheetRows(const QString& text)
{
    return SpreadsheetReader(text).rows();
}

// Each row one grid row from row 1 on; as many columns as the widest row has cells. A row
// wider than a spreadsheet is refused with a message, and the grid keeps what it shows.
bool Form5::fillGrid(const QVector<QStringList>& rows)
{
    int cols = 1;
    for (int r = 0; r < rows.size(); ++r) {
        const int width = int(std::min<qsizetype>(rows.at(r).size(), std::numeric_limits<int>::max()));
        if (width > kSpreadsheetColumns) {
            msgbox::MsgBox(QString("Η επικόλληση δεν έγινε: η γραμμή %1 έχει %2 στήλες, "
                                   "περισσότερες από τις %3 ενός λογιστικού φύλλου.")
                               .arg(r + 1)
                               .arg(width)
                               .arg(kSpreadsheetColumns),
                           msgbox::Exclamation, "Προσοχή");
            return false;
        }
        cols = std::max(cols, width);
    }
    MSFlexGrid1->Clear();
    MSFlexGrid1->setRows(1);
    MSFlexGrid1->setCols(cols);
    MSFlexGrid1->setRows(1 + int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList& cells = rows.at(r);
        for (int c = 0; c < cells.size(); ++c)
            MSFlexGrid1->setTextMatrix(r + 1, c, cells.at(c));
    }
    return true;
}

// Each column as wide as its widest text plus 200 twips, measured with the window's font;
// the header row names the columns by letter.
void Form5::AutoSizeColumns()
{
    const QFontMetrics metrics(font());
    for (int c = 0; c < MSFlexGrid1->Cols(); ++c) {
        int widest = 0;
        for (int r = 0; r < MSFlexGrid1->Rows(); ++r)
            widest = std::max(widest, units::tw(metrics.horizontalAdvance(MSFlexGrid1->TextMatrix(r, c))));
        MSFlexGrid1->setColWidth(c, widest + 200);
        MSFlexGrid1->setTextMatrix(0, c, columnLetter(c));
    }
}

// ---------------------------------------------------------------- update

QString Form5::cellText(int row, int col) const
{
    // A chosen column that the paste did not fill is empty in every row.
    return col < MSFlexGrid1->Cols() ? MSFlexGrid1->TextMatrix(row, col) : QString();
}

int Form5::descriptionColumn() const
{
    return Combo1[DescriptionColumn]->currentIndex() - 1;
}

Form5::InvoiceRow Form5::readRow(int r) const
{
    InvoiceRow row;
    row.code = conv::trimBlanks(cellText(r, Combo1[CodeColumn]->currentIndex()));
    if (row.code.isEmpty())
        row.code = conv::trimBlanks(cellText(r, Combo1[SecondCodeColumn]->currentIndex()));

    // A quantity that is no number, or too large a number, counts 0, and 0 falls back to the
    // second quantity column.
    for (const int chooser : {QuantityColumn, SecondQuantityColumn}) {
        const QString text = cellText(r, Combo1[std::size_t(chooser)]->currentIndex());
        const std::optional<float> quantity = conv::parseSingle(text);
        row.quantity = quantity.value_or(0);
        if (!quantity && row.quantityFault.isEmpty() && !conv::trimBlanks(text).isEmpty())
            row.quantityFault = conv::exceedsSingle(text) ? QStringLiteral("η ποσότητα είναι πολύ μεγάλη")
                                                          : QStringLiteral("η ποσότητα δεν είναι αριθμός");
        if (row.quantity != 0)
            break;
    }

    if (descriptionColumn() >= 0)
        row.description = conv::trimBlanks(cellText(r, descriptionColumn()));
    return row;
}

void Form5::XPButton3_Click()
{
    XPButton3->setEnabled(false);
    QString error;
    std::optional<UpdateCounts> counts;
    {
        const Hourglass hourglass;
        counts = applyInvoice(error);
        if (counts)
            showResult(*counts);
        saveColumnChoices();
    }
    if (!counts) {
        // Nothing of the invoice was applied: the user may correct and update again.
        XPButton3->setEnabled(true);
        msgbox::MsgBox("Η ενημέρωση της αποθήκης απέτυχε. Καμία ποσότητα δεν άλλαξε.\n" + error,
                       msgbox::Critical, "Προσοχή");
        return;
    }
    reportSkippedRows();
}

std::optional<Form5::UpdateCounts> Form5::applyInvoice(QString& error)
{
    UpdateCounts counts;
    clearNewMaterials();
    skipped_.clear();
    try {
        db::Transaction transaction(gConnStock);
        for (int r = 1; r < MSFlexGrid1->Rows(); ++r) {
            const InvoiceRow row = readRow(r);
            if (row.code.size() <= kShortestIgnoredCode)
                continue;
            if (material::hasInvisibleCharacter(row.code)) {
                skipped_.push_back({r, row.code, material::invisibleCharacterReason()});
                continue;
            }
            if (row.quantity <= 0) {
                if (!row.quantityFault.isEmpty())
                    skipped_.push_back({r, row.code, row.quantityFault});
                continue;
            }
            switch (ApplyStockChange(row.code, row.quantity, row.description)) {
            case Change::Applied:
                ++counts.updated;
                break;
            case Change::OutOfRange:
                skipped_.push_back({r, row.code, "το νέο απόθεμα ξεπερνά τα όρια των αριθμών"});
                break;
            case Change::StockUnreadable:
                skipped_.push_back({r, row.code, "το απόθεμα στην αποθήκη δεν είναι αριθμός"});
                break;
            case Change::Missing:
                if (descriptionColumn() >= 0)
                    addNewMaterial(row);
                else
                    skipped_.push_back({r, row.code, "δεν υπάρχει στην αποθήκη και δεν επιλέχθηκε στήλη περιγραφής"});
                break;
            }
        }
        transaction.Commit();
    } catch (const db::DatabaseError& e) {
        clearNewMaterials();
        skipped_.clear();
        error = QString::fromUtf8(e.what());
        return std::nullopt;
    }
    counts.added = int(newMaterials_.size());
    List1->clear();
    for (const NewMaterial& m : newMaterials_)
        List1->addItem(newCodeLine(m.code, m.quantity, m.description));
    return counts;
}

// One material's stock change; a sum beyond the single-precision range, or a stored stock
// that is no number where the change starts from it, leaves the material as it is. Throws
// db::DatabaseError when the look-up or the change cannot run.
Form5::Change Form5::ApplyStockChange(const QString& code, float quantity, const QString& description)
{
    db::Recordset rs;
    material::openByCode(rs, gConnStock, code);
    if (rs.Eof())
        return Change::Missing;
    float stock = quantity;
    if (ActionMode != Replace) {
        const std::optional<float> current = material::storedSingle(rs.field("mystock"));
        if (!current)
            return Change::StockUnreadable;
        stock = ActionMode == Add ? *current + quantity : *current - quantity;
    }
    if (!std::isfinite(stock))
        return Change::OutOfRange;
    rs.setField("mystock", stock);
    const QString trimmed = conv::trimBlanks(description);
    if (trimmed.size() > kShortestIgnoredDescription)
        rs.setField("Perigrafi", trimmed);
    rs.Update();
    rs.Close();
    return Change::Applied;
}

// A code met twice in one invoice becomes one new material with the sum of its quantities
// and the first description the invoice gives it. Codes are the same as the database
// compares them, without regard to letter case.
void Form5::addNewMaterial(const InvoiceRow& row)
{
    const auto [at, added] = newIndex_.try_emplace(db::foldCase(row.code), newMaterials_.size());
    if (added) {
        newMaterials_.push_back({row.code, row.quantity, row.description});
        return;
    }
    NewMaterial& same = newMaterials_[at->second];
    same.quantity += row.quantity;
    if (same.description.isEmpty())
        same.description = row.description;
}

void Form5::clearNewMaterials()
{
    newMaterials_.clear();
    newIndex_.clear();
}

void Form5::showResult(const UpdateCounts& counts)
{
    Frame2->move(units::pxPoint(kResultLeft, kResultTop));
    Label1[3]->setText(Label1[3]->text() + conv::format(counts.updated, "0"));
    Label1[4]->setText(Label1[4]->text() + conv::format(counts.added, "0"));
    Frame2->show();
    if (counts.added < 1) {
        Frame3->move(Label1_14->pos());
        units::setBackColor(Frame3, kResultColor);
        Frame3->show();
        Frame3->raise();
    } else {
        List1->show();
        XPButton4->show();
    }
}

void Form5::saveColumnChoices()
{
    settings::InvoiceChoices choices {};
    for (int i = 0; i < 5; ++i)
        choices[std::size_t(i)] = Combo1[std::size_t(i)]->currentIndex();
    // The choices are a convenience: a settings string that cannot be stored costs the user
    // only the choosing again next time.
    settings::write(gConnStock, settings::withInvoiceChoices(settings::read(gConnStock), choices));
}

void Form5::reportSkippedRows()
{
    if (skipped_.isEmpty())
        return;
    QString text = "Οι παρακάτω γραμμές του τιμολογίου παραλείφθηκαν:";
    const int named = std::min(int(skipped_.size()), kReportedRows);
    for (int i = 0; i < named; ++i) {
        const SkippedRow& row = skipped_.at(i);
        text += QString("\nΓραμμή %1 (%2): %3").arg(row.row).arg(row.code, row.reason);
    }
    if (skipped_.size() > named)
        text += QString("\n... και άλλες %1 γραμμές").arg(skipped_.size() - named);
    msgbox::MsgBox(text, msgbox::Exclamation, "Προσοχή");
}

// ---------------------------------------------------------------- insert new

void Form5::XPButton4_Click()
{
    XPButton4->setEnabled(false);
    QString error;
    if (!insertNewMaterials(error)) {
        // Nothing was inserted: the user may try again.
        XPButton4->setEnabled(true);
        msgbox::MsgBox("Τα νέα υλικά δεν καταχωρήθηκαν. Κανένα νέο υλικό δεν προστέθηκε.\n" + error,
                       msgbox::Critical, "Προσοχή");
        return;
    }
    msgbox::MsgBox("Τα νέα στοιχεία εισήχθησαν επιτυχώς", msgbox::Information, "Ολοκλήρωση εισαγωγής");
    XPButton2_Click();
}

// Every listed code as a new material, all in one transaction.
bool Form5::insertNewMaterials(QString& error)
{
    const Hourglass hourglass;
    try {
        db::Transaction transaction(gConnStock);
        db::Recordset rs;
        // An empty keyset: adding rows needs no read of the catalogue.
        rs.Open(material::selectForInsert(), gConnStock, 1, 3);
        for (const NewMaterial& m : newMaterials_) {
            rs.AddNew();
            rs.setField("kodikos", m.code);
            rs.setField("mystock", m.quantity);
            rs.setField("Perigrafi", m.description);
            rs.setField("Axia", 0);
            rs.setField("promitheftis", qint16(Combo5->currentIndex()));
            rs.setField("minstock", 0);
            rs.setField("maxstock", 0);
            rs.setField("exeielegxo", Check1->isChecked());
            rs.setField("typosyli", 0);
            rs.Update();
        }
        rs.Close();
        transaction.Commit();
    } catch (const db::DatabaseError& e) {
        error = QString::fromUtf8(e.what());
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- delete, return

// Delete: the grid rows from the current row down to the selection's end; a selection drawn
// upwards removes nothing, and the last data row stays.
void Form5::XPButton6_Click()
{
    try {
        MSFlexGrid1->RemoveItems(std::max(MSFlexGrid1->Row(), 1), MSFlexGrid1->RowSel());
    } catch (const std::out_of_range&) {
    }
    try {
        MSFlexGrid1->setRow(1);
        MSFlexGrid1->setRowSel(1);
    } catch (const std::out_of_range&) {
    }
}

void Form5::XPButton2_Click()
{
    Frame1->hide();
    Command1_Click();
}

void Form5::Command1_Click()
{
    ReturnToHomeScreen(this);
}
