#pragma once
// A frame laid over other controls of its window (an editor over a list, a result panel
// over its choosers) makes what it covers unusable while it is shown: the covered controls
// are hidden behind it, so they take no focus, no key and no click, and assistive
// technology is not offered them. Where the focus was on a covered control, the frame's
// first field takes it, and the control gets it back when the frame goes.

class QWidget;

// The frame covers, whenever it is shown, every sibling below it that lies wholly within
// its rectangle. The rule lives as long as the frame.
void coverWhileShown(QWidget* frame);
