// The single-instance registry: the open window of a class, none once it is closed.

#include "core/forms.h"
#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

class Window;

// A child that asks for the window while its parent is being built and torn down.
class Probe : public QWidget {
public:
    Probe(QWidget* parent, Window** seenAtEnd) : QWidget(parent), seenAtEnd_(seenAtEnd) {}
    ~Probe() override;

private:
    Window** seenAtEnd_;
};

class Window : public QWidget, public SingleInstance<Window> {
public:
    explicit Window(Window** seenAtEnd = nullptr)
    {
        new Probe(this, seenAtEnd);
        seenWhileBuilt_ = instance();
    }
    Window* seenWhileBuilt() const { return seenWhileBuilt_; }

private:
    Window* seenWhileBuilt_ = nullptr;
};

Probe::~Probe()
{
    if (seenAtEnd_)
        *seenAtEnd_ = Window::instance();
}

TEST(SingleInstance, AnswersTheOpenWindowAndNoneOnceItIsGone)
{
    ASSERT_EQ(Window::instance(), nullptr);
    Window* seenByChild = nullptr;
    auto* first = new Window(&seenByChild);
    EXPECT_EQ(first->seenWhileBuilt(), first);
    EXPECT_EQ(Window::instance(), first);

    // A newer window takes the place; the older one closing leaves it there.
    auto* second = new Window;
    EXPECT_EQ(Window::instance(), second);
    delete first;
    EXPECT_EQ(Window::instance(), second);
    EXPECT_EQ(seenByChild, second);

    // Its own children, destroyed after the registry's part, no longer see the closing window.
    auto* third = new Window(&seenByChild);
    delete third;
    EXPECT_EQ(seenByChild, nullptr);
    EXPECT_EQ(Window::instance(), nullptr);
    delete second;
}

TEST(SingleInstance, UnloadForgetsAtOnceAndDeletesLater)
{
    QPointer<Window> window = new Window;
    window->show();
    Unload(window.data());
    EXPECT_EQ(Window::instance(), nullptr);
    EXPECT_FALSE(window->isVisible());
    ASSERT_FALSE(window.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    Unload<Window>(nullptr);
}

} // namespace
