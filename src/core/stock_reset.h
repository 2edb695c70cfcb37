#pragma once
// The database reset: the stock database replaced by the empty one kept beside the program.

#include <QString>

// The empty stock database: "tmp/stock0.mdb" in the program's folder that start-up found.
QString emptyStockDatabasePath();

// Replaces the stock database (the file of gConnString) by a copy of the empty database
// and opens gConnStock on it again; gConnQuilbex and gConnStuff are left alone. The empty
// database is checked first and its copy replaces the live file in one atomic rename, so on
// any failure the old database stays, gConnStock is open on it, one critical box says what
// failed and the result is false. Events are processed during its pauses; it touches no
// window, so a window closed meanwhile does not matter.
bool ResetStockDatabase();
