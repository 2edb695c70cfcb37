#include "movements/form1.h"
#include "core/application.h"

#include "catalogue/material_record.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/jobimport.h"
#include "core/language.h"
#include "core/mdiform1.h"
#include "movements/form7.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/failure.h"
#include "platform/flexgrid.h"
#include "platform/hourglass.h"
#include "platform/messagebox.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QListWidget>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <optional>
#include <sqlite3.h>
#include <stdexcept>

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kFrameLeft = 12480;
constexpr int kDataRowHeight = 315;
using namespace jobline;
using units::place;

XPButton* button(QWidget* parent, const QString& name, const QString& caption, int left, int top)
{
    return XPButton::createDesigned(parent, name, caption, left, top, 2175, 1215);
}

// The analysis ends early: the job has more lines in one tab than the window can hold.
struct JobTooLong {};

// The most skipped lines that the report names one by one.
constexpr int kReportedLines = 20;

QString withdrawalTime(const Withdrawal& withdrawal)
{
    return withdrawal.when.toString("dd/MM/yyyy HH:mm");
}

QString failedUpdate(const db::DatabaseError& error)
{
    return "Η ενημέρωση της αποθήκης απέτυχε:\n" + QString::fromUtf8(error.what());
}

// The stock file replaced or deleted under the open connection (by another copy's database
// reset, for example): in WAL mode SQLite would go on writing into the old file without a word.
void requireStockFileInPlace()
{
    int moved = 0;
    if (sqlite3_file_control(gConnStock.handle(), "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved)
        throw db::DatabaseError(failure::databaseText(SQLITE_READONLY_DBMOVED, 0, {}).toStdString());
}

// Keeps a grid at its designed place, given in the tab control's coordinates as the tab
// control's own pages were drawn, and wholly inside its page (below the tab strip).
class GridInPage : public QObject {
public:
    GridInPage(QWidget* tabs, QWidget* page, QWidget* grid, const QRect& designed)
        : QObject(page), tabs_(tabs), page_(page), grid_(grid), designed_(designed)
    {
        page->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move)
            fit();
        return false;
    }

private:
    void fit()
    {
        const QPoint offset = page_->mapTo(tabs_, QPoint(0, 0));
        grid_->setGeometry(designed_.translated(-offset).intersected(page_->rect()));
    }
    QWidget* tabs_;
    QWidget* page_;
    QWidget* grid_;
    QRect designed_;
};

// A kind field: a whole number of one or two digits, blanks around it allowed.
std::optional<quint8> parseKind(const QString& field)
{
    const QString digits = conv::trimBlanks(field);
    if (digits.isEmpty() || digits.size() > 2)
        return std::nullopt;
    for (const QChar c : digits)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return quint8(digits.toUInt());
}

} // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Form1");
    setFont(QFont("Tahoma"));
    resize(units::pxSize(kWidthTw, kHeightTw));
    buildControls();
    connectHandlers();
    Form_Load();
}

Form1::~Form1() = default;

