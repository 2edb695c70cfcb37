#include "platform/filedialog.h"

#include <QFileDialog>
#include <utility>

namespace filedialog {
namespace {

Chooser& installedChooser()
{
    static Chooser chooser;
    return chooser;
}

// One filter entry in the dialog's form "description (pattern pattern)".
QString filterEntry(const Request& request)
{
    QString patterns = request.patterns;
    patterns.replace(';', ' ');
    return request.description + " (" + patterns + ')';
}

} // namespace

QString chooseFile(QWidget* owner, const Request& request)
{
    if (const Chooser& chooser = installedChooser())
        return chooser(request);
    return QFileDialog::getOpenFileName(owner, request.title, request.folder, filterEntry(request));
}

ChooserGuard::ChooserGuard(Chooser chooser) : previous_(std::exchange(installedChooser(), std::move(chooser)))
{
}

ChooserGuard::~ChooserGuard()
{
    installedChooser() = std::move(previous_);
}

} // namespace filedialog
