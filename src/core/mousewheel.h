#pragma once
// Mouse-wheel forwarding: while a window is hooked, every vertical wheel turn over it or over
// any of its controls calls its public method "MouseWheel" by name with four ints: the key
// flags (1 left button, 2 right button, 4 Shift, 8 Ctrl, 16 middle button), the rotation
// (+120 a notch away from the user, -120 towards; finer steps of high-resolution wheels as
// they come), and the pointer's screen position x (low 16 bits, unsigned) and y (signed 16
// bits). The turn is then the window's alone: the control under the pointer does not act on
// it, nor does the area around the window. One window is hooked at a time; a window that is
// gone is never called.

class QWidget;

// Hooks the window (replacing any window hooked before).
void HookMouseWheel(QWidget* form);
// Ends the forwarding; nothing is called afterwards.
void UnhookMouseWheel();