void Form1::buildControls()
{
    SSTab1 = place(new QTabWidget(this), "SSTab1", 120, 120, 12375, 10215);
    const std::array<QString, 3> captions {"Νέα υλικά", "Χωρίς έλεγχο", "Αποθήκη"};
    const std::array<std::uint32_t, 3> textColors {0xFF0000, 0x404000, 0x000000};
    const std::array<int, 3> columns {5, 5, 11};
    for (int i = 0; i < 3; ++i) {
        auto* page = new QWidget;
        SSTab1->addTab(page, captions[i]);
        FlexGrid* grid = place(new FlexGrid(page), QString("MSFlexGrid1(%1)").arg(i), 120, 600, 12135, 9495);
        new GridInPage(SSTab1, page, grid, units::pxRect(120, 600, 12135, 9495));
        grid->setCols(columns[i]);
        grid->setRows(2);
        grid->setFixedRows(1);
        grid->setFixedCols(0);
        grid->setForeColor(textColors[i]);
        grid->setBackColorBkg(kWhite);
        MSFlexGrid1[i] = grid;
    }
    SSTab1->setCurrentIndex(0);
    SSTab1->hide();

    Frame1[0] = place(new QFrame(this), "Frame1(0)", kFrameLeft, 0, 2535, 8655);
    units::setBackColor(Frame1[0], kWhite);
    Command2 = button(Frame1[0], "Command2", "~Eisagogi", 240, 840);
    XPButton6 = button(Frame1[0], "XPButton6", "~Diagrafi", 240, 2160);

    Frame1[1] = place(new QFrame(this), "Frame1(1)", kFrameLeft, 0, 2535, 8655);
    XPButton3 = button(Frame1[1], "XPButton3", "Έλεγχος", 240, 720);
    Frame1[1]->hide();

    Frame1[2] = place(new QFrame(this), "Frame1(2)", kFrameLeft, 0, 2535, 8775);
    XPButton1 = button(Frame1[2], "XPButton1", "Εκτέλεση", 240, 840);
    const std::array<QString, 3> classes {"Απαραίτητα", "Έλλειψη", "Επάρκεια"};
    const std::array<std::uint32_t, 3> classColors {0xC0E0FF, 0xC0C0FF, 0xC0FFC0};
    for (int i = 0; i < 3; ++i) {
        Check2[i] = place(new QCheckBox(classes[i], Frame1[2]), QString("Check2(%1)").arg(i),
                          360, 3720 + 480 * i, 1935, 255);
        units::setBackColor(Check2[i], classColors[i]);
    }
    XPButton2 = button(Frame1[2], "XPButton2", "Παραγγελία", 240, 5160);
    Frame1[2]->hide();

    // A panel outside the visible part of the window; nothing shows it. Hidden, so that
    // screen readers do not offer its buttons beside the working ones.
    Frame2 = place(new QFrame(this), "Frame2", kWidthTw + 600, 0, 2535, 3000);
    XPButton4 = button(Frame2, "XPButton4", "~Epistrofi", 240, 240);
    XPButton5 = button(Frame2, "XPButton5", "~Ektyposi", 240, 1560);
    Frame2->hide();

    Command1 = button(this, "Command1", "~Epistrofi", 12720, 8880);

    Check1 = new QCheckBox("Start Analysi", this);
    Check1->setObjectName("Check1");
    Check1->hide();
    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setFont(QFont("Courier New"));
    List1->hide();
}

void Form1::connectHandlers()
{
    connect(Check1, &QCheckBox::stateChanged, this, reportingFailures(this, &Form1::Check1_Click));
    connect(SSTab1, &QTabWidget::currentChanged, this, reportingFailures([this] { SSTab1_Click(-1); }));
    connect(Command1, &XPButton::Click, this, reportingFailures(this, &Form1::Command1_Click));
    connect(Command2, &XPButton::Click, this, reportingFailures(this, &Form1::Command2_Click));
    connect(XPButton1, &XPButton::Click, this, reportingFailures(this, &Form1::XPButton1_Click));
    connect(XPButton2, &XPButton::Click, this, reportingFailures(this, &Form1::XPButton2_Click));
    connect(XPButton4, &XPButton::Click, this, reportingFailures(this, &Form1::XPButton4_Click));
    connect(XPButton6, &XPButton::Click, this, reportingFailures(this, &Form1::XPButton6_Click));
}

void Form1::Form_Load()
{
    TranslateForm(this);
    RowNext = {1, 1, 1};
    ShortageCount = 0;
    for (FlexGrid* grid : MSFlexGrid1) {
        const std::array<int, 5> widths {2000, 6000, 1100, 1, 1};
        for (int c = 0; c < 5; ++c)
            grid->setColWidth(c, widths[c]);
        grid->setColAlignment(ColCode, 1);
        grid->setColAlignment(ColDescription, 1);
        grid->setColAlignment(ColQuantity, 7);
        grid->setColAlignment(ColKind, 7);
        grid->setTextMatrix(0, ColCode, TranslateText("kodikos"));
        grid->setTextMatrix(0, ColDescription, TranslateText("Perigrafi"));
        grid->setTextMatrix(0, ColQuantity, "Ποσότητα");
        grid->setTextMatrix(0, ColKind, TranslateText("Eidos"));
    }
    FlexGrid* stock = MSFlexGrid1[lookup::Controlled];
    const std::array<QString, 6> headers {"Stock", "Min", "Rest", "X", "Order", "IDpro"};
    for (int c = ColStock; c <= ColSupplier; ++c) {
        stock->setColWidth(c, c <= ColRest ? 800 : 1);
        stock->setTextMatrix(0, c, headers[c - ColStock]);
    }
}

