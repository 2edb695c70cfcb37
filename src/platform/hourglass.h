#pragma once
// The hourglass pointer for the life of the guard (the screen's MousePointer 11, then 0).
// Guards nest: the pointer goes back to normal when the outermost one ends.

class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    bool active_;   // false without a GUI application: nothing to show or restore
};
