#pragma once
// The open-file dialog: the user chooses one existing file. Qt's own dialog with its texts in
// Greek (platform/qttexts.h). Tests install a chooser of their own so that no dialog waits on
// a person.

#include <QString>
#include <functional>

class QWidget;

namespace filedialog {

struct Request {
    QString title;         // the dialog's caption
    QString folder;        // where it starts
    QString description;   // of the one filter entry, e.g. "Picture File (jpg, bmp)"
    QString patterns;      // the entry's patterns separated by ';', e.g. "*.jpg;*.bmp"
};

// Asks for a file over the owner window; the chosen path, or empty when the user cancelled.
QString chooseFile(QWidget* owner, const Request& request);

using Chooser = std::function<QString(const Request&)>;
// Installs a chooser for the life of the guard; the previous one comes back after it.
class ChooserGuard {
public:
    explicit ChooserGuard(Chooser chooser);
    ~ChooserGuard();
    ChooserGuard(const ChooserGuard&) = delete;
    ChooserGuard& operator=(const ChooserGuard&) = delete;

private:
    Chooser previous_;
};

} // namespace filedialog
