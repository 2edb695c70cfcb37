#pragma once
// The program's application object, and the failure wrapper of the windows' connections.
// The windows connect every handler through reportingFailures, which shows a failure and
// keeps the window working; the application's event delivery is only the last guard of the
// rule that no failure ends the program: an exception that an event handler lets through is
// shown in a message box and the event loop goes on.

#include <QApplication>
#include <functional>
#include <type_traits>
#include <utility>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one delivery; an exception it lets through becomes a critical message box, and the
// delivery then counts as not handled.
bool deliverReportingFailures(const std::function<bool()>& deliver);

// Runs one piece of a window's work. A failure it lets through is shown in a critical message
// box ("Η ενέργεια δεν ολοκληρώθηκε:" and why), and the window goes on working.
void runReportingFailures(const std::function<void()>& work);

// A slot that runs a window's handler through runReportingFailures with the signal's
// arguments that the handler takes. Every window connects its handlers through it, so that
// no exception unwinds through Qt's signal machinery.
template <class Handler>
class ReportingFailures {
public:
    explicit ReportingFailures(Handler handler) : handler_(std::move(handler)) {}

    // Offered only for the arguments the handler takes, so that connect passes those.
    template <class... Args, class = std::enable_if_t<std::is_invocable_v<const Handler&, Args...>>>
    void operator()(Args&&... args) const
    {
        runReportingFailures([&] { handler_(std::forward<Args>(args)...); });
    }

private:
    Handler handler_;
};

template <class Handler>
ReportingFailures<Handler> reportingFailures(Handler handler)
{
    return ReportingFailures<Handler>(std::move(handler));
}

// The same for a member function of the window: reportingFailures(this, &Form::Handler).
template <class Object, class Owner, class... Args>
auto reportingFailures(Object* object, void (Owner::*handler)(Args...))
{
    return reportingFailures([object, handler](Args... args) { (object->*handler)(args...); });
}
