// The material editor of the materials window: the frame that shows one material over the
// list, steps through the list, and saves a new or a changed material.

#include "catalogue/form3.h"
#include "catalogue/form3_shared.h"

#include "catalogue/material_picture.h"
#include "catalogue/material_record.h"
#include "catalogue/supplier_record.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "platform/convert.h"
#include "platform/covering.h"
#include "platform/database.h"
#include "platform/flexgrid.h"
#include "platform/hourglass.h"
#include "platform/messagebox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QToolButton>

using namespace form3;

namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBandColor = 0xFFE0C0;
constexpr int kBoxHeight = 315;

// Editor boxes of the stored figures, by field name.
struct FigureBox {
    const char* field;
    int index;
};
constexpr FigureBox kFigureBoxes[] = {
    {"Axia", 3}, {"mystock", 4}, {"minstock", 5}, {"maxstock", 6}, {"tmpNum1", 9},
};

// A figure shown for editing: the shortest text that reads back as the same single-precision
// value, so that saving it unchanged stores what was there; no value shows an empty box.
QString figureText(const QVariant& value)
{
    const std::optional<double> number = value.isNull() ? std::nullopt : conv::toNumber(value);
    return number ? conv::shortestSingleText(float(*number)) : QString();
}

// A stored list position; one outside the list shows no choice.
void selectPosition(QComboBox* combo, const QVariant& value)
{
    const std::optional<double> number = value.isNull() ? std::nullopt : conv::toNumber(value);
    const std::optional<qint32> position = number ? conv::toInt32(*number) : std::nullopt;
    combo->setCurrentIndex(position && *position >= 0 && *position < combo->count() ? *position : -1);
}

// A field as a list cell: numbers in their general text form, texts as stored.
std::optional<QString> cellText(const QVariant& value)
{
    if (value.isNull())
        return std::nullopt;
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float)
        return conv::singleText(value.toFloat());
    return value.toString();
}

QLabel* label(QWidget* parent, const QString& name, const QString& caption, int left, int top, int width = 1800)
{
    return place(new QLabel(caption, parent), name, left, top + 30, width, 255);
}

QFrame* whiteBox(QWidget* parent, int left, int top, int width, int height)
{
    auto* box = new QFrame(parent);
    box->setGeometry(units::pxRect(left, top, width, height));
    units::setBackColor(box, kWhite);
    return box;
}

} // namespace

