#pragma once
// The platform's message box, given by style numbers: the buttons are style & 7
// (0 OK, 1 OK/Cancel, 2 Abort/Retry/Ignore, 3 Yes/No/Cancel, 4 Yes/No, 5 Retry/Cancel),
// the icon style & 0x70 (16 critical stop, 32 question, 48 exclamation, 64 information),
// the default button style & 0x300 (0 the first, 256 the second, 512 the third).
// The system uses 0, 4, 16, 52 (Yes/No with exclamation) and 64. Answers: OK 1, Cancel 2,
// Abort 3, Retry 4, Ignore 5, Yes 6, No 7. A box without a title shows the program's
// title "tarmel". Closing a box without a button answers Cancel, or No for Yes/No, or OK.

#include <QString>
#include <functional>

namespace msgbox {

enum Style {
    OkOnly = 0,
    OkCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
    Critical = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
    DefaultButton2 = 256,
    DefaultButton3 = 512,
};
enum Answer { Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// Shows the box modally (over the active window) and returns the answer.
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
