#include "core/application.h"
#include "platform/messagebox.h"
#include "platform/numericlocale.h"
#include "platform/qttexts.h"

#include <exception>

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    qttexts::useGreek();
    numericlocale::useClassicNumbers();
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    return deliverReportingFailures([&] { return QApplication::notify(receiver, event); });
}

bool deliverReportingFailures(const std::function<bool()>& deliver)
{
    try {
        return deliver();
    } catch (const std::exception& error) {
        msgbox::MsgBox(QString::fromUtf8(error.what()), msgbox::Critical);
    } catch (...) {
        msgbox::MsgBox(QStringLiteral("Απρόβλεπτο σφάλμα."), msgbox::Critical);
    }
    return false;
}

void runReportingFailures(const std::function<void()>& work)
{
    try {
        work();
    } catch (const std::exception& error) {
        msgbox::MsgBox("Η ενέργεια δεν ολοκληρώθηκε:\n" + QString::fromUtf8(error.what()), msgbox::Critical,
                       "Προσοχή");
    } catch (...) {
        msgbox::MsgBox(QStringLiteral("Η ενέργεια δεν ολοκληρώθηκε:\nΑπρόβλεπτο σφάλμα."), msgbox::Critical,
                       "Προσοχή");
    }
}
