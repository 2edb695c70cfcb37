#pragma once
// The C library's locale of the workshop's computers. Tests run with the whole C library
// locale Greek, numbers included (a decimal comma), which is harsher than the program's own
// start-up, which keeps numbers "C": figures that are stored, exported or written into SQL
// must not depend on it. Qt's regional settings stay as each test sets them (QLocale).

#include <gtest/gtest.h>

namespace testenv {

// The locale the tests and the program's Greek start-up use.
inline constexpr const char* kGreekLocale = "el_GR.UTF-8";

// Sets the C library's whole locale to Greek; called once by the test programs.
void useGreekCLibraryLocale();

// Whether the C library reads and writes numbers the Greek way now; fails, naming the fix,
// where the Greek locale is not installed, so that tests that need it never pass without it.
::testing::AssertionResult greekNumbersInForce();

// Whether this test program was started again by a test to run as the program starts up
// (the program's application object, the environment's regional settings).
bool runsAsProgram();
// The environment variable that says so.
inline constexpr const char* kRunsAsProgram = "TARMEL_TEST_AS_PROGRAM";

}
