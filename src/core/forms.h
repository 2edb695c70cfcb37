#pragma once
// The single open instance of each window (the original's global form objects):
// a window class derives from SingleInstance<itself>; instance() answers nullptr while
// the window is closed.

template <class Form>
class SingleInstance {
public:
    static Form* instance() { return current_; }
    void forgetInstance()
    {
        if (current_ == static_cast<Form*>(this))
            current_ = nullptr;
    }

protected:
    SingleInstance() { current_ = static_cast<Form*>(this); }
    ~SingleInstance() { forgetInstance(); }

private:
    static inline Form* current_ = nullptr;
};

#include <QWidget>

// Unloads a window: hides it at once, forgets the instance, and deletes it once control
// is back in the event loop (a window may unload itself from its own handler).
template <class Form>
void Unload(Form* form)
{
    if (!form)
        return;
    form->forgetInstance();
    form->hide();
    form->deleteLater();
}
