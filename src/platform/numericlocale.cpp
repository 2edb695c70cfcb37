#include "platform/numericlocale.h"

#include <clocale>

namespace numericlocale {

void useClassicNumbers()
{
    std::setlocale(LC_NUMERIC, "C");
}

namespace {

// A copy of the thread's locale whose numeric category is "C", or none where it cannot be made:
// the thread then keeps its locale, whose numeric category is "C" in the program anyway.
locale_t classicCopyOfThisThreadsLocale()
{
    const locale_t copy = duplocale(uselocale(nullptr));
    if (!copy)
        return nullptr;
    const locale_t classic = newlocale(LC_NUMERIC_MASK, "C", copy);
    if (!classic)
        freelocale(copy);
    return classic;
}

}

ClassicNumbersScope::ClassicNumbersScope()
    : classic_(classicCopyOfThisThreadsLocale())
    , previous_(classic_ ? uselocale(classic_) : nullptr)
{
}

ClassicNumbersScope::~ClassicNumbersScope()
{
    if (!classic_)
        return;
    uselocale(previous_);
    freelocale(classic_);
}

}
