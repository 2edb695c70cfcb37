// Start-up: folders, the single running copy, the databases, the interface settings and
// the hand-over from the start form to the main window.
#include "core/form4.h"
#include "core/globals.h"
#include "core/helpers.h"
#include "core/language.h"
#include "core/mdiform1.h"
#include "core/startup.h"
#include "core/stock_reset.h"
#include "support/testenv.h"
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <algorithm>
#include <chrono>
#include <thread>

namespace {

TEST(StartupFolders, RootIsCutBeforeTheFirstBinInItsOwnLetterCase)
{
    struct Case {
        const char* appPath;
        const char* root;
    };
    const Case cases[] = {
        {"/opt/Stock/BIN", "/opt/Stock"},
        {"/srv/binaries/Stock/bin", "/srv"},   // the first "/bin" wins, also inside a longer name
        {"/Opt/Stock/Bin/tools", "/Opt/Stock"},
        {"/bin", ""},
    };
    for (const Case& c : cases) {
        const auto folders = startup::deriveFolders(QString::fromUtf8(c.appPath));
        ASSERT_TRUE(folders) << c.appPath;
        EXPECT_EQ(folders->appPath, QString::fromUtf8(c.appPath));
        EXPECT_EQ(folders->rootPath, QString::fromUtf8(c.root)) << c.appPath;
        EXPECT_EQ(folders->dataPath, QString::fromUtf8(c.root) + "/dataloc") << c.appPath;
    }
    EXPECT_FALSE(startup::deriveFolders("/opt/Stock/program"));
}

TEST(StartupSingleInstance, ASecondClaimFailsWhileTheFirstLives)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("tarmel.lock");
    auto first = startup::claimSingleInstance(path);
    ASSERT_TRUE(first);
    EXPECT_EQ(startup::claimSingleInstance(path).status, startup::InstanceClaim::HeldByAnotherCopy);
    first.lock.reset();
    EXPECT_TRUE(startup::claimSingleInstance(path));
}

// A lock file that cannot be made is no other copy: the claim says where and why.
TEST(StartupSingleInstance, ALockThatCannotBeMadeIsNoOtherCopy)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const QString& path : {dir.filePath("missing/tarmel.lock"), dir.filePath("plain/tarmel.lock")}) {
        const startup::InstanceClaim claim = startup::claimSingleInstance(path);
        EXPECT_EQ(claim.status, startup::InstanceClaim::CannotBeMade) << path.toStdString();
        EXPECT_FALSE(claim.lock);
        EXPECT_TRUE(claim.reason.contains(path)) << claim.reason.toStdString();
        EXPECT_TRUE(claim.reason.contains("Το αρχείο ή ο φάκελος δεν υπάρχει.")) << claim.reason.toStdString();
    }
}

TEST(StartupSingleInstance, TheLockOfACopyThatDiedIsTakenOver)
{
    QTemporaryDir dir;
    // A lock file as a live copy writes it, then the process id of one that has ended.
    const QString model = dir.filePath("model.lock");
    {
        QLockFile lock(model);
        ASSERT_TRUE(lock.tryLock(0));
        QFile::copy(model, dir.filePath("tarmel.lock"));
    }
    QProcess ended;
    ended.start("true");
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 deadPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());

    QFile stale(dir.filePath("tarmel.lock"));
    ASSERT_TRUE(stale.open(QIODevice::ReadWrite));
    QList<QByteArray> lines = stale.readAll().split('\n');
    lines[0] = QByteArray::number(deadPid);
    stale.resize(0);
    stale.write(lines.join('\n'));
    stale.close();

    EXPECT_TRUE(startup::claimSingleInstance(dir.filePath("tarmel.lock")));
}

TEST(StartupParameters, LanguageIsAByteFromOneOn)
{
    const std::pair<QVariant, int> cases[] = {
        {QVariant(), 1},        {QVariant(qint16(-1)), 1}, {QVariant(0), 1},
        {QVariant(3), 3},       {QVariant(255), 255},      {QVariant(256), 1},
        {QVariant(QString()), 1}, {QVariant("abc"), 1},
    };
    for (const auto& [value, language] : cases)
        EXPECT_EQ(startup::languageFromParameter(value), language) << value.toString().toStdString();
}