void Form1::Check1_Click()
{
    if (!Check1->isChecked())
        return;
    Check1->setChecked(false);

    const int n = List1->count();
    if (n == 0) {
        msgbox::MsgBox("Unkonwn input error", msgbox::OkOnly);
        Command1_Click();
        return;
    }
    {
        const Hourglass hourglass;
        for (FlexGrid* grid : MSFlexGrid1)
            grid->setRows(2);
        skipped_.clear();
        stockLines_.clear();
        try {
            for (int i = 0; i < n; ++i)
                analyseLine(List1->item(i)->text(), i + 1);
        } catch (const db::DatabaseError& error) {
            // A failed look-up is no missing code: nothing may be offered for insert.
            abandonAnalysis("Ο έλεγχος των υλικών στην αποθήκη απέτυχε:\n" + QString::fromUtf8(error.what()));
            return;
        } catch (const JobTooLong&) {
            abandonAnalysis("Η εργασία έχει περισσότερες από " + conv::format(kMaxTabLines, "0")
                            + " γραμμές σε μία καρτέλα και δεν χωράει στο παράθυρο.");
            return;
        }

        for (int i = 0; i < 3; ++i) {
            FlexGrid* grid = MSFlexGrid1[i];
            grid->setRows(grid->Rows() - 1);
            const int k = grid->Rows() - 1;
            SSTab1->setTabText(i, conv::trimBlanks(SSTab1->tabText(i)) + ": " + conv::format(k, "0"));
        }
        if (MSFlexGrid1[lookup::Missing]->Rows() < 2) {
            Command2->hide();
            selectTab(lookup::Uncontrolled);
            if (MSFlexGrid1[lookup::Controlled]->Rows() >= 2)
                selectTab(lookup::Controlled);
        }
        if (MSFlexGrid1[lookup::Controlled]->Rows() < 2)
            XPButton1->setEnabled(false);
        if (ShortageCount > 0)
            Check2[1]->setChecked(true);
        SSTab1->show();
    }
    reportSkippedLines();
}

// The analysis cannot finish: say why and close the window; the job file stays as it is.
void Form1::abandonAnalysis(const QString& reason)
{
    msgbox::MsgBox(reason + "\nΤο αρχείο της εργασίας δεν άλλαξε.", msgbox::Critical, "Προσοχή");
    Command1_Click();
}

