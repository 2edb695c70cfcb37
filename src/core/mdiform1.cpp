#include "core/mdiform1.h"
#include "core/application.h"
#include "catalogue/form2.h"
#include "catalogue/form3.h"
#include "controls/xpbutton.h"
#include "core/form6.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/jobimport.h"
#include "core/language.h"
#include "core/settings_string.h"
#include "core/startup.h"
#include "core/version.h"
#include "movements/form5.h"
#include "platform/database.h"
#include "platform/hourglass.h"
#include "platform/messagebox.h"
#include "platform/units.h"
#include <QCheckBox>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLockFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>

using units::px;
using units::pxPoint;
using units::pxRect;
using units::pxSize;
using units::tw;

namespace {

constexpr int kOuterWidthTw = 15400;
constexpr int kOuterHeightTw = 11600;
constexpr int kPanelWidthTw = 15105;
constexpr int kMenuPanelHeightTw = 1695;
constexpr int kTitlePanelHeightTw = 9030;
constexpr std::uint32_t kMenuPanelColor = 0xFFC0C0;
constexpr std::uint32_t kMenuPanelHiddenColor = 0xC0C0C0;
constexpr std::uint32_t kTitlePanelColor = 0xE0E0E0;

const char* const kMenuCaptions[6] = {
    "~Ylika", "Τιμολόγια", "~Promitheftes", "~Rythmiseis", "Εισαγωγή αρχείου", "~Exodos",
};

QLabel* titleLabel(const QString& name, std::uint32_t color, int leftTw, int topTw, QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("Διαχείριση αποθήκης"), parent);
    label->setObjectName(name);
    label->setFont(QFont(QStringLiteral("Tahoma"), 48, QFont::Bold));
    units::setForeColor(label, color);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(pxRect(leftTw, topTw, 14775, 1575));
    return label;
}

} // namespace

MDIForm1::MDIForm1(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MDIForm1"));
    setWindowTitle(QStringLiteral("Norvale: Stock control"));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildMenuPanel();
    buildTitlePanel();
    mdiArea = new QMdiArea(central);
    mdiArea->setObjectName(QStringLiteral("mdiArea"));
    layout->addWidget(Picture1);
    layout->addWidget(Picture2);
    layout->addWidget(mdiArea, 1);
    setCentralWidget(central);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    panel1_ = new QLabel(StatusBar1);
    panel1_->setObjectName(QStringLiteral("Panels(1)"));
    StatusBar1->addWidget(panel1_, 1);   // the panel takes the free width of the bar
    setStatusBar(StatusBar1);

    MDIForm_Resize();
    MDIForm_Load();
}

MDIForm1::~MDIForm1()
{
    // MDIForm_Terminate: the connections end with the main window.
    startup::CloseDatabases();
}

void MDIForm1::buildMenuPanel()
{
    Picture1 = new QFrame(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setFixedHeight(px(kMenuPanelHeightTw));
    setPicture1BackColor(kMenuPanelColor);
    for (int i = 0; i < int(Command2.size()); ++i) {
        auto* button = XPButton::createDesigned(Picture1, QStringLiteral("Command2(%1)").arg(i),
                                                QString::fromUtf8(kMenuCaptions[i]));
        button->setGeometry(pxRect(240 + 2400 * i, 240, 2175, 1215));
        connect(button, &XPButton::Click, this, reportingFailures([this, i] { Command2_Click(i); }));
        Command2[std::size_t(i)] = button;
    }
    Check1 = new QCheckBox(QStringLiteral("Check1"), Picture1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(pxRect(12000, 1080, 255, 495));
    units::setBackColor(Check1, 0x8080FF);
    connect(Check1, &QCheckBox::toggled, this, reportingFailures(this, &MDIForm1::Check1_Click));
}

void MDIForm1::buildTitlePanel()
{
    Picture2 = new QFrame(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setMinimumWidth(px(kPanelWidthTw));
    units::setBackColor(Picture2, kTitlePanelColor);
    // The white text lies behind the dark blue one as its shadow.
    Label2 = titleLabel(QStringLiteral("Label2"), 0xFFFFFF, 180, 2445, Picture2);
    Label1 = titleLabel(QStringLiteral("Label1"), 0x800000, 120, 2400, Picture2);
    Check2 = new QCheckBox(Picture2);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->setAccessibleName(QStringLiteral("Πάντα στο προσκήνιο"));   // it has no caption
    Check2->setGeometry(pxRect(500, 8470, 255, 255));
    units::setBackColor(Check2, 0xFFFFFF);
    connect(Check2, &QCheckBox::toggled, this, reportingFailures(this, &MDIForm1::Check2_Click));
}

QString MDIForm1::panel1Text() const
{
    return panel1_->text();
}

void MDIForm1::setPanel1Text(const QString& text)
{
    panel1_->setText(text);
}

void MDIForm1::setPicture1BackColor(std::uint32_t color)
{
    picture1BackColor_ = color;
    units::setBackColor(Picture1, color);
}

std::uint32_t MDIForm1::picture1BackColor() const
{
    return picture1BackColor_;
}

void MDIForm1::showMenuPanel()
{
    Picture1->setVisible(true);
    setPicture1BackColor(kMenuPanelColor);
}

void MDIForm1::hideMenuPanel()
{
    Picture1->setVisible(false);
    setPicture1BackColor(kMenuPanelHiddenColor);
}

int MDIForm1::Left() const
{
    return tw(frameGeometry().x());
}

int MDIForm1::Top() const
{
    return tw(frameGeometry().y());
}

int MDIForm1::Width() const
{
    return tw(frameGeometry().width());
}

int MDIForm1::Height() const
{
    return tw(frameGeometry().height());
}

void MDIForm1::showChild(QWidget* form, int leftTw, int topTw, int widthTw, int heightTw)
{
    auto* sub = new QMdiSubWindow(mdiArea, Qt::FramelessWindowHint);
    sub->setWidget(form);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    // A window that unloads itself takes its sub-window along.
    connect(form, &QObject::destroyed, sub, &QObject::deleteLater);
    mdiArea->addSubWindow(sub);
    sub->setGeometry(pxRect(leftTw, topTw, widthTw, heightTw));
    sub->show();
}

void MDIForm1::moveChild(QWidget* form, int leftTw, int topTw)
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget()))
        sub->move(pxPoint(leftTw, topTw));
}

