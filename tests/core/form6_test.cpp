// The settings window and the reset of the stock database to the empty one.
#include "catalogue/form2.h"
#include "controls/xpbutton.h"
#include "core/form6.h"
#include "core/globals.h"
#include "core/mdiform1.h"
#include "core/stock_reset.h"
#include "platform/units.h"
#include "support/testenv.h"
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

using testenv::DataFolder;

const QString kQuestion = QStringLiteral("Να σβηστεί η βάση δεδομένων;");

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

qint64 materialCount(db::Connection& connection)
{
    return DataFolder::scalar(connection, "select count(*) from protesyles").toLongLong();
}

void addMaterial(db::Connection& connection, const QString& code)
{
    DataFolder::exec(connection, "insert into protesyles (Perigrafi, kodikos) values ('d', '" + code + "')");
}

// A connection of its own on a database file, to see what the file itself holds.
std::unique_ptr<db::Connection> openFile(const QString& path)
{
    auto connection = std::make_unique<db::Connection>();
    connection->Open(db::connectionStringFor(path));
    return connection;
}

QStringList dataFolderFiles(const DataFolder& folder)
{
    return QDir(folder.dataPath()).entryList(QDir::Files, QDir::Name);
}

// A reset that did not happen leaves the old data reachable through a working connection,
// no file behind, and says so once after the question.
void expectOldDatabaseKept(const DataFolder& folder, const testenv::Boxes& boxes, const QString& context)
{
    ASSERT_TRUE(gConnStock.isOpen()) << context.toStdString();
    EXPECT_EQ(materialCount(gConnStock), 1) << context.toStdString();
    EXPECT_NO_THROW(addMaterial(gConnStock, "AFTER")) << context.toStdString();
    EXPECT_EQ(gConnStock.filePath(), folder.dataPath() + "/stock.mdb");
    EXPECT_EQ(dataFolderFiles(folder), QStringList({"quilbex.mdb", "stock.mdb", "stuff.mdb"}))
        << context.toStdString();
    ASSERT_EQ(boxes.count(), 2) << context.toStdString();
    EXPECT_EQ(boxes.last().style, 16) << context.toStdString();
    EXPECT_TRUE(boxes.last().text.startsWith("Η βάση δεδομένων δεν σβήστηκε: "))
        << boxes.last().text.toStdString();
}

// Runs the process in another folder for the life of the guard.
class WorkingFolder {
public:
    explicit WorkingFolder(const QString& path) : previous_(QDir::currentPath()) { QDir::setCurrent(path); }
    ~WorkingFolder() { QDir::setCurrent(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    QString previous_;
};

class SettingsWindow : public ::testing::Test {
protected:
    DataFolder folder_;
    testenv::Boxes boxes_;
};

TEST_F(SettingsWindow, MenuOpensItAsDesignedAndItsReturnRestoresTheHomeScreen)
{
    DataFolder::exec(gConnQuilbex, "insert into glossa (greeklish, ellinika) values ('Epistrofi', 'Επιστροφή')");
    MDIForm1 main;
    main.show();
    emit main.Command2[3]->Click();
    Form6* form = Form6::instance();
    ASSERT_NE(form, nullptr);
    EXPECT_FALSE(main.Picture1->isVisible());
    EXPECT_FALSE(main.Picture2->isVisible());
    auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->geometry(), units::pxRect(0, 0, main.Width(), main.Height()));

    struct Design {
        XPButton* button;
        const char* name;
        const char* caption;
        int left, top;
        bool enabled;
    };
    const Design designs[] = {
        {form->XPButton1, "XPButton1", "Delete Database", 360, 360, true},
        {form->XPButton2, "XPButton2", "- - -", 360, 1920, false},
        {form->XPButton3, "XPButton3", "- - -", 360, 3480, false},
        {form->XPButton4, "XPButton4", "Copy database", 2880, 360, false},
        {form->XPButton5, "XPButton5", "- - -", 2880, 1920, false},
        {form->XPButton6, "XPButton6", "- - -", 2880, 3480, false},
        {form->backBut, "backBut", "Επιστροφή", 12720, 9120, true},
    };
    for (const Design& d : designs) {
        ASSERT_NE(d.button, nullptr) << d.name;
        EXPECT_EQ(d.button->objectName(), d.name);
        EXPECT_EQ(d.button->Caption(), QString::fromUtf8(d.caption)) << d.name;
        EXPECT_EQ(d.button->geometry(), units::pxRect(d.left, d.top, 2175, 1215)) << d.name;
        EXPECT_EQ(d.button->Enabled(), d.enabled) << d.name;
    }
    EXPECT_EQ(form->Label1[0]->text(), "Norvale Διαχείριση Αποθήκης");
    QLabel* version = form->Label1[1];
    EXPECT_EQ(version->text(), "Version : 1.23.15");
    EXPECT_EQ(version->geometry(), units::pxRect(240, 9480, 6615, 375));
    EXPECT_EQ(version->palette().color(version->foregroundRole()), QColor(0x40, 0x40, 0x40));

    main.setPanel1Text("12 υλικά");
    emit form->backBut->Click();
    EXPECT_EQ(Form6::instance(), nullptr);
    EXPECT_TRUE(main.Picture1->isVisible());
    EXPECT_TRUE(main.Picture2->isVisible());
    EXPECT_EQ(main.panel1Text(), MDIForm1::versionText());
    flushDeletes();
    EXPECT_TRUE(main.mdiArea->subWindowList().isEmpty());
    EXPECT_EQ(boxes_.count(), 0);
}

TEST_F(SettingsWindow, AnswerNoChangesNothing)
{
    addMaterial(gConnStock, "KEEP");
    sqlite3* const handle = gConnStock.handle();
    Form6 form;
    boxes_.answerNext(msgbox::No);
    emit form.XPButton1->Click();

    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, kQuestion);
    EXPECT_EQ(boxes_.last().style, 52);
    EXPECT_EQ(boxes_.last().title, "Προσοχή");
    EXPECT_TRUE(form.XPButton1->Enabled());
    EXPECT_EQ(gConnStock.handle(), handle);
    EXPECT_EQ(materialCount(gConnStock), 1);
}

