#include "platform/fonts.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

constexpr char kChildMark[] = "TARMEL_FONTS_CHILD";

// A fontconfig that answers every face it lacks with Liberation Mono, as a minimal machine's
// does for "Tahoma" and sans-serif.
const char kMonospaceMachine[] = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/liberation</dir>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>%1</cachedir>
  <match target="pattern">
    <edit name="family" mode="prepend" binding="strong"><string>Liberation Mono</string></edit>
  </match>
</fontconfig>
)";

// The windows' faces resolve to proportional faces with Greek; Courier New stays fixed-pitch.
TEST(Fonts, NamedFacesResolveToProportionalGreekFaces)
{
    fonts::useStandIns();
    const struct {
        QFont font;
        bool fixedPitch;
    } cases[] = {
        {QFont("Tahoma"), false},
        {QFont("Tahoma Greek", 9), false},
        {QApplication::font(), false},
        {QFont("Arial", 8), false},
        {QFont("Courier New", 9), true},
    };
    for (const auto& c : cases) {
        const QFontInfo resolved(c.font);
        SCOPED_TRACE((c.font.family() + " as " + resolved.family()).toStdString());
        EXPECT_EQ(resolved.fixedPitch(), c.fixedPitch);
        EXPECT_TRUE(QFontDatabase::writingSystems(resolved.family()).contains(QFontDatabase::Greek));
    }

    // The same on a machine whose fontconfig answers with a monospace face: this test again
    // in a program of its own, which reads its fontconfig at start.
    if (qEnvironmentVariableIsSet(kChildMark))
        return;
    QTemporaryDir dir;
    const QString config = dir.filePath("fonts.conf");
    QFile file(config);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString::fromLatin1(kMonospaceMachine).arg(dir.filePath("cache")).toUtf8());
    file.close();
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("FONTCONFIG_FILE", config);
    environment.insert(kChildMark, "1");
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=Fonts.NamedFacesResolveToProportionalGreekFaces"});
    ASSERT_TRUE(child.waitForFinished(60000));
    EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
}

} // namespace
