// A test program's settings, caches and runtime files stay in its own home, never the user's.

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace {

TEST(TestHome, EveryUserFolderLiesInTheProgramsOwnHome)
{
    const QString home = QDir::homePath();
    const passwd* user = getpwuid(getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_NE(QDir(home).canonicalPath(), QDir(QString::fromLocal8Bit(user->pw_dir)).canonicalPath());

    for (const auto location : {QStandardPaths::GenericConfigLocation, QStandardPaths::ConfigLocation,
                                QStandardPaths::GenericDataLocation, QStandardPaths::AppDataLocation,
                                QStandardPaths::GenericCacheLocation,
                                QStandardPaths::RuntimeLocation})
        EXPECT_TRUE(QStandardPaths::writableLocation(location).startsWith(home + '/'))
            << QStandardPaths::writableLocation(location).toStdString();
    // Where the file dialog keeps its state.
    const QSettings dialogState(QSettings::UserScope, QStringLiteral("QtProject"));
    EXPECT_TRUE(dialogState.fileName().startsWith(home + '/')) << dialogState.fileName().toStdString();
}

} // namespace
