#include "platform/filedialog.h"
#include "platform/qttexts.h"

#include <QFileDialog>
#include <QStringList>
#include <utility>

namespace filedialog {
namespace {

Chooser& installedChooser()
{
    static Chooser chooser;
    return chooser;
}

// One filter entry in the dialog's form "description (pattern pattern)". Each pattern also
// comes in capitals, so that PHOTO.JPG is offered as well on dialogs that match letter case.
QString filterEntry(const Request& request)
{
    QStringList patterns;
    for (const QString& pattern : request.patterns.split(';', Qt::SkipEmptyParts)) {
        patterns << pattern;
        if (pattern.toUpper() != pattern)
            patterns << pattern.toUpper();
    }
    return request.description + " (" + patterns.join(' ') + ')';
}

} // namespace

QString chooseFile(QWidget* owner, const Request& request)
{
    if (const Chooser& chooser = installedChooser())
        return chooser(request);
    // Qt's own dialog, whose texts the program gives in Greek; the desktop's dialog would
    // speak the desktop's language.
    qttexts::useGreek();
    return QFileDialog::getOpenFileName(owner, request.title, request.folder, filterEntry(request), nullptr,
                                        QFileDialog::DontUseNativeDialog);
}

ChooserGuard::ChooserGuard(Chooser chooser) : previous_(std::exchange(installedChooser(), std::move(chooser)))
{
}

ChooserGuard::~ChooserGuard()
{
    installedChooser() = std::move(previous_);
}

} // namespace filedialog
