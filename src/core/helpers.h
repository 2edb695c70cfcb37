#pragma once
// Small services that several windows share: the output column flags, the clipboard copy
// of a grid, padding, safe trimming, a pause that keeps windows alive, material codes as
// file names and the always-on-top switch.

#include <QString>
#include <QVariant>
#include <array>

class FlexGrid;
class QWidget;

// One flag per grid column for the clipboard, Excel and printer output: non-zero includes
// the column. All -1 at start and again after every CopyGridToClipboard.
extern std::array<qint16, 100> gColumnSelected;
// Non-zero: CopyGridToClipboard keeps only shortage rows (column 13 "ok", column 10 below 0).
extern qint16 gShortageOnly;

// Switches every column flag on (-1).
void SelectAllColumns();

// Puts the flagged columns of the grid's rows on the clipboard: each cell followed by TAB,
// each row by LF; row 0 (the headers) like any other. Switches all column flags on afterwards.
// Columns from 100 on have no flag and are never copied.
void CopyGridToClipboard(const FlexGrid& grid);
void CopyTextToClipboard(const QString& text);

// The text trimmed, then padChar added (after it when padRight, else before it) until it is
// width characters long; a longer text is not cut.
QString PadText(const QString& text, int width, const QString& padChar, bool padRight);

// The value's text without leading and trailing blanks; Null gives empty text. Never throws.
QString SafeTrim(const QVariant& value);

// A multi-line box's text (its lines end in LF) with the line breaks of the stored text it
// shows: CR LF where the stored text holds CR LF, else LF. So a text shown and not changed is
// written back as it was stored.
QString withLineBreaksOf(const QString& boxText, const QString& storedText);

// Lets the window system process events (repaints, timers, clicks) for the given time.
void Pause(float seconds);

// A material code as a picture file name: blanks and the punctuation - . _ , / | ( ) + * \ { } [ ] ' < >
// removed, letters in upper case.
QString NormalizeCode(const QString& code);

// Keeps the form's window above all others (or not), at its position and size.
void SetFormOnTop(QWidget* form, bool onTop);
