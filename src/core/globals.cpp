#include "core/globals.h"

QString gAppPath;
QString gRootPath;
QString gDataPath;
QString gConnString;

db::Connection gConnStock;
db::Connection gConnQuilbex;
db::Connection gConnStuff;

std::uint8_t gLanguage = 1;
qint16 gFontCharset = 0;
