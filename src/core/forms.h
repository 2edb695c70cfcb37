#pragma once
// The single open instance of each window (the original's global form objects):
// a window class derives from SingleInstance<itself>; instance() answers nullptr while
// the window is closed.

template <class Form>
class SingleInstance {
public:
    // The cast is made here, when the window is asked for: from the end of its base parts'
    // construction to the start of their destruction the registered object is a whole Form.
    static Form* instance() { return current_ ? static_cast<Form*>(current_) : nullptr; }
    void forgetInstance()
    {
        if (current_ == this)
            current_ = nullptr;
    }

protected:
    SingleInstance() { current_ = this; }
    ~SingleInstance() { forgetInstance(); }

private:
    // Held as the base part alone: the registering constructor runs before the Form exists,
    // and the forgetting destructor after it is gone.
    static inline SingleInstance* current_ = nullptr;
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
