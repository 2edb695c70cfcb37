#include "platform/hourglass.h"
#include "platform/messagebox.h"
#include "support/testenv.h"
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <map>

namespace {

// What a shown box looked like.
struct Seen {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    std::map<QMessageBox::StandardButton, QString> buttonTexts;   // as read, without the key marks
};

// Waits for the next modal message box, records it and presses `press` on it (or closes it
// with Escape when press is NoButton). Polls so that the box is found however it opens.
class ModalAnswerer {
public:
    explicit ModalAnswerer(QMessageBox::StandardButton press) : press_(press)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { tryAnswer(); });
        timer_.start(10);
    }
    const Seen& seen() const { return seen_; }

private:
    void tryAnswer()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        timer_.stop();
        seen_ = {box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                 box->defaultButton() ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton, {}};
        for (QAbstractButton* button : box->buttons())
            seen_.buttonTexts[box->standardButton(button)] = button->text().remove(u'&');
        if (press_ == QMessageBox::NoButton)
            box->reject();
        else if (QAbstractButton* button = box->button(press_))
            button->click();
        else
            box->reject();   // the button is missing: let the test see the wrong buttons
    }

    QMessageBox::StandardButton press_;
    QTimer timer_;
    Seen seen_;
};

} // namespace

TEST(MessageBoxModal, StyleChoosesButtonsIconAndAnswer)
{
    using B = QMessageBox;
    const struct {
        int style;
        B::StandardButtons buttons;
        B::Icon icon;
        B::StandardButton press;
        int answer;
    } cases[] = {
        {msgbox::OkOnly, B::Ok, B::NoIcon, B::Ok, msgbox::Ok},
        {msgbox::YesNo, B::Yes | B::No, B::NoIcon, B::No, msgbox::No},
        {msgbox::YesNo, B::Yes | B::No, B::NoIcon, B::Yes, msgbox::Yes},
        {16, B::Ok, B::Critical, B::Ok, msgbox::Ok},
        {52, B::Yes | B::No, B::Warning, B::No, msgbox::No},
        {64, B::Ok, B::Information, B::Ok, msgbox::Ok},
        {msgbox::OkCancel | msgbox::Question, B::Ok | B::Cancel, B::Question, B::Cancel, msgbox::Cancel},
        {msgbox::YesNoCancel, B::Yes | B::No | B::Cancel, B::NoIcon, B::Cancel, msgbox::Cancel},
        {msgbox::YesNoCancel, B::Yes | B::No | B::Cancel, B::NoIcon, B::No, msgbox::No},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        ModalAnswerer answerer(c.press);
        EXPECT_EQ(msgbox::MsgBox("Διαγραφή;", c.style, "Προσοχή"), c.answer);
        EXPECT_EQ(answerer.seen().buttons, c.buttons);
        EXPECT_EQ(answerer.seen().icon, c.icon);
        EXPECT_EQ(answerer.seen().title, "Προσοχή");
        EXPECT_EQ(answerer.seen().text, "Διαγραφή;");
    }
}

TEST(MessageBoxModal, ButtonsReadGreek)
{
    using B = QMessageBox;
    using Texts = std::map<B::StandardButton, QString>;
    const std::pair<int, Texts> cases[] = {
        {msgbox::OkOnly, {{B::Ok, "OK"}}},
        {52, {{B::Yes, "Ναι"}, {B::No, "Όχι"}}},
        {msgbox::OkCancel, {{B::Ok, "OK"}, {B::Cancel, "Άκυρο"}}},
        {msgbox::YesNoCancel, {{B::Yes, "Ναι"}, {B::No, "Όχι"}, {B::Cancel, "Άκυρο"}}},
    };
    for (const auto& [style, texts] : cases) {
        ModalAnswerer answerer(QMessageBox::NoButton);
        msgbox::MsgBox("x", style);
        EXPECT_EQ(answerer.seen().buttonTexts, texts) << style;
    }
}

TEST(MessageBoxModal, FirstButtonIsTheDefaultUnlessTheStyleNamesAnother)
{
    {
        ModalAnswerer answerer(QMessageBox::Yes);
        msgbox::MsgBox("x", msgbox::YesNo);
        EXPECT_EQ(answerer.seen().defaultButton, QMessageBox::Yes);
    }
    {
        ModalAnswerer answerer(QMessageBox::Yes);
        msgbox::MsgBox("x", msgbox::YesNo | msgbox::DefaultButton2);
        EXPECT_EQ(answerer.seen().defaultButton, QMessageBox::No);
    }
}

TEST(MessageBoxModal, UntitledBoxShowsTheProgramTitle)
{
    ModalAnswerer answerer(QMessageBox::Ok);
    msgbox::MsgBox("No stock file exist");
    EXPECT_EQ(answerer.seen().title, "tarmel");
}

TEST(MessageBoxModal, EscapeAnswersCancelOrNo)
{
    {
        ModalAnswerer answerer(QMessageBox::NoButton);
        EXPECT_EQ(msgbox::MsgBox("x", msgbox::YesNo), msgbox::No);
    }
    {
        ModalAnswerer answerer(QMessageBox::NoButton);
        EXPECT_EQ(msgbox::MsgBox("x", msgbox::YesNoCancel), msgbox::Cancel);
    }
    {
        ModalAnswerer answerer(QMessageBox::NoButton);
        EXPECT_EQ(msgbox::MsgBox("x", msgbox::OkOnly), msgbox::Ok);
    }
}

TEST(MessageBoxResponder, AnswersInsteadOfShowingAndRestoresThePrevious)
{
    QVector<msgbox::Box> outer;
    msgbox::ResponderGuard outerGuard([&](const msgbox::Box& box) {
        outer.push_back(box);
        return int(msgbox::No);
    });
    {
        QVector<msgbox::Box> inner;
        msgbox::ResponderGuard innerGuard([&](const msgbox::Box& box) {
            inner.push_back(box);
            return int(msgbox::Cancel);
        });
        EXPECT_EQ(msgbox::MsgBox("a", 52), msgbox::Cancel);
        ASSERT_EQ(inner.size(), 1);
        EXPECT_EQ(inner[0].text, "a");
        EXPECT_EQ(inner[0].style, 52);
        EXPECT_EQ(inner[0].title, "tarmel");
        EXPECT_TRUE(outer.isEmpty());
    }
    EXPECT_EQ(msgbox::MsgBox("b", 4, "S.O.S."), msgbox::No);
    ASSERT_EQ(outer.size(), 1);
    EXPECT_EQ(outer[0].title, "S.O.S.");
}

TEST(MessageBoxResponder, TestBoxesRecordAndAnswerFromTheirQueue)
{
    testenv::Boxes boxes;
    boxes.answerNext(msgbox::No);
    EXPECT_EQ(msgbox::MsgBox("first", 52, "Προσοχή"), msgbox::No);
    EXPECT_EQ(msgbox::MsgBox("second", 4), msgbox::Yes);   // queue empty: Yes for Yes/No
    EXPECT_EQ(msgbox::MsgBox("third", 64), msgbox::Ok);
    ASSERT_EQ(boxes.count(), 3);
    EXPECT_EQ(boxes.shown()[0].title, "Προσοχή");
    EXPECT_EQ(boxes.shown()[1].title, "tarmel");
    EXPECT_EQ(boxes.last().text, "third");
    EXPECT_EQ(boxes.last().style, 64);
}

TEST(HourglassGuard, ShowsTheWaitCursorUntilTheOutermostGuardEnds)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        Hourglass outer;
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        {
            Hourglass inner;
            EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
        }
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