TEST(StartupParameters, FontCharsetIsZeroUnlessPositive)
{
    const std::pair<QVariant, int> cases[] = {
        {QVariant(), 0}, {QVariant(qint16(-1)), 0}, {QVariant(0), 0},
        {QVariant(161), 161}, {QVariant(40000), 0},
    };
    for (const auto& [value, charset] : cases)
        EXPECT_EQ(startup::fontCharsetFromParameter(value), charset) << value.toString().toStdString();
}

TEST(StartupPrinter, OnlyAnExactNameSelectsAPrinter)
{
    const QStringList installed {"Office_Laser", "PDF"};
    EXPECT_EQ(startup::choosePrinter("PDF", installed, "Office_Laser"), "PDF");
    EXPECT_EQ(startup::choosePrinter("office_laser", installed, "PDF"), "PDF");
    EXPECT_EQ(startup::choosePrinter("-1", installed, "PDF"), "PDF");
    EXPECT_EQ(startup::choosePrinter("PDF", {}, ""), "");
}

// The start form's load on a fresh data tree, with the runtime folder (and so the lock of
// the running copy) private to the test.
class StartupLoad : public ::testing::Test {
protected:
    StartupLoad() : previousRuntime_(qgetenv("XDG_RUNTIME_DIR"))
    {
        qputenv("XDG_RUNTIME_DIR", runtime_.path().toUtf8());
    }
    ~StartupLoad() override { qputenv("XDG_RUNTIME_DIR", previousRuntime_); }

    static bool anyConnectionOpen()
    {
        return gConnStock.isOpen() || gConnQuilbex.isOpen() || gConnStuff.isOpen();
    }

    QTemporaryDir runtime_;
    QByteArray previousRuntime_;
    testenv::DataFolder data_;
    testenv::Boxes boxes_;
};

TEST_F(StartupLoad, ReadyOpensTheDatabasesAndReadsTheSettings)
{
    testenv::DataFolder::exec(gConnQuilbex, "insert into pm_integer values (11, 3);"
                                            "insert into pm_integer values (15, 161)");
    startup::CloseDatabases();
    gColumnSelected.fill(0);
    gShortageOnly = -1;
    gAppPath.clear();

    Form4 form;
    EXPECT_EQ(form.Form_Load(data_.appPath()), Form4::StartResult::Ready);
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_EQ(gAppPath, data_.appPath());
    EXPECT_EQ(gDataPath, data_.dataPath());
    EXPECT_TRUE(gConnStock.isOpen() && gConnQuilbex.isOpen() && gConnStuff.isOpen());
    EXPECT_EQ(gLanguage, 3);
    EXPECT_EQ(gFontCharset, 161);
    EXPECT_TRUE(std::all_of(gColumnSelected.begin(), gColumnSelected.end(),
                            [](qint16 flag) { return flag == -1; }));
    EXPECT_EQ(gShortageOnly, 0);
    EXPECT_TRUE(form.Timer1.isActive());
    EXPECT_EQ(form.Timer1.interval(), 1200);
}

TEST_F(StartupLoad, MissingParametersGiveLanguageOneAndNoCharset)
{
    Form4 form;
    ASSERT_EQ(form.Form_Load(data_.appPath()), Form4::StartResult::Ready);
    EXPECT_EQ(gLanguage, 1);
    EXPECT_EQ(gFontCharset, 0);
}

TEST_F(StartupLoad, MissingStockFileShowsOneBoxAndOpensNothing)
{
    startup::CloseDatabases();
    ASSERT_TRUE(QFile::remove(data_.dataPath() + "/stock.mdb"));
    Form4 form;
    EXPECT_EQ(form.Form_Load(data_.appPath()), Form4::StartResult::Failed);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "No stock file exist");
    EXPECT_EQ(boxes_.last().title, "S.O.S.");
    EXPECT_EQ(boxes_.last().style, 16);
    EXPECT_FALSE(anyConnectionOpen());
    EXPECT_FALSE(form.Timer1.isActive());
}