// One job line into the grid of its lookup outcome; lines that cannot be read are
// remembered for the report instead.
void Form1::analyseLine(const QString& line, int number)
{
    const int length = conv::len(line);
    if (length < kFirstLineLength)
        return;
    if (length < kFullLineLength) {
        skipped_.push_back({number, "δεν έχει είδος (λιγότεροι από 102 χαρακτήρες)"});
        return;
    }
    const auto quantity = conv::parseSingle(conv::mid(line, kQuantityAt, kQuantityWidth));
    if (!quantity) {
        skipped_.push_back({number, "η ποσότητα δεν είναι αριθμός"});
        return;
    }
    const auto kind = parseKind(conv::mid(line, kKindAt, kKindWidth));
    if (!kind) {
        skipped_.push_back({number, "το είδος δεν είναι ακέραιος αριθμός έως δύο ψηφίων"});
        return;
    }
    const QString code = conv::trimBlanks(conv::mid(line, kCodeAt, kCodeWidth));
    if (material::hasInvisibleCharacter(code)) {
        skipped_.push_back({number, material::invisibleCharacterReason()});
        return;
    }
    const QString description = conv::trimBlanks(conv::mid(line, kDescriptionAt, kDescriptionWidth));

    QStringList unreadable;
    const std::uint8_t g = LookupMaterialChecked(code, &unreadable);
    const float rest = gMyStock - *quantity;   // the stock left, for a stock-controlled material
    if (g == lookup::Controlled) {
        // Neither another material's figures nor a stock beyond the numbers' range may be shown,
        // and Execute would refuse the line.
        if (!unreadable.isEmpty()) {
            skipped_.push_back({number, "τα στοιχεία του υλικού στην αποθήκη δεν είναι αριθμοί ("
                                            + unreadable.join(", ") + ")"});
            return;
        }
        if (!std::isfinite(rest)) {
            skipped_.push_back({number, "το νέο απόθεμα ξεπερνά τα όρια των αριθμών"});
            return;
        }
    }
    const int r = RowNext[g];
    if (r > kMaxTabLines)
        throw JobTooLong {};
    FlexGrid* grid = MSFlexGrid1[g];
    grid->setTextMatrix(r, ColCode, code);
    grid->setTextMatrix(r, ColDescription, description);
    grid->setTextMatrix(r, ColQuantity, conv::singleText(*quantity));
    grid->setTextMatrix(r, ColKind, QString::number(*kind));
    if (g == lookup::Controlled) {
        grid->setTextMatrix(r, ColStock, conv::singleText(gMyStock));
        grid->setTextMatrix(r, ColMin, conv::singleText(gMinStock));
        grid->setTextMatrix(r, ColOrder, conv::singleText(gTmpNum1));
        grid->setTextMatrix(r, ColSupplier, QString::number(gSupplier));
        grid->setTextMatrix(r, ColRest, conv::singleText(rest));
        grid->setTextMatrix(r, ColMark, QString());
        if (rest < gMinStock) {
            grid->setRow(r);
            grid->setCol(ColRest);
            if (rest < 0) {
                grid->setCellBackColor(kShortageColor);
                grid->setTextMatrix(r, ColMark, "X");
                ++ShortageCount;
            } else {
                grid->setCellBackColor(kBelowMinimumColor);
                grid->setTextMatrix(r, ColMark, "!");
            }
        }
    }
    grid->setRowHeight(r, kDataRowHeight);
    grid->setRows(r + 2);
    RowNext[g] = r + 1;
    if (g == lookup::Controlled)
        stockLines_.push_back(number);
}

void Form1::reportSkippedLines()
{
    if (skipped_.isEmpty())
        return;
    QString text = "Οι παρακάτω γραμμές του αρχείου δεν αναλύθηκαν:";
    const int listed = std::min(int(skipped_.size()), kReportedLines);
    for (int i = 0; i < listed; ++i)
        text += QString("\nΓραμμή %1: %2").arg(skipped_[i].number).arg(skipped_[i].reason);
    if (skipped_.size() > listed)
        text += "\n... και άλλες " + conv::format(int(skipped_.size()) - listed, "0") + " γραμμές.";
    msgbox::MsgBox(text, msgbox::Exclamation, "Προσοχή");
}

// Selects a tab; the tab handler runs also when the tab is already selected.
void Form1::selectTab(int tab)
{
    if (SSTab1->currentIndex() == tab)
        SSTab1_Click(tab);
    else
        SSTab1->setCurrentIndex(tab);
}

void Form1::SSTab1_Click(int /*previousTab*/)
{
    for (QFrame* frame : Frame1)
        frame->hide();
    QFrame* frame = Frame1[SSTab1->currentIndex()];
    units::setBackColor(frame, kWhite);
    frame->move(units::pxPoint(kFrameLeft, 0));
    frame->show();
}

