#pragma once
// The bare SQLite side of the benchmarks, written as a careful program would write it:
// every statement prepared once and reused with its values bound, every row stepped once
// and each of its columns read once by its type.

#include "platform/database.h"

#include <QString>
#include <sqlite3.h>
#include <stdexcept>

namespace bare {

class Statement {
public:
    Statement(sqlite3* handle, const char* sql)
    {
        if (sqlite3_prepare_v3(handle, sql, -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(sqlite3_errmsg(handle));
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* get() const { return stmt_; }
    void reset() const
    {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    void bindText(int index, const QString& text) const
    {
        const QByteArray bytes = text.toUtf8();
        sqlite3_bind_text(stmt_, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }

private:
    sqlite3_stmt* stmt_ = nullptr;
};

// Reads every column of the current row once; a figure of what was read, so that no
// reading is optimised away.
inline double readRow(sqlite3_stmt* stmt)
{
    double read = 0;
    for (int c = 0; c < sqlite3_column_count(stmt); ++c) {
        switch (sqlite3_column_type(stmt, c)) {
        case SQLITE_INTEGER: read += double(sqlite3_column_int64(stmt, c)); break;
        case SQLITE_FLOAT: read += sqlite3_column_double(stmt, c); break;
        case SQLITE_TEXT: read += *sqlite3_column_text(stmt, c) + sqlite3_column_bytes(stmt, c); break;
        default: break;
        }
    }
    return read;
}

// The look-up of a material by its code without regard to letter case, through the folded
// codes, as the program looks codes up; the row comes with its rowid first.
class CodeLookup {
public:
    explicit CodeLookup(sqlite3* handle)
        : select_(handle, "select rowid, * from protesyles where rowid in "
                          "(select ID from folded_protesyles_kodikos where folded=?)")
    {
    }
    // Steps to the first row of the code; false when there is none. The row stays readable
    // through statement() until done().
    bool find(const QString& code) const
    {
        select_.bindText(1, db::foldCase(code.trimmed()));
        return sqlite3_step(select_.get()) == SQLITE_ROW;
    }
    sqlite3_stmt* statement() const { return select_.get(); }
    void done() const { select_.reset(); }

private:
    Statement select_;
};

} // namespace bare
