// Test programs run the real widgets on the offscreen platform, each in a home of its own,
// with the C library's locale Greek as on the workshop's computers. Started again by a test as
// the program starts up, a test program takes the program's own application object instead.
#include "core/application.h"
#include "support/greeklocale.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <cstdio>
#include <memory>
#include <utility>

namespace {

// Every test runs under the Greek C library locale; where it is missing, every test program
// fails and names the fix, rather than passing without proving anything.
class GreekCLibraryLocale : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(testenv::greekNumbersInForce()); }
};

// Points HOME and the XDG folders into a fresh folder that lives as long as the program, so
// that no test reads or writes the user's settings, caches or runtime files (Qt's file dialog
// stores its state in the configuration folder, the single-copy lock lies in the runtime one).
void useOwnHome(const QTemporaryDir& home)
{
    const QDir root(home.path());
    const std::pair<const char*, const char*> folders[] = {
        {"HOME", "."},
        {"XDG_CONFIG_HOME", ".config"},
        {"XDG_DATA_HOME", ".local/share"},
        {"XDG_STATE_HOME", ".local/state"},
        {"XDG_CACHE_HOME", ".cache"},
        {"XDG_RUNTIME_DIR", "runtime"},
    };
    for (const auto& [variable, folder] : folders) {
        const QString path = QDir::cleanPath(root.filePath(folder));
        root.mkpath(folder);
        qputenv(variable, QFile::encodeName(path));
    }
    // Qt accepts a runtime folder only when its owner alone may enter it.
    QFile::setPermissions(root.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

#ifdef TARMEL_SANITIZE
// The sanitizers' options, read by their run-time before main whichever way a test program is
// started (by ctest, by the build's test listing, by hand): every report fails the program,
// leaks included, and undefined behaviour is reported with the stack that led to it.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1:check_initialization_order=1";
}
extern "C" const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1";
}
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir home;
    if (!home.isValid()) {
        fprintf(stderr, "cannot create a home folder for the tests: %s\n",
                qPrintable(home.errorString()));
        return 1;
    }
    useOwnHome(home);
    const bool asProgram = testenv::runsAsProgram();
    const std::unique_ptr<QApplication> app = asProgram ? std::make_unique<Application>(argc, argv)
                                                        : std::make_unique<QApplication>(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    if (!asProgram) {
        testenv::useGreekCLibraryLocale();
        ::testing::AddGlobalTestEnvironment(new GreekCLibraryLocale);
    }
    return RUN_ALL_TESTS();
}