// Insert: the codes of tab 0 become materials without stock control and move to tab 1, all
// in one transaction. A row that cannot be stored stays in tab 0 and is reported, so that it
// is not taken for a material that exists; when the transaction itself fails, none is stored.
void Form1::Command2_Click()
{
    FlexGrid* missing = MSFlexGrid1[lookup::Missing];
    FlexGrid* uncontrolled = MSFlexGrid1[lookup::Uncontrolled];
    if (missing->Rows() < 2)
        return;
    const int n = missing->Rows() - 1;
    const Hourglass hourglass;
    std::vector<int> notStored;
    QString firstFailure;   // why the first refused row was refused
    try {
        db::Transaction transaction(gConnStock);
        requireStockFileInPlace();
        db::Recordset rs;
        // Only new rows are added: the recordset need not read the catalogue.
        rs.Open(material::selectForInsert(), gConnStock, 1, 3);
        for (int r = 1; r <= n; ++r) {
            const std::optional<QString> failure = insertNewMaterial(rs, r);
            if (!failure)
                continue;
            notStored.push_back(r);
            if (firstFailure.isEmpty())
                firstFailure = *failure;
            if (!gConnStock.inTransaction())   // the failure undid the rows stored before it
                throw db::DatabaseError(failure->toStdString());
        }
        rs.Close();
        transaction.Commit();
    } catch (const db::DatabaseError& error) {
        msgbox::MsgBox("Τα νέα υλικά δεν καταχωρήθηκαν:\n" + QString::fromUtf8(error.what()),
                       msgbox::Critical, "Προσοχή");
        return;
    }

    const int stored = n - int(notStored.size());
    int row = uncontrolled->Rows();
    uncontrolled->setRows(row + stored);
    for (int r = 1, next = 0; r <= n; ++r) {
        if (next < int(notStored.size()) && notStored[next] == r) {
            ++next;
            continue;
        }
        for (int c = ColCode; c <= ColEmpty; ++c)
            uncontrolled->setTextMatrix(row, c, missing->TextMatrix(r, c));
        ++row;
    }

    if (notStored.empty()) {
        missing->setRows(1);
        Command2->hide();
    } else {
        keepOnlyRows(missing, notStored);
        SSTab1->setTabText(lookup::Missing, "Νέα υλικά: " + conv::format(missing->Rows() - 1, "0"));
    }
    if (stored > 0)
        SSTab1->setTabText(lookup::Uncontrolled, conv::trimBlanks(SSTab1->tabText(lookup::Uncontrolled))
                                                     + " + " + conv::format(stored, "0"));
    if (notStored.empty()) {
        selectTab(lookup::Uncontrolled);
        return;
    }
    selectTab(lookup::Missing);
    QString codes;
    for (int r = 1; r < missing->Rows() && r <= kReportedLines; ++r)
        codes += "\n" + missing->TextMatrix(r, ColCode);
    if (missing->Rows() - 1 > kReportedLines)
        codes += "\n... και άλλοι " + conv::format(missing->Rows() - 1 - kReportedLines, "0");
    msgbox::MsgBox("Οι παρακάτω κωδικοί δεν καταχωρήθηκαν και έμειναν στα νέα υλικά:" + codes
                       + "\n\nΑιτία: " + firstFailure,
                   msgbox::Exclamation, "Προσοχή");
}

// Stores row r of tab 0 as a new material without stock control; the database's message
// when it cannot.
std::optional<QString> Form1::insertNewMaterial(db::Recordset& rs, int r)
{
    const FlexGrid* missing = MSFlexGrid1[lookup::Missing];
    try {
        rs.AddNew();
        rs.setField("Perigrafi", missing->TextMatrix(r, ColDescription));
        rs.setField("kodikos", missing->TextMatrix(r, ColCode));
        rs.setField("kodikos2", QString());
        for (const char* field : {"Axia", "Axia2", "nomisma", "typosyli", "monadametr", "promitheftis",
                                  "mystock", "minstock", "maxstock", "exeielegxo"})
            rs.setField(field, qint16(0));
        rs.Update();
        return std::nullopt;
    } catch (const db::DatabaseError& error) {
        rs.CancelUpdate();
        return QString::fromUtf8(error.what());
    }
}

// Removes every data row of a grid but the given ones (ascending row numbers).
void Form1::keepOnlyRows(FlexGrid* grid, const std::vector<int>& kept)
{
    for (int r = grid->Rows() - 1; r >= 1; --r)
        if (!std::binary_search(kept.begin(), kept.end(), r))
            grid->RemoveItem(r);
}

// Delete: the rows from the current row down to the selection's end; a selection drawn
// upwards removes nothing.
void Form1::XPButton6_Click()
{
    FlexGrid* grid = MSFlexGrid1[lookup::Missing];
    try {
        grid->RemoveItems(std::max(grid->Row(), 1), grid->RowSel());
    } catch (const std::out_of_range&) {
    }
    try {
        grid->setRow(1);
        grid->setRowSel(1);
    } catch (const std::out_of_range&) {
    }
    SSTab1->setTabText(lookup::Missing, "Νέα υλικά: " + conv::format(grid->Rows() - 1, "0"));
}

