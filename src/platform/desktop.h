#pragma once
// The desktop opener: files, links and mailto addresses are handed to the desktop's own
// program for them (a spreadsheet for a workbook, the browser for a link, the mail program
// for an address). Tests install an opener of their own so that no real program starts.

#include <QUrl>
#include <functional>

namespace desktop {

// Opens the URL with the desktop's program for it; false when nothing could open it.
bool open(const QUrl& url);
// A local file by its path.
bool openFile(const QString& path);

using Opener = std::function<bool(const QUrl&)>;
// Installs an opener for the life of the guard; the previous one comes back after it.
class OpenerGuard {
public:
    explicit OpenerGuard(Opener opener);
    ~OpenerGuard();
    OpenerGuard(const OpenerGuard&) = delete;
    OpenerGuard& operator=(const OpenerGuard&) = delete;

private:
    Opener previous_;
};

} // namespace desktop
