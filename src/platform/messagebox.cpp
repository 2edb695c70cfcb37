#include "platform/messagebox.h"
#include "platform/qttexts.h"
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

namespace msgbox {

namespace {

Responder& installedResponder()
{
    static Responder responder;
    return responder;
}

struct Choice {
    QMessageBox::StandardButton button;
    Answer answer;
};

std::vector<Choice> choicesOf(int style)
{
    switch (style & 7) {
    case OkCancel: return {{QMessageBox::Ok, Ok}, {QMessageBox::Cancel, Cancel}};
    case AbortRetryIgnore:
        return {{QMessageBox::Abort, Abort}, {QMessageBox::Retry, Retry}, {QMessageBox::Ignore, Ignore}};
    case YesNoCancel: return {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}, {QMessageBox::Cancel, Cancel}};
    case YesNo: return {{QMessageBox::Yes, Yes}, {QMessageBox::No, No}};
    case RetryCancel: return {{QMessageBox::Retry, Retry}, {QMessageBox::Cancel, Cancel}};
    default: return {{QMessageBox::Ok, Ok}};
    }
}

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case Critical: return QMessageBox::Critical;
    case Question: return QMessageBox::Question;
    case Exclamation: return QMessageBox::Warning;
    case Information: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// What Escape or closing the box means: Cancel where there is one, else No, else OK,
// else the last button.
Answer closedAnswer(const std::vector<Choice>& choices)
{
    for (const Answer preferred : {Cancel, No, Ok}) {
        for (const Choice& choice : choices) {
            if (choice.answer == preferred)
                return preferred;
        }
    }
    return choices.back().answer;
}

int showModal(const Box& box)
{
    qttexts::useGreek();   // the buttons read Ναι, Όχι, OK, Άκυρο
    QMessageBox dialog(iconOf(box.style), box.title, box.text, QMessageBox::NoButton,
                       QApplication::activeWindow());
    const std::vector<Choice> choices = choicesOf(box.style);
    for (const Choice& choice : choices)
        dialog.addButton(choice.button);
    const std::size_t defaultIndex = std::size_t((box.style >> 8) & 3);
    dialog.setDefaultButton(choices[defaultIndex < choices.size() ? defaultIndex : 0].button);
    const Answer escape = closedAnswer(choices);
    for (const Choice& choice : choices) {
        if (choice.answer == escape)
            dialog.setEscapeButton(choice.button);
    }
    dialog.exec();
    const QAbstractButton* clicked = dialog.clickedButton();
    for (const Choice& choice : choices) {
        if (clicked && clicked == dialog.button(choice.button))
            return choice.answer;
    }
    return escape;
}

} // namespace

int MsgBox(const QString& text, int style, const QString& title)
{
    const Box box{text, style, title.isEmpty() ? QStringLiteral("tarmel") : title};
    if (const Responder& responder = installedResponder())
        return responder(box);
    return showModal(box);
}

ResponderGuard::ResponderGuard(Responder responder)
    : previous_(std::exchange(installedResponder(), std::move(responder)))
{
}

ResponderGuard::~ResponderGuard()
{
    installedResponder() = std::move(previous_);
}

} // namespace msgbox
