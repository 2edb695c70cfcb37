#pragma once
// The program's application object. Its event delivery is the last guard of the rule that
// no failure ends the program: an exception that a handler lets through is shown in a
// message box and the event loop goes on.

#include <QApplication>
#include <functional>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

// Runs one delivery; an exception it lets through becomes a critical message box, and the
// delivery then counts as not handled.
bool deliverReportingFailures(const std::function<bool()>& deliver);