void Form3::buildEditor()
{
    Frame1 = place(new QFrame(this), "Frame1", 14520, 4320, 15015, 10575);
    Frame1->setAutoFillBackground(true);
    Frame1->hide();
    // The list cannot be used while the editor lies over it.
    coverWhileShown(Frame1);

    auto* band = new QFrame(Frame1);
    band->setGeometry(units::pxRect(0, 8880, 15015, 1695));
    units::setBackColor(band, kBandColor);
    whiteBox(Frame1, 7080, 5760, 2415, 555);    // behind the shelf box
    whiteBox(Frame1, 10200, 5760, 2175, 555);   // behind the check box
    whiteBox(Frame1, 2640, 5640, 2895, 2895);   // behind the picture

    const auto lineBox = [this](int index, int left, int top, int width) {
        auto* box = place(new QLineEdit(Frame1), QString("Text1(%1)").arg(index), left, top, width, kBoxHeight);
        text1_[std::size_t(index)] = box;
        return box;
    };
    Label1[0] = label(Frame1, "Label1(0)", "~Perigrafi", 240, 240);
    Label1[0]->setBuddy(lineBox(0, 2640, 240, 9735));
    Label1[1] = label(Frame1, "Label1(1)", "~Kodikos", 240, 840);
    Label1[1]->setBuddy(lineBox(1, 2640, 840, 3735));
    Label2 = label(Frame1, "Label2", "NewItem", 6480, 840, 1095);
    Label1[2] = label(Frame1, "Label1(2)", "~Apothiki", 7320, 840, 1400);
    Label1[2]->setBuddy(lineBox(2, 8760, 840, 3615));
    Label1[3] = label(Frame1, "Label1(3)", "~Axia", 240, 1440);
    Label1[3]->setBuddy(lineBox(3, 2640, 1440, 3735));
    Label1[4] = label(Frame1, "Label1(4)", "~Nomisma", 7320, 1440, 1400);
    Combo1 = place(new QComboBox(Frame1), "Combo1", 8760, 1440, 3615, kBoxHeight);
    Label1[4]->setBuddy(Combo1);
    Label1[6] = label(Frame1, "Label1(6)", "~Typos", 240, 2040);
    Combo4 = place(new QComboBox(Frame1), "Combo4", 2640, 2040, 2655, kBoxHeight);
    Label1[6]->setBuddy(Combo4);
    Combo2 = place(new QComboBox(Frame1), "Combo2", 5280, 2040, 1095, kBoxHeight);
    Combo2->setAccessibleName("Μονάδα μέτρησης");
    Label1[7] = label(Frame1, "Label1(7)", "~Promitheftis", 7320, 2040, 1400);
    Combo3 = place(new QComboBox(Frame1), "Combo3", 8760, 2040, 3615, kBoxHeight);
    Label1[7]->setBuddy(Combo3);

    Label1[5] = label(Frame1, "Label1(5)", "Stock", 240, 3120);
    Label1[9] = label(Frame1, "Label1(9)", "~Apothiki", 2640, 2820);
    Label1[10] = label(Frame1, "Label1(10)", "MIN", 5040, 2820);
    Label1[11] = label(Frame1, "Label1(11)", "MAX", 7440, 2820);
    Label1[16] = label(Frame1, "Label1(16)", "Παραγγελία", 9840, 2820);
    lineBox(4, 2640, 3120, 2415)->setText("0");
    lineBox(5, 5040, 3120, 2415)->setText("0");
    lineBox(6, 7440, 3120, 2415)->setText("0");
    lineBox(9, 9840, 3120, 2535)->setText("0");
    // Each figure box is named by the caption above it.
    for (const auto& [caption, box] : {std::pair {9, 4}, {10, 5}, {11, 6}, {16, 9}})
        Label1[std::size_t(caption)]->setBuddy(text1_[std::size_t(box)]);

    Label1[12] = label(Frame1, "Label1(12)", "~Sxolia", 240, 3840);
    comments_ = place(new QPlainTextEdit(Frame1), "Text1(7)", 2640, 3840, 9735, 1440);
    comments_->setTabChangesFocus(true);
    text1_[7] = comments_;
    Label1[12]->setBuddy(comments_);
    Label1[17] = label(Frame1, "Label1(17)", "~Rafi", 6000, 5800, 1095);
    Label1[17]->setBuddy(lineBox(10, 7200, 5800, 2175));
    Check1 = place(new QCheckBox("Έλεγχος", Frame1), "Check1", 10320, 5880, 1935, 315);
    units::setBackColor(Check1, kWhite);

    // The picture area; its tools belong to the picture handling of the editor.
    Label1[13] = label(Frame1, "Label1(13)", "Φωτογραφία", 1080, 5640, 1455);
    Label1[18] = label(Frame1, "Label1(18)", QString(), 120, 6000, 2415);
    buildPictureTools();

    Command6[0] = XPButton::createDesigned(Frame1, "Command6(0)", QString(), 13440, 240, 1215, 1215);
    Command6[0]->setPicture(style()->standardPixmap(QStyle::SP_ArrowUp));
    Command6[0]->setToolTip("Προηγούμενο");
    Command6[1] = XPButton::createDesigned(Frame1, "Command6(1)", QString(), 13440, 1680, 1215, 1215);
    Command6[1]->setPicture(style()->standardPixmap(QStyle::SP_ArrowDown));
    Command6[1]->setToolTip("Επόμενο");
    Command7 = XPButton::createDesigned(Frame1, "Command7", "~Apothikefsi", 240, 9120, 2175, 1215);
    Command5 = XPButton::createDesigned(Frame1, "Command5", "~Epistrofi", 12600, 9120, 2175, 1215);
}

QLineEdit* Form3::lineBox(int index) const
{
    return qobject_cast<QLineEdit*>(text1_[std::size_t(index)]);
}

QString Form3::Text1(int index) const
{
    if (QLineEdit* box = lineBox(index))
        return box->text();
    return comments_->toPlainText();
}

void Form3::setText1(int index, const QString& text)
{
    if (QLineEdit* box = lineBox(index))
        box->setText(text);
    else
        comments_->setPlainText(text);
}

