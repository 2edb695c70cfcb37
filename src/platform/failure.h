#pragma once
// Why a file or database step failed, in the user's words. Every failure box names the same
// cause (file locked, read-only, disk full, not a database, missing file, table or column, no
// permission) with the same Greek sentence, whatever reported it: SQLite, the file system
// through Qt, or the spreadsheet library. No English text of the engine or of Qt reaches the
// user: a cause none of the common ones is a Greek sentence with SQLite's code; names that the
// engine's text carries (the missing column, a trigger's own reason) are kept.

#include <QString>

namespace failure {

// An SQLite failure: its extended result code, the system error number behind it (0 when
// none) and SQLite's message. A database file replaced or deleted under its open connection
// (SQLITE_READONLY_DBMOVED) is told as such.
QString databaseText(int resultCode, int systemError, const QString& message);

// A system error number (errno); empty for a number without words of its own.
QString systemText(int systemError);

// A failed file step as Qt reported it (QFileDevice::errorString), which carries the system's
// text of its error number.
QString fileText(const QString& qtErrorString);

} // namespace failure
