#include "platform/desktop.h"

#include <QDesktopServices>
#include <utility>

namespace desktop {
namespace {

Opener& installedOpener()
{
    static Opener opener;
    return opener;
}

} // namespace

bool open(const QUrl& url)
{
    if (const Opener& opener = installedOpener())
        return opener(url);
    return QDesktopServices::openUrl(url);
}

bool openFile(const QString& path)
{
    return open(QUrl::fromLocalFile(path));
}

OpenerGuard::OpenerGuard(Opener opener) : previous_(std::exchange(installedOpener(), std::move(opener)))
{
}

OpenerGuard::~OpenerGuard()
{
    installedOpener() = std::move(previous_);
}

} // namespace desktop
