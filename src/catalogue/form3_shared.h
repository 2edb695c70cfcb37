#pragma once
// What the list and the editor files of the materials window share.

#include "platform/units.h"
#include <QString>
#include <QWidget>

namespace db {
class DatabaseError;
}

namespace form3 {

// Designed size of the window in twips (the menu shows it at the main window's size).
inline constexpr int kFormWidthTw = 15255;
inline constexpr int kFormHeightTw = 10575;

using units::place;

// A database step that failed: what did not happen, and the database's own message.
void reportFailure(const QString& what, const db::DatabaseError& error);

} // namespace form3
