// The setup scripts on a machine that lacks what they need: one plain line that says what,
// and nothing started. Each script runs as a copy in a folder of its own, beside stubs that
// record being called, so that no test ever installs or builds anything.

#include "support/testenv.h"
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

const QString kScripts = QStringLiteral(TARMEL_DATA_DIR "/../scripts/");

void writeScript(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
}

void copyScript(const QString& name, const QString& to)
{
    QFile source(kScripts + name);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    writeScript(to, source.readAll());
}

struct Outcome {
    int exitCode;
    QStringList lines;
};

Outcome runScript(const QString& script, const QProcessEnvironment& environment,
                  const QStringList& arguments = {})
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start("/bin/bash", QStringList {script} + arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAll()).split('\n', Qt::SkipEmptyParts)};
}

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

// A listening Unix socket, as a Wayland compositor holds one in the runtime folder.
class ListeningSocket {
public:
    explicit ListeningSocket(const QString& path) : fd_(socket(AF_UNIX, SOCK_STREAM, 0))
    {
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        const QByteArray name = QFile::encodeName(path);
        std::memcpy(address.sun_path, name.constData(), std::min<size_t>(name.size(), sizeof address.sun_path - 1));
        listening_ = fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && listen(fd_, 1) == 0;
    }
    ~ListeningSocket()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;
    bool listening() const { return listening_; }

private:
    int fd_;
    bool listening_ = false;
};

// run-demo in a folder of its own: the install, the build (cmake), the demo data and the
// program are stubs that write what they were asked into a log; an X server answers at :5 only.
class DemoRun {
public:
    DemoRun()
    {
        copyScript("run-demo", dir_.filePath("scripts/run-demo"));
        stub("scripts/install-deps", "echo installed >>\"$LOG\"\n");
        stub("scripts/demo-data", "echo demo-data >>\"$LOG\"\n");
        stub("bin/cmake",
             "case \"$1\" in\n"
             "  --build) echo built >>\"$LOG\" ;;\n"
             "  --install) mkdir -p \"$4/bin\"\n"
             "    printf '%s\\n' '#!/bin/bash' 'echo \"started QT_QPA_PLATFORM=$QT_QPA_PLATFORM\" >>\"$LOG\"' >\"$4/bin/tarmel\"\n"
             "    chmod +x \"$4/bin/tarmel\" ;;\n"
             "esac\n");
        stub("bin/xdpyinfo", "[ \"$2\" = :5 ]\n");
        stub("bin/xvfb-run", "echo xvfb-run >>\"$LOG\"; shift; exec \"$@\"\n");
        environment_ = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment_.remove(name);
        environment_.insert("PATH", dir_.filePath("bin") + ":" + environment_.value("PATH"));
        environment_.insert("LOG", log());
        environment_.insert("XDG_RUNTIME_DIR", runtimeFolder());
        QDir().mkpath(runtimeFolder());
    }

    QProcessEnvironment& environment() { return environment_; }
    QString runtimeFolder() const { return dir_.filePath("runtime"); }
    Outcome run(const QStringList& arguments = {}) const
    {
        return runScript(dir_.filePath("scripts/run-demo"), environment_, arguments);
    }
    QStringList steps() const { return readLines(log()); }

private:
    QString log() const { return dir_.filePath("log"); }
    void stub(const QString& name, const QByteArray& text) { writeScript(dir_.filePath(name), text); }

    QTemporaryDir dir_;
    QProcessEnvironment environment_;
};

TEST(Scripts, DemoWithoutADisplaySaysItNeedsAGraphicalSession)
{
    DemoRun demo;
    const Outcome outcome = demo.run();
    EXPECT_NE(outcome.exitCode, 0);
    ASSERT_EQ(outcome.lines.size(), 1) << outcome.lines.join('\n').toStdString();
    EXPECT_TRUE(outcome.lines[0].contains("graphical session"));
    EXPECT_TRUE(outcome.lines[0].contains("DISPLAY") && outcome.lines[0].contains("WAYLAND_DISPLAY"));
    // The command it offers needs nothing installed beforehand.
    EXPECT_TRUE(outcome.lines[0].contains("bash scripts/run-demo --virtual-screen"));
    EXPECT_TRUE(demo.steps().isEmpty()) << demo.steps().join(' ').toStdString();
}

