#pragma once
// The hourglass pointer for the life of the guard (the screen's MousePointer 11, then 0).

class Hourglass {
public:
    Hourglass();
    ~Hourglass();
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;
};
