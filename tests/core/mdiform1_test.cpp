// The main window: layout, the settings string, the close question, the resize rule,
// the menu and the work windows it holds.
#include "catalogue/form2.h"
#include "catalogue/form3.h"
#include "core/form6.h"
#include "movements/form5.h"
#include "controls/xpbutton.h"
#include "core/globals.h"
#include "core/mdiform1.h"
#include "core/settings_string.h"
#include "platform/units.h"
#include "support/testenv.h"
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QWindow>
#include <gtest/gtest.h>
#include <memory>

using units::px;
using units::tw;

namespace {

QString storedSettings()
{
    return testenv::DataFolder::scalar(gConnStock, "select tmpString1 from Promithf where ID=1").toString();
}

void storeSettings(const QString& value)
{
    testenv::DataFolder::exec(gConnStock, "update Promithf set tmpString1='" + value + "' where ID=1");
}

class MainWindow : public ::testing::Test {
protected:
    testenv::DataFolder data_;
    testenv::Boxes boxes_;
};

TEST_F(MainWindow, LoadShowsVersionAndTranslatedCaptions)
{
    testenv::DataFolder::exec(gConnQuilbex,
                              "insert into glossa (greeklish, ellinika) values ('Ylika', 'Υλικά')");
    MDIForm1 main;
    EXPECT_EQ(main.windowTitle(), "Norvale: Stock control");
    EXPECT_EQ(main.panel1Text(), "Norvale Stock Version 01.23.15");
    EXPECT_EQ(main.Command2[0]->Caption(), "Υλικά");
    EXPECT_EQ(main.Command2[1]->Caption(), "Τιμολόγια");
    EXPECT_EQ(main.Command2[5]->Caption(), "EXODOS");   // a key glossa lacks
    EXPECT_EQ(main.Command2[3]->geometry(), units::pxRect(240 + 3 * 2400, 240, 2175, 1215));
    EXPECT_EQ(main.picture1BackColor(), 0xFFC0C0u);
    EXPECT_EQ(main.Picture2->height(), px(9030));
    EXPECT_EQ(main.Width(), tw(px(15400)));
    EXPECT_EQ(main.Height(), tw(px(11600)));
}

TEST_F(MainWindow, SettingsStringIsReadAsStoredOrAsTheTwentyZeros)
{
    struct Case {
        const char* sql;   // the stored value
        const char* read;
        QPoint position;
    };
    const Case cases[] = {
        {"'01020304050150000300'", "01020304050150000300", {1500, 300}},
        {"'  01020304050150000300  '", "01020304050150000300", {1500, 300}},
        {"'0102030405'", "00000000000000000000", {0, 0}},   // too short
        {"null", "00000000000000000000", {0, 0}},
        {"'0102030405abcde00300'", "0102030405abcde00300", {0, 300}},   // not a number: 0
    };
    for (const Case& c : cases) {
        testenv::DataFolder::exec(gConnStock, QString("update Promithf set tmpString1=") + c.sql + " where ID=1");
        const QString read = settings::read(gConnStock);
        EXPECT_EQ(read, c.read) << c.sql;
        EXPECT_EQ(settings::mainWindowPosition(read), c.position) << c.sql;
    }
    testenv::DataFolder::exec(gConnStock, "delete from Promithf");
    EXPECT_EQ(settings::read(gConnStock), settings::defaultString());
    EXPECT_FALSE(settings::write(gConnStock, "01020304050000000000"));
}

TEST_F(MainWindow, APositionIsKeptOffTheRightAndBottomEdgesOnly)
{
    const QSize screen(19200, 14400);
    const QSize window(15400, 11600);
    EXPECT_EQ(MDIForm1::keptOnScreen({1500, 300}, screen, window), QPoint(1500, 300));
    EXPECT_EQ(MDIForm1::keptOnScreen({20000, 3000}, screen, window), QPoint(3800, 2800));
    EXPECT_EQ(MDIForm1::keptOnScreen({-300, -45}, screen, window), QPoint(-300, -45));
}

TEST_F(MainWindow, LoadPlacesTheWindowAtTheStoredPosition)
{
    storeSettings("01020304050150000300");
    MDIForm1 main;
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    const QPoint expected = MDIForm1::keptOnScreen({1500, 300}, QSize(tw(screen.width()), tw(screen.height())),
                                                   QSize(main.Width(), main.Height()));
    EXPECT_EQ(QPoint(main.Left(), main.Top()), expected);
}

TEST_F(MainWindow, NoSupplierRowSavesNothing)
{
    testenv::DataFolder::exec(gConnStock, "delete from Promithf");
    MDIForm1 main;
    main.show();
    EXPECT_TRUE(main.close());
    EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select count(*) from Promithf").toInt(), 0);
}

TEST_F(MainWindow, SettingsPositionIsAlwaysFiveDigits)
{
    const QString choices = "0102030405";
    const struct {
        int left, top;
        const char* digits;
    } cases[] = {
        {1500, 300, "0150000300"},
        {-300, 45, "0000000045"},
        {100000, 123456, "9999999999"},   // longer numbers would shift the rest of the string
    };
    for (const auto& c : cases) {
        const QString result = settings::withMainWindowPosition(choices + "0000000000", c.left, c.top);
        EXPECT_EQ(result, choices + c.digits);
    }
    EXPECT_EQ(settings::withMainWindowPosition("short", 15, 30), "0000000000" "00015" "00030");
}

TEST_F(MainWindow, CloseAsksAndSavesThePositionWhateverTheAnswer)
{
    storeSettings("01020304050000000000");
    MDIForm1 main;
    main.show();
    main.move(-20, 20);   // partly off the left edge
    boxes_.answerNext(msgbox::No);
    EXPECT_FALSE(main.close());
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "Να τερματιστεί η εφαρμογή αποθήκης;");
    EXPECT_EQ(boxes_.last().style, 4);
    EXPECT_EQ(boxes_.last().title, "EPIVEVAIOSI EXODOU");   // the key in capitals: glossa lacks it
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(storedSettings(), "0102030405" "00000" "00300");

