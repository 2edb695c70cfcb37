#include "support/greeklocale.h"

#include <QtGlobal>
#include <clocale>
#include <cstdio>

namespace testenv {

void useGreekCLibraryLocale()
{
    std::setlocale(LC_ALL, kGreekLocale);
}

::testing::AssertionResult greekNumbersInForce()
{
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 2.5);
    if (text == std::string_view("2,5"))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "the C library writes 2.5 as \"" << text << "\": the locale " << kGreekLocale
        << " is not installed or not in force (bash scripts/install-deps generates it)";
}

bool runsAsProgram()
{
    return qEnvironmentVariableIsSet(kRunsAsProgram);
}

}