// Execute: the whole job leaves the stock in one transaction while the job file still holds
// the imported job; then the file keeps only what was appended since the import. A last line
// that was still being written at the import is no part of the job: it stays in the file.
void Form1::XPButton1_Click()
{
    const auto refuse = [](const QString& reason) {
        msgbox::MsgBox(reason + "\nΚαμία ποσότητα δεν άλλαξε.", msgbox::Critical, "Προσοχή");
    };
    const WithdrawableJob job = withdrawableJob(importedJob_);
    if (job.change)
        return refuse(*job.change);
    std::optional<Withdrawal> earlier;
    try {
        earlier = lastWithdrawal(job.bytes);
    } catch (const db::DatabaseError& error) {
        return refuse(failedUpdate(error));
    }
    JobLines lines {1, jobLineCount(job.bytes)};
    if (earlier) {
        const std::optional<int> first = confirmRepeatedWithdrawal(*earlier, job.bytes);
        if (!first)
            return;
        lines.first = *first;
    }
    const int shortages = shortagesAmong(lines);
    if (shortages > 0) {
        const QString question = "Υπάρχουν " + conv::format(shortages, "0")
            + " κωδικοί που δεν υπάρχουν στην αποθήκη. Συνέχεια;";
        if (msgbox::MsgBox(question, msgbox::YesNo | msgbox::Exclamation, "Προσοχή") == msgbox::No)
            return;
    }
    if (const std::optional<QString> failure = withdrawJob(job.bytes, lines, earlier))
        return refuse(*failure);
    if (afterWithdrawalCommitted)
        afterWithdrawalCommitted();
    removeJobFile(job.bytes);
    if (job.bytes.size() < importedJob_.size())
        msgbox::MsgBox("Η τελευταία γραμμή του αρχείου της εργασίας γραφόταν ακόμη κατά την εισαγωγή: "
                       "δεν αφαιρέθηκε από την αποθήκη και έμεινε ολόκληρη στο αρχείο.",
                       msgbox::Exclamation, "Προσοχή");
    msgbox::MsgBox("Οι ποσότητες ενημερώθηκαν", msgbox::Information, "Ολοκλήρωση εργασίας");
    Command1_Click();
}

// The job, or the job that the file begins with, was withdrawn before: the file step after
// that withdrawal may have been cut short, or the companion program wrote the same job again.
// Only the user can tell. The first job line to withdraw; nullopt when nothing is to change.
std::optional<int> Form1::confirmRepeatedWithdrawal(const Withdrawal& earlier, const QByteArray& job)
{
    if (earlier.length >= job.size()) {
        const QString question = "Η εργασία αυτή έχει ήδη αφαιρεθεί από την αποθήκη στις " + withdrawalTime(earlier)
            + ".\nΝα αφαιρεθούν οι ποσότητές της ξανά;";
        if (msgbox::MsgBox(question, msgbox::YesNo | msgbox::Exclamation | msgbox::DefaultButton2, "Προσοχή")
            == msgbox::Yes)
            return 1;
        return std::nullopt;
    }
    const int withdrawn = jobLineCount(job.left(earlier.length));
    const QString lines = withdrawn == 1 ? QString("Η πρώτη γραμμή")
                                         : "Οι πρώτες " + conv::format(withdrawn, "0") + " γραμμές";
    const QString question = lines + " του αρχείου της εργασίας είναι εργασία που έχει ήδη αφαιρεθεί από την "
        + "αποθήκη στις " + withdrawalTime(earlier) + ".\n\nΝαι: να αφαιρεθούν μόνο οι γραμμές που ακολουθούν."
        + "\nΌχι: να αφαιρεθούν ξανά όλες οι γραμμές.\nΆκυρο: καμία αλλαγή.";
    switch (msgbox::MsgBox(question, msgbox::YesNoCancel | msgbox::Exclamation, "Προσοχή")) {
    case msgbox::Yes:
        return withdrawn + 1;
    case msgbox::No:
        return 1;
    default:
        return std::nullopt;
    }
}

bool Form1::withdraws(int row, const JobLines& lines) const
{
    const int line = stockLines_.value(row - 1);
    return line >= lines.first && line <= lines.last;
}

// The rows of tab 2 that the withdrawal takes and that leave their stock below 0.
int Form1::shortagesAmong(const JobLines& lines) const
{
    const FlexGrid* grid = MSFlexGrid1[lookup::Controlled];
    int shortages = 0;
    for (int r = 1; r < grid->Rows(); ++r)
        if (withdraws(r, lines) && grid->TextMatrix(r, ColMark) == u"X")
            ++shortages;
    return shortages;
}