TEST(Scripts, DemoWithASessionThatCannotBeOpenedStopsBeforeTheBuild)
{
    const struct {
        const char* variable;
        const char* value;
    } sessions[] = {{"DISPLAY", ":9"}, {"WAYLAND_DISPLAY", "wayland-9"}};
    for (const auto& session : sessions) {
        SCOPED_TRACE(session.variable);
        DemoRun demo;
        demo.environment().insert(session.variable, session.value);
        const Outcome outcome = demo.run();
        EXPECT_NE(outcome.exitCode, 0);
        ASSERT_EQ(outcome.lines.size(), 1) << outcome.lines.join('\n').toStdString();
        EXPECT_TRUE(outcome.lines[0].contains("cannot be opened"));
        EXPECT_TRUE(outcome.lines[0].contains(QString(session.variable) + "=" + session.value));
        EXPECT_EQ(demo.steps(), QStringList {"installed"});
    }
}

TEST(Scripts, DemoStartsOnTheSessionThatOpens)
{
    const struct {
        const char* name;
        const char* display;
        bool wayland;
        QStringList arguments;
        QStringList steps;
    } cases[] = {
        {"X server", ":5", false, {}, {"installed", "built", "demo-data", "started QT_QPA_PLATFORM="}},
        {"Wayland only", "", true, {}, {"installed", "built", "demo-data", "started QT_QPA_PLATFORM=wayland"}},
        {"X unreachable beside Wayland", ":9", true, {},
         {"installed", "built", "demo-data", "started QT_QPA_PLATFORM=wayland"}},
        {"virtual screen", "", false, {"--virtual-screen"},
         {"installed", "built", "demo-data", "xvfb-run", "started QT_QPA_PLATFORM="}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        DemoRun demo;
        if (*c.display)
            demo.environment().insert("DISPLAY", c.display);
        std::unique_ptr<ListeningSocket> compositor;
        if (c.wayland) {
            demo.environment().insert("WAYLAND_DISPLAY", "wayland-0");
            compositor = std::make_unique<ListeningSocket>(demo.runtimeFolder() + "/wayland-0");
            ASSERT_TRUE(compositor->listening());
        }
        const Outcome outcome = demo.run(c.arguments);
        EXPECT_EQ(outcome.exitCode, 0) << outcome.lines.join('\n').toStdString();
        EXPECT_EQ(demo.steps(), c.steps);
    }
}

TEST(Scripts, DemoDataBuildsFromAFolderWithQuotesSpacesAndDollars)
{
    QTemporaryDir dir;
    const QString checkout = dir.filePath("it's a checkout $HOME");
    copyScript("demo-data", checkout + "/scripts/demo-data");
    QDir().mkpath(checkout + "/data");
    for (const QString& name : QDir(kScripts + "../data").entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(kScripts + "../data/" + name, checkout + "/data/" + name));

    const QString root = checkout + "/demo";
    const Outcome outcome = runScript(checkout + "/scripts/demo-data", QProcessEnvironment::systemEnvironment(), {root});
    ASSERT_EQ(outcome.exitCode, 0) << outcome.lines.join('\n').toStdString();
    db::Connection stock;
    stock.Open(db::connectionStringFor(root + "/dataloc/stock.mdb"));
    EXPECT_GT(testenv::DataFolder::scalar(stock, "select count(*) from protesyles").toInt(), 0);
    for (const char* name : {"quilbex.mdb", "stuff.mdb", "norvale9.txt"})
        EXPECT_GT(QFileInfo(root + "/dataloc/" + name).size(), 0) << name;
}

TEST(Scripts, InstallWithoutRootOrSudoSaysSo)
{
    QTemporaryDir dir;
    copyScript("install-deps", dir.filePath("install-deps"));
    // A user who is not root, on a machine without sudo where nothing is installed yet.
    const QString bin = dir.filePath("bin");
    const QString called = dir.filePath("called");
    writeScript(bin + "/id", "echo 1000\n");
    writeScript(bin + "/dpkg-query", "exit 1\n");
    writeScript(bin + "/apt-get", "touch '" + called.toUtf8() + "'\n");
    ASSERT_TRUE(QFile::link("/bin/grep", bin + "/grep"));
    QProcessEnvironment environment;
    environment.insert("PATH", bin);

    const Outcome install = runScript(dir.filePath("install-deps"), environment);
    EXPECT_NE(install.exitCode, 0);
    ASSERT_EQ(install.lines.size(), 1) << install.lines.join('\n').toStdString();
    EXPECT_TRUE(install.lines[0].contains("root or sudo"));
    EXPECT_FALSE(QFile::exists(called));
}

} // namespace
