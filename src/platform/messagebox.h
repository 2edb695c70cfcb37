#pragma once
// The platform's message box: style numbers 0 (OK), 4 (Yes/No), 16 (OK, critical stop),
// 52 (Yes/No, exclamation), 64 (OK, information); answers OK 1, Yes 6, No 7.
// A box without a title shows the program's title "tarmel".

#include <QString>
#include <functional>

namespace msgbox {

enum Style { OkOnly = 0, YesNo = 4, Critical = 16, Exclamation = 48, Information = 64 };
enum Answer { Ok = 1, Cancel = 2, Yes = 6, No = 7 };

int MsgBox(const QString& text, int style = OkOnly, const QString& title = {});

// Tests answer every box through a responder instead of a modal dialog.
struct Box {
    QString text;
    int style;
    QString title;   // as shown: "tarmel" when none was given
};
using Responder = std::function<int(const Box&)>;
// Installs a responder for the life of the guard; the previous one comes back after it.
class ResponderGuard {
public:
    explicit ResponderGuard(Responder responder);
    ~ResponderGuard();
    ResponderGuard(const ResponderGuard&) = delete;
    ResponderGuard& operator=(const ResponderGuard&) = delete;

private:
    Responder previous_;
};

} // namespace msgbox
