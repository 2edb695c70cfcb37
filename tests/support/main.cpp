// Test programs run the real widgets on the offscreen platform, with the C library's locale
// Greek as on the workshop's computers. Started again by a test as the program starts up,
// a test program takes the program's own application object instead.
#include "core/application.h"
#include "support/greeklocale.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every test runs under the Greek C library locale; where it is missing, every test program
// fails and names the fix, rather than passing without proving anything.
class GreekCLibraryLocale : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(testenv::greekNumbersInForce()); }
};

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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