TEST_F(StartupLoad, ADatabaseThatDoesNotOpenIsNamedAndNothingStaysOpen)
{
    for (const char* name : {"stock.mdb", "quilbex.mdb", "stuff.mdb"}) {
        testenv::DataFolder data;
        startup::CloseDatabases();
        const QString path = data.dataPath() + "/" + name;
        if (QString(name) == "stock.mdb") {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(4096, 'x'));   // a file, not a database
        } else {
            ASSERT_TRUE(QFile::remove(path));
        }
        boxes_.clear();
        Form4 form;
        EXPECT_EQ(form.Form_Load(data.appPath()), Form4::StartResult::Failed) << name;
        ASSERT_EQ(boxes_.count(), 1) << name;
        EXPECT_TRUE(boxes_.last().text.contains(path)) << boxes_.last().text.toStdString();
        EXPECT_EQ(boxes_.last().style, 16);
        EXPECT_FALSE(anyConnectionOpen()) << name;
    }
}

// Another program's write lock on a database file, taken at once and held until the holder
// goes, or until releaseAfter's time is up.
class ForeignLock {
public:
    explicit ForeignLock(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &handle_, SQLITE_OPEN_READWRITE, nullptr);
        locked_ = sqlite3_exec(handle_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~ForeignLock()
    {
        if (releaser_.joinable())
            releaser_.join();
        sqlite3_close(handle_);
    }
    ForeignLock(const ForeignLock&) = delete;
    ForeignLock& operator=(const ForeignLock&) = delete;

    bool locked() const { return locked_; }
    void releaseAfter(std::chrono::milliseconds hold)
    {
        releaser_ = std::thread([this, hold] {
            std::this_thread::sleep_for(hold);
            sqlite3_exec(handle_, "ROLLBACK", nullptr, nullptr, nullptr);
        });
    }

private:
    sqlite3* handle_ = nullptr;
    bool locked_ = false;
    std::thread releaser_;
};

TEST_F(StartupLoad, ADatabaseLockedForAMomentIsWaitedFor)
{
    for (const char* name : {"stock.mdb", "quilbex.mdb", "stuff.mdb"}) {
        startup::CloseDatabases();
        ForeignLock lock(data_.dataPath() + "/" + name);
        ASSERT_TRUE(lock.locked()) << name;
        lock.releaseAfter(std::chrono::seconds(1));
        Form4 form;
        EXPECT_EQ(form.Form_Load(data_.appPath()), Form4::StartResult::Ready) << name;
        EXPECT_EQ(boxes_.count(), 0) << name;
    }
}

TEST_F(StartupLoad, ALockThatOutlastsTheWaitIsNamed)
{
    startup::CloseDatabases();
    const QString path = data_.dataPath() + "/quilbex.mdb";
    ForeignLock lock(path);
    ASSERT_TRUE(lock.locked());
    Form4 form;
    EXPECT_EQ(form.Form_Load(data_.appPath()), Form4::StartResult::Failed);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_EQ(boxes_.last().text, "Η βάση δεδομένων " + path
                                      + " δεν ανοίγει:\nΤο αρχείο είναι κλειδωμένο από άλλο πρόγραμμα ή χρήστη.");
    EXPECT_FALSE(anyConnectionOpen());
}

// Folder names as users give them (Greek ordinals end in an apostrophe) reach every database,
// and the database reset finds the same stock file again.
TEST_F(StartupLoad, StartsFromAFolderWithQuotesSemicolonsSpacesAndGreekLetters)
{
    for (const char* name : {"Α'", "Β' τάξη; 'x'", " \"Αποθήκη\" ;"}) {
        testenv::DataFolder data(QString::fromUtf8(name));
        SCOPED_TRACE(data.root().toStdString());
        testenv::DataFolder::exec(gConnStock, "insert into protesyles (kodikos) values ('A-1')");
        startup::CloseDatabases();
        Form4 form;
        ASSERT_EQ(form.Form_Load(data.appPath()), Form4::StartResult::Ready);
        EXPECT_EQ(boxes_.count(), 0);
        EXPECT_EQ(gConnStock.filePath(), data.dataPath() + "/stock.mdb");
        EXPECT_EQ(gConnQuilbex.filePath(), data.dataPath() + "/quilbex.mdb");
        EXPECT_EQ(gConnStuff.filePath(), data.dataPath() + "/stuff.mdb");
        EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 1);

        ASSERT_TRUE(ResetStockDatabase());
        EXPECT_EQ(gConnStock.filePath(), data.dataPath() + "/stock.mdb");
        EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select count(*) from protesyles").toInt(), 0);
    }
}

