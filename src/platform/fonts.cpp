#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

namespace fonts {
namespace {

struct StandIns {
    const char* face;
    QStringList faces;   // in order of preference
};

// Proportional faces for the captions and lists; metric twins for Arial and Courier New,
// so that texts fit the designed widths.
const QStringList kProportional = {"DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans"};

} // namespace

void useStandIns()
{
    const StandIns table[] = {
        {"Tahoma", kProportional},
        {"Tahoma Greek", kProportional},
        {"Sans Serif", kProportional},
        {"Arial", {"Liberation Sans", "Arimo", "DejaVu Sans"}},
        {"Courier New", {"Liberation Mono", "Cousine", "DejaVu Sans Mono"}},
    };
    for (const StandIns& entry : table)
        QFont::insertSubstitutions(QString::fromLatin1(entry.face), entry.faces);
}

} // namespace fonts
