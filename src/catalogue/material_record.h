#pragma once
// One material: a row of protesyles. The lists read rows of "select * from protesyles"
// by position, so the positions below are the table's column order.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace db {
class Connection;
class Recordset;
}

namespace material {

inline constexpr const char* kTable = "protesyles";

// Field positions in "select * from protesyles".
enum Field : int {
    ID = 0,
    Perigrafi = 1,
    kodikos = 2,
    kodikos2 = 3,
    Axia = 4,
    Axia2 = 5,
    nomisma = 6,
    typosyli = 7,
    monadametr = 8,
    promitheftis = 9,
    mystock = 10,
    minstock = 11,
    maxstock = 12,
    exeielegxo = 13,
    stoixeia2 = 14,
    tmpNum1 = 15,
    tmpString1 = 16,
    FieldCount = 17
};

// The field names in position order.
const QStringList& fieldNames();

// Material types stored in typosyli by position: " - ", then "Profil" .. "Kounoupieres"
// (positions 1 to 8, shown through the language table), "{Other1}" .. "{Other3}" as they stand.
QStringList typeList();
// The type list's entries before translation.
const QStringList& typeKeys();

// Units stored in monadametr by position: "TEM", "mm", "M2", "{Kg}", "{other}".
const QStringList& unitList();
inline constexpr int kUnitPieces = 0;   // "TEM"

// The currency symbols of NOMISMATA in table order, rows with an empty trimmed symbol left out.
// Throws db::DatabaseError when the table cannot be read.
QStringList currencyList();

// A figure as the database holds it: a number. A text (even "10,5") or Null is none, so that
// no regional reading guesses at what another tool wrote into a numeric field.
std::optional<double> storedNumber(const QVariant& value);
// A single-precision figure as stored; none also beyond the single range.
std::optional<float> storedSingle(const QVariant& value);

// Whether a code holds a control or format character (a TAB, a line break, U+200B, U+FEFF):
// such a code can be neither seen nor typed, so it could never be found again, and no road
// stores one.
bool hasInvisibleCharacter(const QString& code);
// Why such a code is refused, for the reports of the windows that refuse it.
QString invisibleCharacterReason();

// Opens rs on the materials whose code equals a code (trimmed) without regard to letter case,
// through the file's folded codes, or by a scan where the file has none. Throws
// db::DatabaseError when the look-up cannot run.
void openByCode(db::Recordset& rs, db::Connection& connection, const QString& code);
// Opens rs on the material with this identifier. Throws db::DatabaseError when the look-up
// cannot run.
void openById(db::Recordset& rs, db::Connection& connection, long id);
// The statement new materials are added through: it reads no rows, so that adding one to a
// large catalogue costs no reading of it.
QString selectForInsert();

} // namespace material
