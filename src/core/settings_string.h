#pragma once
// The settings string: the 20 characters of tmpString1 in the first supplier row of the
// stock database. Characters 1 to 10 hold the invoice window's five column choices (two
// digits each), 11 to 15 the main window's left and 16 to 20 its top, in twips ("00000").

#include <QPoint>
#include <QString>
#include <QVariant>
#include <array>

namespace db {
class Connection;
}

namespace settings {

inline constexpr int kLength = 20;
// The largest position five digits hold.
inline constexpr int kMaxPosition = 99999;

// "00000000000000000000"
QString defaultString();
// A stored value trimmed of blanks; Null, or shorter than 20 characters: the default string.
QString normalized(const QVariant& stored);

// The settings string of the stock database, normalised; the default string when there is
// no supplier row or the table cannot be read.
QString read(db::Connection& stock);
// Stores the settings string in the first supplier row; false when there is no row or the
// database refused it.
bool write(db::Connection& stock, const QString& value);

// The main window's position (left, top) in twips; a part that is not a whole number gives 0.
QPoint mainWindowPosition(const QString& value);
// The string with the main window's position: each coordinate rounded to 0..99999 so that
// the string keeps its 20 characters; characters 1 to 10 kept.
QString withMainWindowPosition(const QString& value, int leftTw, int topTw);

// The invoice window's five column choices of characters 1 to 10, in the order of its
// choosers 0 to 4; a pair that is not a whole number gives -1.
inline constexpr int kInvoiceChoices = 5;
using InvoiceChoices = std::array<int, kInvoiceChoices>;
InvoiceChoices invoiceChoices(const QString& value);
// The string with the five choices written "00" in characters 1 to 10; characters 11 to 20 kept.
QString withInvoiceChoices(const QString& value, const InvoiceChoices& choices);

} // namespace settings