    main.move(100, 40);
    EXPECT_TRUE(main.close());   // Yes
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(storedSettings(), "0102030405" "01500" "00600");
}

TEST_F(MainWindow, ExitButtonAnsweredNoLeavesTheHomeScreen)
{
    MDIForm1 main;
    main.show();
    boxes_.answerNext(msgbox::No);
    emit main.Command2[5]->Click();
    EXPECT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.Picture1->isVisible());
    EXPECT_TRUE(main.Picture2->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindow, MenuButtonsOpenTheirWindowOverTheHomeScreen)
{
    const std::pair<int, QWidget* (*)()> windows[] = {
        {0, [] { return static_cast<QWidget*>(Form3::instance()); }},
        {1, [] { return static_cast<QWidget*>(Form5::instance()); }},
        {2, [] { return static_cast<QWidget*>(Form2::instance()); }},
        {3, [] { return static_cast<QWidget*>(Form6::instance()); }},
    };
    MDIForm1 main;   // one per test: it closes the connections when it goes
    main.show();
    for (const auto& [button, instance] : windows) {
        SCOPED_TRACE(button);
        emit main.Command2[std::size_t(button)]->Click();
        QWidget* form = instance();
        ASSERT_NE(form, nullptr);
        EXPECT_FALSE(main.Picture1->isVisible());
        EXPECT_FALSE(main.Picture2->isVisible());
        auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        ASSERT_NE(sub, nullptr);
        EXPECT_EQ(sub->geometry(), units::pxRect(0, 0, main.Width(), main.Height()));
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    for (const auto& box : boxes_.shown())
        ADD_FAILURE() << box.text.toStdString();
}

TEST_F(MainWindow, ImportWithoutJobFileShowsTheMenuPanelAgain)
{
    MDIForm1 main;
    main.show();
    main.Command2_Click(4);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "No File!");
    EXPECT_TRUE(main.Picture1->isVisible());
    EXPECT_FALSE(main.Picture2->isVisible());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindow, TheOuterSizeIsFixedButMinimiseIsAllowed)
{
    MDIForm1 main;
    main.show();
    const QSize outer = main.frameGeometry().size();
    EXPECT_EQ(outer, units::pxSize(15400, 11600));

    main.resize(400, 300);
    EXPECT_EQ(main.frameGeometry().size(), outer);

    main.showMaximized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(main.windowState().testFlag(Qt::WindowMaximized));
    EXPECT_EQ(main.frameGeometry().size(), outer);

    main.showMinimized();
    QCoreApplication::processEvents();
    EXPECT_TRUE(main.windowState().testFlag(Qt::WindowMinimized));
}

TEST_F(MainWindow, TheDesignedOuterSizeComesBackAfterEveryChange)
{
    MDIForm1 main;
    main.show();
    QCoreApplication::processEvents();
    const QSize designed = units::pxSize(15400, 11600);
    ASSERT_EQ(main.frameGeometry().size(), designed);
    const auto outerAfter = [&main](auto&& change) {
        change();
        QCoreApplication::processEvents();
        return main.frameGeometry().size();
    };
    // A resize by the window system that nothing blocked, the frame gone and back, always on top.
    EXPECT_EQ(outerAfter([&] { main.windowHandle()->resize(800, 600); }), designed);
    EXPECT_EQ(outerAfter([&] { main.windowHandle()->resize(1400, 900); }), designed);
    EXPECT_EQ(outerAfter([&] { main.setWindowFlag(Qt::FramelessWindowHint, true); main.show(); }), designed);
    EXPECT_EQ(outerAfter([&] { main.setWindowFlag(Qt::FramelessWindowHint, false); main.show(); }), designed);
    EXPECT_EQ(outerAfter([&] { main.Check2->setChecked(true); }), designed);
    EXPECT_EQ(outerAfter([&] { main.showMinimized(); main.showNormal(); }), designed);
}

TEST_F(MainWindow, SignalCheckBoxRestoresTheVersionText)
{
    MDIForm1 main;
    main.setPanel1Text("12 υλικά");
    main.Check1->setChecked(true);
    EXPECT_FALSE(main.Check1->isChecked());
    EXPECT_EQ(main.panel1Text(), MDIForm1::versionText());
}

TEST_F(MainWindow, AChildGoesWithItsSubWindow)
{
    MDIForm1 main;
    main.show();
    auto* form = new QWidget;
    main.showChild(form, 0, 0, main.Width(), main.Height());
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(sub->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(sub->geometry(), units::pxRect(0, 0, main.Width(), main.Height()));
    main.moveChild(form, 150, 300);
    EXPECT_EQ(sub->pos(), QPoint(10, 20));

    QPointer<QMdiSubWindow> watched(sub);
    form->deleteLater();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    EXPECT_TRUE(main.mdiArea->subWindowList().isEmpty());
}

TEST_F(MainWindow, TheConnectionsEndWithTheMainWindow)
{
    auto main = std::make_unique<MDIForm1>();
    main.reset();
    EXPECT_FALSE(gConnStock.isOpen());
    EXPECT_FALSE(gConnQuilbex.isOpen());
    EXPECT_FALSE(gConnStuff.isOpen());
}

} // namespace