TEST_F(SettingsWindow, ResetMakesTheEmptyDatabaseLiveAndWritable)
{
    const QString templatePath = folder_.appPath() + "/tmp/stock0.mdb";
    EXPECT_EQ(emptyStockDatabasePath(), templatePath);
    DataFolder::exec(*openFile(templatePath), "update Promithf set Perigrafi='Template Co' where ID=1");
    // A decoy where the process runs: the program's folder alone counts.
    QDir(folder_.root()).mkpath("elsewhere/tmp");
    ASSERT_TRUE(QFile::copy(templatePath, folder_.root() + "/elsewhere/tmp/stock0.mdb"));
    DataFolder::exec(*openFile(folder_.root() + "/elsewhere/tmp/stock0.mdb"),
                     "update Promithf set Perigrafi='Decoy' where ID=1");
    const WorkingFolder elsewhere(folder_.root() + "/elsewhere");
    addMaterial(gConnStock, "OLD");
    DataFolder::exec(gConnStock, "update Promithf set Perigrafi='Acme' where ID=1");
    sqlite3* const quilbex = gConnQuilbex.handle();
    sqlite3* const stuff = gConnStuff.handle();

    MDIForm1 main;
    main.show();
    main.Command2_Click(3);
    Form6* form = Form6::instance();
    ASSERT_NE(form, nullptr);
    // Whenever events run during the reset, the button is already disabled and the stock
    // connection works.
    int looks = 0, enabledSeen = 0, closedSeen = 0;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        ++looks;
        enabledSeen += form->XPButton1->Enabled();
        closedSeen += !gConnStock.isOpen();
    });
    watch.start(10);
    emit form->XPButton1->Click();
    watch.stop();
    EXPECT_GT(looks, 0);
    EXPECT_EQ(enabledSeen, 0);
    EXPECT_EQ(closedSeen, 0);

    ASSERT_EQ(boxes_.count(), 1);   // the question only: no message on success
    EXPECT_FALSE(form->XPButton1->Enabled());
    ASSERT_TRUE(gConnStock.isOpen());
    EXPECT_EQ(gConnStock.filePath(), folder_.dataPath() + "/stock.mdb");
    EXPECT_EQ(materialCount(gConnStock), 0);
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select Perigrafi from Promithf where ID=1"), "Template Co");
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from Promithf"), 30);
    EXPECT_EQ(gConnQuilbex.handle(), quilbex);
    EXPECT_EQ(gConnStuff.handle(), stuff);
    EXPECT_EQ(dataFolderFiles(folder_), QStringList({"quilbex.mdb", "stock.mdb", "stuff.mdb"}));

    // Written through the connection, the material lands in the live file, not the template.
    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock);
    rs.AddNew();
    rs.setField("Perigrafi", "new");
    rs.setField("kodikos", "NEW1");
    rs.Update();
    rs.Close();
    EXPECT_EQ(materialCount(*openFile(folder_.dataPath() + "/stock.mdb")), 1);
    EXPECT_EQ(materialCount(*openFile(templatePath)), 0);

    // The button stays disabled while the window lives; a new window offers it again.
    emit form->backBut->Click();
    flushDeletes();
    main.Command2_Click(2);
    ASSERT_NE(Form2::instance(), nullptr);
    EXPECT_EQ(Form2::instance()->List1->item(0)->text(), "Template Co");
    emit Form2::instance()->Command1->Click();
    main.Command2_Click(3);
    ASSERT_NE(Form6::instance(), nullptr);
    EXPECT_TRUE(Form6::instance()->XPButton1->Enabled());
    EXPECT_EQ(boxes_.count(), 1);
}

