#include "core/form4.h"
#include "core/application.h"
#include "core/helpers.h"
#include "core/mdiform1.h"
#include "core/startup.h"
#include "platform/messagebox.h"
#include "platform/units.h"
#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QLockFile>
#include <QPainter>
#include <QScreen>

namespace {

constexpr int kWidthTw = 7200;
constexpr int kHeightTw = 4200;

struct LabelDesign {
    const char* text;
    std::uint32_t color;
    int leftTw;
    int topTw;
    int pointSize;
};

// Each blue label lies just behind and beside its white twin.
const LabelDesign kLabels[4] = {
    {"Norvale", 0xFFFFFF, 240, 120, 36},
    {"Norvale", 0xFF0000, 300, 210, 36},
    {"Διαχείριση Αποθήκης", 0xFFFFFF, 1440, 3000, 20},
    {" Διαχείριση Αποθήκης", 0xFF0000, 1300, 3060, 20},
};

} // namespace

Form4::Form4(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form4"));
    setFixedSize(units::pxSize(kWidthTw, kHeightTw));
    for (std::size_t i = 0; i < Label1.size(); ++i) {
        const LabelDesign& design = kLabels[i];
        auto* label = new QLabel(QString::fromUtf8(design.text), this);
        label->setObjectName(QStringLiteral("Label1(%1)").arg(i));
        QFont font(QStringLiteral("Tahoma"), design.pointSize, QFont::Bold);
        label->setFont(font);
        units::setForeColor(label, design.color);
        label->move(units::pxPoint(design.leftTw, design.topTw));
        label->adjustSize();
        Label1[i] = label;
    }
    Label1[0]->raise();
    Label1[2]->raise();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());

    Timer1.setInterval(1200);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, reportingFailures(this, &Form4::Timer1_Timer));
}

Form4::~Form4() = default;

Form4::StartResult Form4::Form_Load(const QString& programFolder)
{
    startup::InstanceClaim claim = startup::claimSingleInstance();
    switch (claim.status) {
    case startup::InstanceClaim::Claimed:
        break;
    case startup::InstanceClaim::HeldByAnotherCopy:
        return StartResult::AlreadyRunning;
    case startup::InstanceClaim::CannotBeMade:
        // No other copy is known to run; without the lock none can be told from this one.
        msgbox::MsgBox(claim.reason, msgbox::Critical, QStringLiteral("S.O.S."));
        return StartResult::Failed;
    }
    instanceLock_ = std::move(claim.lock);
    if (!startup::OpenDatabases(programFolder))
        return StartResult::Failed;
    ResetExportSettings();
    startup::SelectConfiguredPrinter();
    startup::ReadInterfaceSettings();
    startup::CheckLanguageTable();
    Timer1.start();
    return StartResult::Ready;
}

void Form4::ResetExportSettings()
{
    SelectAllColumns();
    gShortageOnly = 0;
}

void Form4::Timer1_Timer()
{
    Unload(this);
    auto* main = new MDIForm1;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->holdInstanceLock(std::move(instanceLock_));
    main->show();
}

void Form4::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QLinearGradient gradient(rect().topLeft(), rect().bottomRight());
    gradient.setColorAt(0.0, QColor(20, 40, 110));
    gradient.setColorAt(0.6, QColor(70, 120, 190));
    gradient.setColorAt(1.0, QColor(190, 215, 240));
    painter.fillRect(rect(), gradient);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 2));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}