void Form3::FillCombos()
{
    // Every list is filled even when one cannot be read; the first failure is passed on.
    std::optional<db::DatabaseError> failure;
    const auto attempt = [&failure](auto&& work) {
        try {
            work();
        } catch (const db::DatabaseError& error) {
            if (!failure)
                failure = error;
        }
    };
    const QSignalBlocker quietSuppliers(Combo5);
    const QSignalBlocker quietCheck(Combo6);
    for (QComboBox* combo : {Combo1, Combo4, Combo2, Combo3, Combo5, Combo6})
        combo->clear();

    attempt([this] { Combo1->addItems(material::currencyList()); });
    Combo1->setCurrentIndex(Combo1->count() > 0 ? 0 : -1);

    attempt([this] {
        try {
            Combo4->addItems(material::typeList());
        } catch (const db::DatabaseError&) {
            Combo4->addItems(material::typeKeys());   // the positions must stay whole
            throw;
        }
    });
    Combo4->setCurrentIndex(0);
    Combo2->addItems(material::unitList());
    Combo2->setCurrentIndex(0);

    Combo3->addItem(" - ");
    Combo5->addItem(" - ");
    attempt([this] {
        const QStringList suppliers = supplier::choiceList().mid(1);
        Combo3->addItems(suppliers);
        Combo5->addItems(suppliers);
    });
    Combo3->setCurrentIndex(0);
    Combo5->setCurrentIndex(-1);

    Combo6->addItems({"-ΟΛΑ-", "Με έλεγχο", "Χωρίς έλεγχο"});
    Combo6->setCurrentIndex(0);
    if (failure)
        throw *failure;
}

void Form3::Command2_Click()
{
    if (MSFlexGrid1->Rows() < 2 || !ShowMaterial())
        return;
    Command6[0]->show();
    Command6[1]->show();
    ImageX[1]->show();
    Frame1->move(0, 0);
    Frame1->show();
    Frame1->raise();
}

void Form3::Command4_Click()
{
    newMode = true;
    Command6[0]->hide();
    Command6[1]->hide();
    ImageX[1]->hide();
    Frame1->move(0, 0);
    Frame1->show();
    Frame1->raise();
    setText1(3, "0");
    for (int index = 0; index <= 8; ++index)
        setText1(index, QString());
    setText1(3, "0");
    clearPicture();
    Combo3->setCurrentIndex(Combo5->currentIndex());
}

void Form3::Command5_Click()
{
    newMode = false;
    Frame1->hide();
}

void Form3::Command6_Click(int index)
{
    FlexGrid* grid = MSFlexGrid1;
    const int row = grid->Row();
    if (row < 1 || (index == 0 && row == 1) || (index == 1 && row == grid->Rows() - 1))
        return;
    grid->setRow(index == 0 ? row - 1 : row + 1);
    grid->setCol(0);
    grid->setColSel(5);
    ShowMaterial();
}

bool Form3::ShowMaterial()
{
    const std::optional<long> id = listedId(MSFlexGrid1->Row());
    if (!id)
        return false;
    {
        const Hourglass hourglass;
        try {
            db::Recordset rs;
            material::openById(rs, gConnStock, *id);
            if (rs.Eof()) {
                msgbox::MsgBox("Το υλικό δεν υπάρχει πια στην αποθήκη.", msgbox::Exclamation);
                return false;
            }
            Label2->setText(rs.field("ID").toString());
            setText1(0, SafeTrim(rs.field("Perigrafi")));
            setText1(1, SafeTrim(rs.field("kodikos")));
            setText1(2, SafeTrim(rs.field("kodikos2")));
            for (const FigureBox& box : kFigureBoxes)
                setText1(box.index, figureText(rs.field(box.field)));
            Check1->setChecked(rs.field("exeielegxo").toBool());
            setText1(7, SafeTrim(rs.field("stoixeia2")));
            setText1(10, SafeTrim(rs.field("tmpString1")));
            selectPosition(Combo3, rs.field("promitheftis"));
            selectPosition(Combo4, rs.field("typosyli"));
            selectPosition(Combo2, rs.field("monadametr"));
            rs.Close();
        } catch (const db::DatabaseError& error) {
            reportFailure("Το υλικό δεν διαβάστηκε.", error);
            return false;
        }
    }
    showPicture();
    return true;
}

