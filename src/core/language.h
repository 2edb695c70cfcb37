#pragma once
// Interface language and typed parameters, read from the companion program's database
// through gConnQuilbex. A caption or window title whose trimmed text starts with "~"
// holds a key of table glossa; the tooltip of such a control is itself a whole key.

#include <QString>
#include <QVariant>

class QWidget;

// The interface text of a key in language gLanguage: the found text trimmed; the trimmed
// key when the found text is empty; the trimmed key in upper case when glossa lacks it or
// cannot be read (a missing table, a file locked by the companion program). After a failed
// read the open language database is not asked again, so that a locked file costs one
// wait and not one per caption.
QString TranslateText(const QString& key);

// Whether glossa of the open language database can be read; false also marks it unreadable
// for TranslateText.
bool LanguageTableReadable();

// Translates the captions and tooltips of every control of a window, in creation order,
// then the window's own title.
void TranslateForm(QWidget* form);

// Typed parameter ID of a kind: 1 pm_boolean, 2 pm_integer, 3 pm_single, 4 pm_keimeno20,
// 5 pm_keimeno250, 6 pm_ypomnima. The value of the row (a null QVariant for a Null value),
// or qint16 -1 when there is no such row, ID is below 1 or kind is outside 1..6.
// Throws db::DatabaseError when the look-up cannot run.
QVariant GetParameter(qint16 ID, qint16 kind);