// Deducts the lines of tab 2 that the job bytes hold and notes the withdrawal, in one
// transaction that takes the database's write lock at its start, so that two copies of the
// program withdraw one after the other. It commits only while the job file still holds these
// bytes and no withdrawal of them came after the known one; otherwise, and on any failure,
// nothing changes and the answer says why.
std::optional<QString> Form1::withdrawJob(const QByteArray& job, const JobLines& lines,
                                          const std::optional<Withdrawal>& known)
{
    const Hourglass hourglass;
    try {
        db::Transaction transaction(gConnStock, db::TransactionMode::Immediate);
        requireStockFileInPlace();
        const WithdrawableJob now = withdrawableJob(importedJob_);
        std::optional<QString> failure = now.change;
        if (!failure && now.bytes != job)
            failure = "Το αρχείο της εργασίας άλλαξε μετά την εισαγωγή:\n" + jobFilePath();
        if (!failure) {
            const std::optional<Withdrawal> latest = lastWithdrawal(job);
            if (latest && !(known && *latest == *known))
                failure = "Η εργασία αφαιρέθηκε από την αποθήκη στις " + withdrawalTime(*latest)
                    + ", μετά την εισαγωγή της.";
        }
        for (int r = 1; !failure && r < MSFlexGrid1[lookup::Controlled]->Rows(); ++r)
            if (withdraws(r, lines))
                failure = deductRow(r);
        if (failure)
            return failure;
        recordWithdrawal(job);
        transaction.Commit();
        return std::nullopt;
    } catch (const db::DatabaseError& error) {
        return failedUpdate(error);
    }
}

// Deducts row r of tab 2; why not, when the stock cannot take it.
std::optional<QString> Form1::deductRow(int r)
{
    const FlexGrid* grid = MSFlexGrid1[lookup::Controlled];
    const QString code = grid->TextMatrix(r, ColCode);
    const std::optional<float> quantity = conv::parseSingle(grid->TextMatrix(r, ColQuantity));
    if (!quantity)
        return "Η ποσότητα του κωδικού " + code + " δεν είναι αριθμός.";
    switch (DeductStockChecked(code, *quantity)) {
    case Deduction::Done:
        break;
    case Deduction::StockUnreadable:
        return "Το απόθεμα του κωδικού " + code + " στην αποθήκη δεν είναι αριθμός.";
    case Deduction::BeyondRange:
        return "Το νέο απόθεμα του κωδικού " + code + " ξεπερνά τα όρια των αριθμών.";
    }
    return std::nullopt;
}

// The withdrawn job leaves the job file; a job file that was replaced since the commit is a
// new job and stays.
void Form1::removeJobFile(const QByteArray& withdrawn)
{
    const QString path = jobFilePath();
    switch (removeWithdrawnJob(withdrawn)) {
    case JobFileStep::Done:
        break;
    case JobFileStep::Replaced:
        msgbox::MsgBox("Το αρχείο της εργασίας άλλαξε μετά την εισαγωγή και δεν διαγράφηκε:\n" + path
                           + "\nΠεριέχει νέα εργασία, που δεν αφαιρέθηκε από την αποθήκη.",
                       msgbox::Exclamation, "Προσοχή");
        break;
    case JobFileStep::Failed:
        msgbox::MsgBox("Η εργασία αφαιρέθηκε από την αποθήκη, αλλά το αρχείο της δεν ενημερώθηκε:\n" + path
                           + "\nΑφαιρέστε την από το αρχείο, ώστε να μην εισαχθεί ξανά.",
                       msgbox::Critical, "Προσοχή");
        break;
    }
}

// The order sheet, for at least one ticked stock class.
void Form1::XPButton2_Click()
{
    if (std::any_of(Check2.begin(), Check2.end(), [](const QCheckBox* box) { return box->isChecked(); }))
        Form7::ShowSheet();
}

void Form1::XPButton4_Click()
{
    Frame2->hide();
}

void Form1::Command1_Click()
{
    if (MDIForm1* main = MDIForm1::instance())
        main->showMenuPanel();
    Unload(this);
}
