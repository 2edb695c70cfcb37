#pragma once
// Alphabetical order of texts, as the lists sort descriptions and codes: Greek and Latin
// letters in the order of their alphabets without regard to letter case or accents
// ("αλουμίνιο, άξονας, Βίδα, ΓΩΝΙΑ, Δείγμα, δίσκος, Ζάντα"). Blanks, punctuation and symbols
// come first, then digits, Latin letters, Greek letters and the letters of other scripts.
// Texts equal but for accents have the plain one first, then those equal but for case have
// the small letters first; only identical texts compare equal.
//
// Every program connection registers the order as the collation kName, and a query names it
// in its ORDER BY (orderBy), never in the schema: the sqlite3 tool, which does not know it,
// keeps reading and writing the files.

#include <QString>
#include <string_view>

struct sqlite3;

namespace collation {

inline constexpr char kName[] = "alphabetic";

// An ORDER BY term of a text column in this order: "perigrafi" -> "perigrafi collate alphabetic".
QString orderBy(const QString& column);

// Negative, zero or positive as UTF-8 text a sorts before, with or after b.
int compare(std::string_view a, std::string_view b);

// Registers the collation kName on an open connection; returns SQLite's result code.
int registerOn(sqlite3* handle);

} // namespace collation