TEST_F(StartupLoad, AStockFileWithoutMaterialsIsNoStockFile)
{
    for (const bool empty : {true, false}) {
        testenv::DataFolder data;
        const QString path = data.dataPath() + "/stock.mdb";
        if (empty) {
            startup::CloseDatabases();
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        } else {
            testenv::DataFolder::exec(gConnStock, "drop table protesyles");
            startup::CloseDatabases();
        }
        boxes_.clear();
        Form4 form;
        EXPECT_EQ(form.Form_Load(data.appPath()), Form4::StartResult::Failed) << empty;
        ASSERT_EQ(boxes_.count(), 1);
        EXPECT_EQ(boxes_.last().text, "No stock file exist");
        EXPECT_EQ(boxes_.last().title, "S.O.S.");
        EXPECT_FALSE(anyConnectionOpen());
        EXPECT_EQ(QFileInfo(path).size() == 0, empty);   // the file is left as it was
    }
}

TEST_F(StartupLoad, AnUnreadableLanguageTableIsToldOnceAndStartUpGoesOn)
{
    testenv::DataFolder::exec(gConnQuilbex, "drop table glossa");
    startup::CloseDatabases();
    Form4 form;
    EXPECT_EQ(form.Form_Load(data_.appPath()), Form4::StartResult::Ready);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains("glossa"));
    EXPECT_EQ(TranslateText("Epistrofi"), "EPISTROFI");
    EXPECT_EQ(boxes_.count(), 1);
}

TEST_F(StartupLoad, AProgramFolderWithoutBinIsNamed)
{
    startup::CloseDatabases();
    Form4 form;
    EXPECT_EQ(form.Form_Load(data_.root() + "/program"), Form4::StartResult::Failed);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(data_.root() + "/program"));
    EXPECT_FALSE(anyConnectionOpen());
}

TEST_F(StartupLoad, ASecondCopyEndsSilentlyBeforeTheDatabases)
{
    const auto runningCopy = startup::claimSingleInstance();
    ASSERT_TRUE(runningCopy);
    startup::CloseDatabases();
    ASSERT_TRUE(QFile::remove(data_.dataPath() + "/stock.mdb"));
    Form4 form;
    EXPECT_EQ(form.Form_Load(data_.appPath()), Form4::StartResult::AlreadyRunning);
    EXPECT_EQ(boxes_.count(), 0);
    EXPECT_FALSE(anyConnectionOpen());
}

// A runtime folder that takes no new file (immutable, here): a Greek box names the lock file
// and the cause, and the program ends as failed, not as a second copy.
TEST_F(StartupLoad, ALockThatCannotBeMadeIsTold)
{
    if (QProcess::execute("chattr", {"+i", runtime_.path()}) != 0)
        GTEST_SKIP() << "the folder cannot be made immutable here";
    startup::CloseDatabases();
    Form4 form;
    const Form4::StartResult result = form.Form_Load(data_.appPath());
    QProcess::execute("chattr", {"-i", runtime_.path()});
    EXPECT_EQ(result, Form4::StartResult::Failed);
    ASSERT_EQ(boxes_.count(), 1);
    EXPECT_TRUE(boxes_.last().text.contains(startup::lockFilePath())) << boxes_.last().text.toStdString();
    EXPECT_TRUE(boxes_.last().text.contains("Δεν υπάρχει άδεια πρόσβασης")) << boxes_.last().text.toStdString();
    EXPECT_EQ(boxes_.last().style, 16);
    EXPECT_FALSE(anyConnectionOpen());
}

TEST_F(StartupLoad, HandOverShowsTheMainWindowWhichKeepsTheLock)
{
    auto* form = new Form4;
    ASSERT_EQ(form->Form_Load(data_.appPath()), Form4::StartResult::Ready);
    QPointer<Form4> start(form);
    form->Timer1_Timer();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(start.isNull());
    EXPECT_EQ(Form4::instance(), nullptr);

    QPointer<MDIForm1> main(MDIForm1::instance());
    ASSERT_TRUE(main);
    EXPECT_TRUE(main->isVisible());
    EXPECT_FALSE(startup::claimSingleInstance());

    main->close();   // answered Yes: the main window goes, with the lock and the connections
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(main.isNull());
    EXPECT_FALSE(anyConnectionOpen());
    EXPECT_TRUE(startup::claimSingleInstance());
}

} // namespace