TEST(DatabaseReset, AnUnusableEmptyDatabaseKeepsTheOldOne)
{
    struct Case {
        const char* name;
        std::function<void(const QString& templatePath)> spoil;
        QString cause;
    };
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    };
    const Case cases[] = {
        {"missing", [](const QString& path) { QFile::remove(path); }, "Το αρχείο ή ο φάκελος δεν υπάρχει."},
        {"a text file", [&](const QString& path) { write(path, QByteArray(4096, 'x')); },
         "Το αρχείο δεν είναι βάση δεδομένων ή είναι κατεστραμμένο."},
        // SQLite takes an empty file for an empty database: it has no stock tables.
        {"an empty file", [&](const QString& path) { write(path, {}); },
         "Λείπει ο πίνακας protesyles από τη βάση δεδομένων."},
        {"a database without materials",
         [](const QString& path) { DataFolder::exec(*openFile(path), "drop table protesyles"); },
         "Λείπει ο πίνακας protesyles από τη βάση δεδομένων."},
    };
    for (const Case& c : cases) {
        DataFolder folder;
        testenv::Boxes boxes;
        addMaterial(gConnStock, "KEEP");
        c.spoil(emptyStockDatabasePath());
        Form6 form;
        emit form.XPButton1->Click();
        expectOldDatabaseKept(folder, boxes, c.name);
        EXPECT_TRUE(boxes.last().text.contains(emptyStockDatabasePath())) << c.name;
        EXPECT_TRUE(boxes.last().text.endsWith(c.cause)) << boxes.last().text.toStdString();
        EXPECT_FALSE(form.XPButton1->Enabled()) << c.name;
    }
}

// The window, or the whole main window, goes while the reset pauses: nothing of them is
// touched afterwards and the reset still ends on the empty database, open and working.
TEST(DatabaseReset, WindowsClosedDuringTheResetLeaveAWorkingConnection)
{
    struct Case {
        const char* name;
        std::function<void(MDIForm1* main, Form6* form)> close;
        int boxes;   // the question, and the main window's own question on closing
    };
    const Case cases[] = {
        {"return button", [](MDIForm1*, Form6* form) { emit form->backBut->Click(); }, 1},
        {"main window", [](MDIForm1* main, Form6*) { main->close(); }, 2},
    };
    for (const Case& c : cases) {
        DataFolder folder;
        testenv::Boxes boxes;
        addMaterial(gConnStock, "OLD");
        QPointer<MDIForm1> main = new MDIForm1;
        main->setAttribute(Qt::WA_DeleteOnClose);
        main->show();
        main->Command2_Click(3);
        QPointer<Form6> form = Form6::instance();
        ASSERT_NE(form, nullptr);
        QTimer::singleShot(0, qApp, [&] {
            c.close(main, form);
            flushDeletes();   // gone at once, while the reset is still running
        });
        emit form->XPButton1->Click();

        EXPECT_TRUE(form.isNull()) << c.name;
        ASSERT_TRUE(gConnStock.isOpen()) << c.name;
        EXPECT_EQ(materialCount(gConnStock), 0) << c.name;
        EXPECT_NO_THROW(addMaterial(gConnStock, "NEW")) << c.name;
        EXPECT_EQ(boxes.count(), c.boxes) << c.name;
        delete main.data();
    }
}

} // namespace
