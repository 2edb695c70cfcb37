#pragma once
// Suppliers: a fixed set of numbered rows of Promithf. A material's promitheftis and every
// supplier filter hold the supplier's position k in the supplier choice list (0 = none).

#include <QString>
#include <QStringList>

namespace supplier {

inline constexpr const char* kTable = "Promithf";

// The supplier choice list that every window offering suppliers shows: " - ", then one entry
// per row of "select * from Promithf" in table order; a name shorter than 2 characters shows
// as "- - - { NN } - - -" with its position k. Position k is supplier reference k.
// Throws db::DatabaseError when the table cannot be read.
QStringList choiceList();
// The choice list, or " - " alone after a message that the suppliers could not be read, so
// that a window offering suppliers goes on working without them.
QStringList choiceListOrNone();

// The entry of position k (k >= 1) for a stored name.
QString choiceEntry(const QString& name, int k);

} // namespace supplier
