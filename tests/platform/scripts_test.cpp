// The setup scripts on a machine that lacks what they need: one plain line that says what,
// and nothing started. Each script runs as a copy in a folder of its own, beside stubs that
// record being called, so that no test ever installs or builds anything.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

Outcome runScript(const QString& script, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start("/bin/bash", {script});
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAll()).split('\n', Qt::SkipEmptyParts)};
}

TEST(Scripts, DemoWithoutADisplaySaysItNeedsAGraphicalSession)
{
    QTemporaryDir dir;
    copyScript("run-demo", dir.filePath("scripts/run-demo"));
    const QString called = dir.filePath("called");
    writeScript(dir.filePath("scripts/install-deps"), "touch '" + called.toUtf8() + "'\n");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);

    const Outcome demo = runScript(dir.filePath("scripts/run-demo"), environment);
    EXPECT_NE(demo.exitCode, 0);
    ASSERT_EQ(demo.lines.size(), 1) << demo.lines.join('\n').toStdString();
    EXPECT_TRUE(demo.lines[0].contains("graphical session"));
    EXPECT_TRUE(demo.lines[0].contains("DISPLAY") && demo.lines[0].contains("WAYLAND_DISPLAY"));
    EXPECT_FALSE(QFile::exists(called));
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