QString MDIForm1::versionText()
{
    return QStringLiteral("Norvale Stock Version %1.%2.%3")
        .arg(version::kMajor, 2, 10, QLatin1Char('0'))
        .arg(version::kMinor)
        .arg(version::kRevision);
}

void MDIForm1::holdInstanceLock(std::unique_ptr<QLockFile> lock)
{
    instanceLock_ = std::move(lock);
}

void MDIForm1::MDIForm_Load()
{
    Picture2->setFixedHeight(px(kTitlePanelHeightTw));
    setPanel1Text(versionText());
    TranslateForm(this);
    restorePosition();
}

QPoint MDIForm1::keptOnScreen(const QPoint& storedTw, const QSize& screenTw, const QSize& windowTw)
{
    return {std::min(storedTw.x(), screenTw.width() - windowTw.width()),
            std::min(storedTw.y(), screenTw.height() - windowTw.height())};
}

void MDIForm1::restorePosition()
{
    const QPoint stored = settings::mainWindowPosition(settings::read(gConnStock));
    const QSize screenPx = screen()->geometry().size();
    const QPoint position = keptOnScreen(stored, QSize(tw(screenPx.width()), tw(screenPx.height())),
                                         QSize(Width(), Height()));
    move(pxPoint(position.x(), position.y()));
}

void MDIForm1::savePosition()
{
    const QString stored = settings::read(gConnStock);
    settings::write(gConnStock, settings::withMainWindowPosition(stored, Left(), Top()));
}

void MDIForm1::MDIForm_QueryUnload(bool& cancel)
{
    const int answer = msgbox::MsgBox(QStringLiteral("Να τερματιστεί η εφαρμογή αποθήκης;"), msgbox::YesNo,
                                      TranslateText(QStringLiteral("Epivevaiosi exodou")));
    cancel = answer == msgbox::No;
    savePosition();
}

void MDIForm1::MDIForm_Resize()
{
    if (windowState().testFlag(Qt::WindowMaximized))
        setWindowState(windowState() & ~Qt::WindowMaximized);
    if (windowState().testFlag(Qt::WindowMinimized))
        return;
    // The frame is the window system's: known once the window is framed, and again after a
    // change of its flags. The client area takes what the frame leaves of the outer size.
    const QSize frame = frameGeometry().size() - size();
    const QSize client = pxSize(kOuterWidthTw, kOuterHeightTw) - frame;
    if (minimumSize() != client || maximumSize() != client)
        setFixedSize(client);
    // A resize that the window system let through is undone.
    if (size() != client)
        resize(client);
}

void MDIForm1::showHomePanels()
{
    Picture2->show();
    Picture1->show();
}

void MDIForm1::signalChildClosed()
{
    Check1->setChecked(true);
}

void MDIForm1::hidePanels()
{
    Picture2->hide();
    Picture1->hide();
}

void MDIForm1::openChild(QWidget* (*create)())
{
    hidePanels();
    const Hourglass hourglass;
    showChild(create(), 0, 0, Width(), Height());
}

void MDIForm1::Command2_Click(int index)
{
    switch (index) {
    case 0:
        openChild([]() -> QWidget* { return new Form3; });
        break;
    case 1:
        openChild([]() -> QWidget* { return new Form5; });
        break;
    case 2:
        openChild([]() -> QWidget* { return new Form2; });
        break;
    case 3:
        openChild([]() -> QWidget* { return new Form6; });
        break;
    case 4: {
        hidePanels();
        const Hourglass hourglass;
        ImportStockFile();
        break;
    }
    case 5:
        close();
        break;
    default:
        break;
    }
}

void MDIForm1::Check1_Click()
{
    if (!Check1->isChecked())
        return;
    Check1->setChecked(false);
    setPanel1Text(versionText());
}

void MDIForm1::Check2_Click()
{
    SetFormOnTop(this, Check2->isChecked());
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    bool cancel = false;
    MDIForm_QueryUnload(cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void MDIForm1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        MDIForm_Resize();
}

void MDIForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void MDIForm1::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    // Framing a shown window moves its client area: the frame's size is known from here on.
    MDIForm_Resize();
}

void MDIForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    MDIForm_Resize();
}
