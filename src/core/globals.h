#pragma once
// Folders, database connections and the interface settings that start-up fills and
// every window reads.

#include "platform/database.h"
#include <QString>
#include <cstdint>

extern QString gAppPath;    // the program's folder, no trailing separator
extern QString gRootPath;   // gAppPath cut before its first "/bin"
extern QString gDataPath;   // gRootPath + "/dataloc"
extern QString gConnString; // connection string of the stock database

extern db::Connection gConnStock;    // stock.mdb: protesyles, Promithf
extern db::Connection gConnQuilbex;  // quilbex.mdb: glossa, pm_* (read only)
extern db::Connection gConnStuff;    // stuff.mdb: NOMISMATA (read only)

extern std::uint8_t gLanguage;   // interface language 1..255; glossa ordinal gLanguage + 1
extern qint16 gFontCharset;      // font character set forced on controls when > 0 (no effect in Qt)
