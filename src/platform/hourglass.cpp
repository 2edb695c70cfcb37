#include "platform/hourglass.h"
#include <QCursor>
#include <QGuiApplication>

Hourglass::Hourglass()
    : active_(qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
{
    if (active_)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

Hourglass::~Hourglass()
{
    if (active_)
        QGuiApplication::restoreOverrideCursor();
}
