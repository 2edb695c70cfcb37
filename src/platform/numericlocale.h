#pragma once
// The C library's way of writing and reading numbers. Figures that are stored, exported or
// written into SQL never follow the user's regional settings (those are QLocale's): the
// C library writes and reads them with the classic "C" rules, whatever the environment says.

#include <locale.h>

namespace numericlocale {

// Takes the C library's numeric category back to "C" for the whole process, keeping every
// other category as the environment set it. Called once the application object exists,
// since QApplication sets the C library's locale from the environment.
void useClassicNumbers();

// The classic numeric rules for this thread while the scope lives, for libraries that print
// numbers with the C library (the workbook writer); the previous locale comes back after.
class ClassicNumbersScope {
public:
    ClassicNumbersScope();
    ~ClassicNumbersScope();
    ClassicNumbersScope(const ClassicNumbersScope&) = delete;
    ClassicNumbersScope& operator=(const ClassicNumbersScope&) = delete;

private:
    locale_t classic_;
    locale_t previous_;
};

}
