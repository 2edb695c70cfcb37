#include "catalogue/form2.h"
#include "core/application.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/language.h"
#include "core/mdiform1.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "platform/hourglass.h"
#include "platform/messagebox.h"
#include "platform/units.h"
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <initializer_list>

namespace {

void openSupplier(db::Recordset& rs, int id)
{
    rs.Open(QStringLiteral("select * from Promithf where ID=?"), gConnStock, {id});
}

// A text box's Change event fires only when its text really changes.
void setBoxText(QPlainTextEdit* box, const QString& text)
{
    if (box->toPlainText() != text)
        box->setPlainText(text);
}

// The label above a box names it for assistive technology too.
void addLabel(QWidget* parent, const QString& text, int leftTw, int topTw, QWidget* box)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(units::pxRect(leftTw, topTw, 4000, 300));
    label->setBuddy(box);
}

// Writes a field only when its text differs, so showing a record as stored writes nothing.
void assign(db::Recordset& rs, const QString& field, const QString& text)
{
    if (rs.field(field).toString() != text)
        rs.setField(field, text);
}

// A multi-line box: Tab and Shift+Tab move the focus, as in every other box.
QPlainTextEdit* multiLineBox(QWidget* parent, const QString& name, int leftTw, int topTw, int widthTw, int heightTw)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(name);
    box->setGeometry(units::pxRect(leftTw, topTw, widthTw, heightTw));
    box->setTabChangesFocus(true);
    return box;
}

} // namespace

Form2::Form2(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("Form2");
    buildControls();
    Form_Load();
}

Form2::~Form2()
{
    // The boxes go after this object's own part: none of their last signals may reach it.
    for (QObject* control : std::initializer_list<QObject*> {List1, Text1, Text2, Text3, Command1})
        control->disconnect(this);
}

void Form2::buildControls()
{
    resize(units::pxSize(15400, 11600));

    constexpr int boxLeft = 5400;
    constexpr int boxWidth = 9600;

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setGeometry(units::pxRect(240, 660, 4920, 9435));
    List1->setAccessibleName("Προμηθευτές");

    Text1 = new QLineEdit(this);
    Text1->setObjectName("Text1");
    Text1->setGeometry(units::pxRect(boxLeft, 660, boxWidth, 375));
    addLabel(this, "Ονομασία", boxLeft, 360, Text1);

    Text2 = multiLineBox(this, "Text2", boxLeft, 1560, boxWidth, 3900);
    addLabel(this, "Στοιχεία", boxLeft, 1260, Text2);

    Text3 = multiLineBox(this, "Text3", boxLeft, 6000, boxWidth, 2640);
    addLabel(this, "Σχόλια", boxLeft, 5700, Text3);

    Command1 = XPButton::createDesigned(this, "Command1", "~Epistrofi");
    Command1->setGeometry(units::pxRect(12825, 8880, 2175, 1215));

    // Setting a selection or a text from code runs these handlers too, as the window expects.
    connect(List1, &QListWidget::currentRowChanged, this, reportingFailures([this](int row) {
        if (row >= 0)
            List1_Click();
    }));
    connect(Text1, &QLineEdit::textChanged, this, reportingFailures(this, &Form2::Text1_Change));
    connect(Text2, &QPlainTextEdit::textChanged, this, reportingFailures(this, &Form2::Text2_Change));
    connect(Text3, &QPlainTextEdit::textChanged, this, reportingFailures(this, &Form2::Text3_Change));
    connect(Command1, &XPButton::Click, this, reportingFailures(this, &Form2::Command1_Click));
}

void Form2::Form_Load()
{
    TranslateForm(this);
    runReportingFailures([this] { FillSupplierList(); });
}

int Form2::selectedId() const
{
    const QListWidgetItem* item = List1->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : 0;
}

void Form2::FillSupplierList()
{
    {
        const QSignalBlocker quiet(List1);
        List1->clear();
        Hourglass hourglass;
        db::Recordset rs;
        rs.Open("select * from Promithf order by ID", gConnStock);
        for (; !rs.Eof(); rs.MoveNext()) {
            auto* item = new QListWidgetItem(SafeTrim(rs.field("Perigrafi")), List1);
            item->setData(Qt::UserRole, rs.field("ID"));
        }
        rs.Close();
        List1->setCurrentRow(-1);
    }
    // Selecting the first entry shows the first supplier (an empty table shows nothing).
    List1->setCurrentRow(0);
}

void Form2::ShowSupplier()
{
    const int id = selectedId();
    if (id == 0)
        return;
    QString name, details, comments;
    {
        Hourglass hourglass;
        db::Recordset rs;
        openSupplier(rs, id);
        if (rs.Eof())
            return;
        name = SafeTrim(rs.field("Perigrafi"));
        details = SafeTrim(rs.field("stoixeia"));
        comments = SafeTrim(rs.field("stoixeia2"));
        rs.Close();
    }
    // The boxes take the record's texts first; then the name's Change handling runs once
    // (also when the box already holds that name), so a blank name is stored as "-" and the
    // record gets its trimmed texts, and nothing of the supplier shown before reaches it.
    {
        const QSignalBlocker quietDetails(Text2);
        const QSignalBlocker quietComments(Text3);
        setBoxText(Text2, details);
        setBoxText(Text3, comments);
    }
    if (Text1->text() == name)
        Text1_Change();
    else
        Text1->setText(name);
}

void Form2::SaveSupplier()
{
    const int id = selectedId();
    if (id == 0)
        return;
    Hourglass hourglass;
    db::Recordset rs;
    openSupplier(rs, id);
    if (!rs.Eof()) {
        assign(rs, "Perigrafi", conv::trimBlanks(Text1->text()));
        assign(rs, "stoixeia", withLineBreaksOf(SafeTrim(Text2->toPlainText()), rs.field("stoixeia").toString()));
        assign(rs, "stoixeia2", withLineBreaksOf(SafeTrim(Text3->toPlainText()), rs.field("stoixeia2").toString()));
        rs.Update();
    }
    rs.Close();
}

void Form2::List1_Click()
{
    runReportingFailures([this] { ShowSupplier(); });
    // During load the window cannot take the focus yet; that is harmless.
    Text1->setFocus();
    Text1->setSelection(0, 99);
}

void Form2::Text1_Change()
{
    // An emptied name is never stored: "-" takes its place (that change runs this again).
    if (conv::trimBlanks(Text1->text()).isEmpty())
        Text1->setText("-");
    if (QListWidgetItem* item = List1->currentItem())
        item->setText(Text1->text());
    runReportingFailures([this] { SaveSupplier(); });
}

void Form2::Text2_Change()
{
    runReportingFailures([this] { SaveSupplier(); });
}

void Form2::Text3_Change()
{
    runReportingFailures([this] { SaveSupplier(); });
}

void Form2::Command1_Click()
{
    ReturnToHomeScreen(this);
}