void Form3::Command7_Click()
{
    if (conv::trimBlanks(Text1(0)).isEmpty())
        return;
    if (material::hasInvisibleCharacter(conv::trimBlanks(Text1(1)))) {
        msgbox::MsgBox("Το υλικό δεν αποθηκεύτηκε: " + material::invisibleCharacterReason() + ".",
                       msgbox::Exclamation);
        return;
    }
    const bool adding = newMode;
    bool stored = false;
    {
        const Hourglass hourglass;
        stored = storeMaterial(adding);
    }
    // A failed save has been reported; the editor keeps what the user typed.
    if (!stored || !adding)
        return;
    Combo5_Click();
    newMode = false;
    Frame1->hide();
}

bool Form3::storeMaterial(bool adding)
{
    // A changed material is saved under the identifier the editor shows, whatever row of
    // the list is current by now.
    std::optional<long> id;
    if (!adding) {
        bool ok = false;
        const long shown = Label2->text().toLong(&ok);
        if (!ok)
            return false;
        id = shown;
    }
    try {
        db::Recordset rs;
        if (adding) {
            rs.Open(material::selectForInsert(), gConnStock);
            rs.AddNew();
        } else {
            material::openById(rs, gConnStock, *id);
            if (rs.Eof()) {
                msgbox::MsgBox("Το υλικό δεν υπάρχει πια στην αποθήκη· οι αλλαγές δεν αποθηκεύτηκαν.",
                               msgbox::Exclamation);
                return false;
            }
        }
        rs.setField("Perigrafi", conv::trimBlanks(Text1(0)));
        rs.setField("kodikos", conv::trimBlanks(Text1(1)));
        rs.setField("kodikos2", conv::trimBlanks(Text1(2)));
        // A box that does not hold a number, or still shows the stored figure, leaves its
        // field as it is.
        for (const FigureBox& box : kFigureBoxes) {
            const QString text = Text1(box.index);
            if (!adding && text == figureText(rs.field(box.field)))
                continue;
            if (const std::optional<float> value = conv::parseSingle(text))
                rs.setField(box.field, *value);
        }
        // A stored position that the lists lack showed no choice: it is kept.
        if (Combo3->currentIndex() >= 0)
            rs.setField("promitheftis", Combo3->currentIndex());
        if (Combo4->currentIndex() >= 0)
            rs.setField("typosyli", Combo4->currentIndex());
        if (Combo2->currentIndex() >= 0)
            rs.setField("monadametr", Combo2->currentIndex());
        rs.setField("exeielegxo", Check1->isChecked());
        rs.setField("stoixeia2", withLineBreaksOf(conv::trimBlanks(Text1(7)), rs.field("stoixeia2").toString()));
        rs.setField("tmpString1", conv::trimBlanks(Text1(10)));
        rs.Update();
        // A new material reaches the list by the refill that follows.
        if (!adding) {
            const int row = rowOf(*id);
            if (row > 0)
                writeListRow(row, rs);
        }
        rs.Close();
    } catch (const db::DatabaseError& error) {
        reportFailure("Το υλικό δεν αποθηκεύτηκε.", error);
        return false;
    }
    if (!adding)
        savePicture();
    return true;
}

// The saved material's cells of its list row; its colour and the totals wait for a refill.
void Form3::writeListRow(int row, const db::Recordset& rs)
{
    FlexGrid* grid = MSFlexGrid1;
    const QVariant id = rs.field(material::ID);
    if (!id.isNull())
        grid->setTextMatrix(row, ColId, conv::format(id.toLongLong(), "0000"));
    for (int c = 1; c <= ColCheck; ++c)
        if (const std::optional<QString> text = cellText(rs.field(c)))
            grid->setTextMatrix(row, c, *text);
    const QVariant controlled = rs.field(material::exeielegxo);
    if (!controlled.isNull())
        grid->setTextMatrix(row, ColCheck, controlled.toBool() ? "ok" : "--");
}

void Form3::clearPicture()
{
    ImageX_Click(0);
}

void Form3::showPicture()
{
    Label1[18]->setText(picture::fileName(Text1(1)));
    Picture2->showFile(Text1(1));
}

void Form3::savePicture()
{
    Picture2->saveFile(Text1(1));
}
