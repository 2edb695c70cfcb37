#include "core/form6.h"
#include "core/application.h"
#include "controls/xpbutton.h"
#include "core/language.h"
#include "core/mdiform1.h"
#include "core/stock_reset.h"
#include "core/version.h"
#include "platform/messagebox.h"
#include "platform/units.h"
#include <QCheckBox>
#include <QFrame>
#include <QLabel>

namespace {

struct ButtonDesign {
    XPButton* Form6::*member;
    const char* name;
    const char* caption;
    int leftTw;
    int topTw;
};

const ButtonDesign kButtons[] = {
    {&Form6::XPButton1, "XPButton1", "Delete Database", 360, 360},
    {&Form6::XPButton2, "XPButton2", "- - -", 360, 1920},
    {&Form6::XPButton3, "XPButton3", "- - -", 360, 3480},
    {&Form6::XPButton4, "XPButton4", "Copy database", 2880, 360},
    {&Form6::XPButton5, "XPButton5", "- - -", 2880, 1920},
    {&Form6::XPButton6, "XPButton6", "- - -", 2880, 3480},
    {&Form6::backBut, "backBut", "~Epistrofi", 12720, 9120},
};

constexpr int kButtonWidthTw = 2175;
constexpr int kButtonHeightTw = 1215;
constexpr std::uint32_t kVersionColor = 0x404040;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

} // namespace

Form6::Form6(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Form6"));
    buildControls();
    Form_Load();
}

void Form6::buildControls()
{
    resize(units::pxSize(15400, 11600));
    for (const ButtonDesign& design : kButtons) {
        XPButton* button = XPButton::createDesigned(this, QString::fromLatin1(design.name),
                                                    QString::fromUtf8(design.caption));
        button->setGeometry(units::pxRect(design.leftTw, design.topTw, kButtonWidthTw, kButtonHeightTw));
        this->*design.member = button;
    }
    // Buttons without an action are shown as unavailable rather than doing nothing.
    for (XPButton* idle : {XPButton2, XPButton3, XPButton4, XPButton5, XPButton6})
        idle->setEnabled(false);
    connect(XPButton1, &XPButton::Click, this, reportingFailures(this, &Form6::XPButton1_Click));
    connect(backBut, &XPButton::Click, this, reportingFailures(this, &Form6::backBut_Click));

    Label1[0] = addLabel(this, QStringLiteral("Label1(0)"),
                         QStringLiteral("Norvale Διαχείριση Αποθήκης"),
                         units::pxRect(5760, 360, 9240, 615));
    Label1[0]->setFont(QFont(QStringLiteral("Tahoma"), 18, QFont::Bold));
    Label1[1] = addLabel(this, QStringLiteral("Label1(1)"), QString(), units::pxRect(240, 9480, 6615, 375));
    units::setForeColor(Label1[1], kVersionColor);
}

QString Form6::versionText()
{
    return QStringLiteral("Version : %1.%2.%3").arg(version::kMajor).arg(version::kMinor).arg(version::kRevision);
}

void Form6::Form_Load()
{
    TranslateForm(this);
    Label1[1]->setText(versionText());
}

void Form6::backBut_Click()
{
    ReturnToHomeScreen(this);
}

void Form6::XPButton1_Click()
{
    if (msgbox::MsgBox(QStringLiteral("Να σβηστεί η βάση δεδομένων;"),
                       msgbox::YesNo | msgbox::Exclamation, QStringLiteral("Προσοχή"))
        == msgbox::No)
        return;
    // Disabled before events run in the reset's pauses, so no second reset can start.
    XPButton1->setEnabled(false);
    // The window may be gone when this returns: nothing of it is touched afterwards.
    ResetStockDatabase();
}
