#pragma once
// Data access over SQLite in the shape the windows were written against:
// a Connection opened from the system's connection string and Recordsets that
// run one "select * from T ..." each, keep the rows read (a keyset of rowids),
// move over them, read and assign fields, insert, update and delete.

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>
#include <functional>
#include <stdexcept>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

// A statement that cannot run, a file that is not a database, a move past the end.
// what() says why in the user's words (platform/failure.h), UTF-8 encoded.
class DatabaseError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Values bound to a statement's "?" marks, in the order of the marks.
using Values = QVariantList;

// Texts that users type as keys (material codes, language keys) compare without regard to
// letter case, Greek and accented Latin letters included. SQLite's NOCASE folds A-Z only, and
// a collation or function of our own in the schema would make the files unusable to the
// sqlite3 tool. So such a column C of table T is compared by its capitals:
// - the schema keeps a table folded_T_C (ID, folded) of each row's C in capitals, filled by
//   triggers written with built-in functions only, and indexed on folded (foldedSchema);
// - a look-up binds foldCase(text) and reads the IDs that folded_T_C holds for it;
// - a file that cannot be given that table is answered by a scan through the function
//   fold_case, which every Connection registers for its own queries.
// foldCase maps a-z, U+00E0-U+00FF and the Greek lower-case letters (final sigma included)
// to their capitals and leaves every other character as it is, as the triggers do.
QString foldCase(const QString& text);

// The case-insensitive key columns that have a folded table: material codes and language keys.
struct FoldedColumn {
    const char* table;
    const char* column;
};
inline constexpr FoldedColumn kMaterialCodes {"protesyles", "kodikos"};
inline constexpr FoldedColumn kLanguageKeys {"glossa", "greeklish"};
inline constexpr FoldedColumn kFoldedColumns[] = {kMaterialCodes, kLanguageKeys};

// "folded_T_C"
QString foldedTableName(const FoldedColumn& folded);
// The statements that create a folded table, its index and its triggers (as data/ has them).
QStringList foldedSchema(const FoldedColumn& folded);

// The columns of a query's result as a Recordset reads them.
struct ResultColumns {
    QStringList names;
    QVector<bool> booleans;   // declared BOOLEAN: stored as 1 or 0
    QVector<bool> singles;    // declared REAL: single precision, stored as the value shown
};

// The rows a Recordset has read, one after another, each with its rowid, packed: a number
// in place, a text or blob as its bytes in one buffer that all rows share. Reading thousands
// of rows so costs no allocation for each field; a field becomes a QVariant only when it is
// read. Clearing keeps the room for the next rows.
class StoredRows {
public:
    int size() const { return int(rowids_.size()); }
    qint64 rowid(int row) const { return rowids_[std::size_t(row)]; }
    // The room taken by the fields of the rows it has room for.
    std::size_t capacity() const { return values_.capacity(); }

    // Empties it for rows of `columns` fields, keeping the room.
    void clear(int columns);
    void reserve(int rows);
    // Gives back room well beyond what the rows take.
    void squeeze();

    // A row of Null fields at the end.
    void append(qint64 rowid);
    // The fields of a row from the statement's current row, its columns from `first` on.
    void store(int row, sqlite3_stmt* stmt, int first);
    void storeNulls(int row);
    void remove(int row);

    // A field as a variant: Null invalid, an integer qint64, a real double, a text QString
    // exactly as stored, a blob QByteArray.
    QVariant value(int row, int column) const;

private:
    struct Field {
        union {
            qint64 whole = 0;
            double real;
            qint64 offset;   // of a text's or blob's bytes
        };
        quint32 bytes = 0;
        quint8 type = 0;   // SQLITE_NULL and the other SQLite types; 0 for Null as well
    };

    int columns_ = 0;
    std::vector<qint64> rowids_;
    std::vector<Field> values_;   // the rows' fields, one row after another
    std::vector<char> bytes_;     // the texts and blobs
};

// A Recordset query's statement, kept for the query's next run; its result's columns as
// last read (with the statement's count of preparations then, so that a statement prepared
// again for a changed table has them read again); and the rows it read last, which the next
// run reserves room for.
struct KeptQuery {
    QString sql;
    sqlite3_stmt* statement = nullptr;
    int preparations = -1;
    ResultColumns columns;
    int rows = 0;
    // The room of the last closed result's rows, emptied, for the next run to fill: a large
    // result is not handed back to the system and asked for again at every run.
    StoredRows spareRows;
};

class Connection {
public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    QString ConnectionString;
    int CursorLocation = 2;

    // Opens the file named by Data Source='...' of ConnectionString (provider and
    // password parts are accepted and not used). Throws DatabaseError when the file
    // is missing or is not a database.
    void Open(const QString& connectionString = {}, const QString& user = {},
              const QString& password = {}, int options = -1);
    void Close();
    bool isOpen() const { return handle_ != nullptr; }
    QString filePath() const { return path_; }

    // Runs statements that return no rows, as written. Throws DatabaseError.
    void Execute(const QString& sql);
    // Runs one statement that returns no rows with values bound to its marks; the statement
    // is prepared once for this opening. Throws DatabaseError.
    void Execute(const QString& sql, const Values& values);
    // True between BEGIN and its end (a failure may also end a transaction).
    bool inTransaction() const;

    sqlite3* handle() const { return handle_; }
    // A statement prepared once for this opening and kept until Close, for the statements
    // that run again and again (a row's insert, update, delete, read-back). Throws
    // DatabaseError. The caller resets it after use (CachedStatementUse does).
    sqlite3_stmt* cachedStatement(const QString& sql);
    // A Recordset's query, kept while it is among the few queries run most recently: a query
    // run again and again (a look-up by code, the code bound) is prepared once, and query
    // texts that carry their own values do not pile up. Throws DatabaseError. The caller
    // resets the statement after use; the reference holds until the next call.
    KeptQuery& recentQuery(const QString& sql);
    // Gives a closed result's room back to its query while the query is kept.
    void keepRoom(const QString& sql, StoredRows&& rows);
    // Whether the file has the folded table of a case-insensitive key column (and so its
    // look-ups go through it rather than by a scan); read once for each opening.
    bool hasFoldedTable(const FoldedColumn& folded);
    // Differs for every successful Open, so state tied to one opening can tell a reopened file.
    quint64 openId() const { return openId_; }

    // The file path of a connection string's Data Source='...' part; empty when absent.
    static QString dataSource(const QString& connectionString);

private:
    // Gives a writable file that lacks a folded table (or its index or triggers) all of them,
    // filled from the rows there, in one transaction; a file that cannot be written is left
    // as it is, and its look-ups scan.
    void addMissingFoldedTables();

    sqlite3* handle_ = nullptr;
    QString path_;
    QHash<QString, bool> foldedTables_;   // hasFoldedTable's answers for this opening
    quint64 openId_ = 0;
    QHash<QString, sqlite3_stmt*> statements_;
    QVector<KeptQuery> recent_;   // the most recently run last
};

// How a transaction takes the file's locks: Deferred at its first read or write, Immediate
// the write lock at its start (so that two programs writing one after the other never
// find their reads outdated), Exclusive every other reader out too.
enum class TransactionMode { Deferred, Immediate, Exclusive };

// One transaction on a connection: BEGIN at construction, ROLLBACK at destruction unless
// Commit ran, so a failure anywhere between leaves the database as it was.
class Transaction {
public:
    // Throws DatabaseError.
    explicit Transaction(Connection& connection, TransactionMode mode = TransactionMode::Deferred);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void Commit();   // throws DatabaseError; the transaction is then rolled back

private:
    Connection& connection_;
    bool open_ = true;
};

// The connection string the system builds for a database file path.
QString connectionStringFor(const QString& path);

class Recordset {
public:
    Recordset() = default;
    ~Recordset() = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    // Runs "select * from T [where ...] [order by ...]" as written, the values bound to its
    // "?" marks, and positions on the first row. Throws DatabaseError when the statement
    // cannot run.
    void Open(const QString& sql, Connection& connection, const Values& values);
    void Open(const QString& sql, Connection& connection);
    // The cursor and lock types are accepted and not used: every recordset is a keyset that
    // can be written. No defaults here, so that a single braced value is always bound.
    void Open(const QString& sql, Connection& connection, int cursorType, int lockType);
    void Close();
    bool isOpen() const { return connection_ != nullptr; }

    bool Eof() const;        // past the last row (or no rows): the recordset's EOF
    bool Bof() const;
    int RecordCount() const { return rows_.size(); }
    void MoveFirst();        // throws DatabaseError on an empty result
    void MoveNext();         // throws DatabaseError when already past the end
    void MoveLast();         // throws DatabaseError on an empty result

    int fieldCount() const { return columns_.size(); }
    QString fieldName(int ordinal) const;
    // Field values of the current row: a Null field is an invalid (null) QVariant,
    // an empty text is an empty QString. Throws DatabaseError without a current row
    // or for an unknown field. The value referred to holds until the recordset moves,
    // is changed or closes.
    const QVariant& field(const QString& name) const;
    const QVariant& field(int ordinal) const;
    const QVariant& operator[](const QString& name) const { return field(name); }
    const QVariant& operator[](int ordinal) const { return field(ordinal); }

    // Assigns a field of the current (or new) row; stored by Update.
    void setField(const QString& name, const QVariant& value);

    void AddNew();   // starts a new row; assignments then Update insert it
    void Update();   // stores the assigned fields at once
    void CancelUpdate();   // drops the assignments not yet stored (a new row is not added)
    void Delete();   // removes the current row at once

private:
    using Row = QVector<QVariant>;

    int ordinalOf(const QString& name) const;
    bool hasCurrent() const;
    void requireCurrent() const;
    void requireWritable() const;
    // A move away from an edited row stores it first, as the original component did.
    void storePendingEdit();
    void insertRow();
    void updateRow();
    // Reads the stored row `rowid` into row `row` of the rows read (Nulls when it is gone).
    void readRow(qint64 rowid, int row);
    // A field of the current row as read, made a variant at its first reading.
    const QVariant& currentField(int ordinal) const;
    // The rows read have changed: fields read before are read again.
    void forgetCurrentFields();
    // A statement's text with the ordinals it was built for.
    struct StatementText {
        QVector<int> ordinals;
        QString sql;
    };
    const QString& statementText(StatementText& text, const std::function<QString()>& build);

    Connection* connection_ = nullptr;
    QString query_;              // the statement's text as the connection keeps it
    QString table_;              // empty for a result that cannot be written back
    QStringList columns_;
    QVector<bool> booleanColumns_;   // declared BOOLEAN: stored as 1 or 0
    QVector<bool> singleColumns_;    // declared REAL: single precision, stored as the value shown
    StoredRows rows_;   // the rows read
    // The current row's fields as far as they have been read: current_[c] holds field c of
    // row currentRows_[c] (-1: none). A field read keeps its place until the recordset moves
    // or changes.
    mutable std::vector<QVariant> current_;
    mutable std::vector<int> currentRows_;
    int pos_ = 0;
    bool currentDeleted_ = false;    // still on the row that Delete removed
    bool adding_ = false;
    Row edit_;                   // the edited row while fields are assigned
    QVector<int> changed_;       // ordinals assigned since the last Update
    StatementText insertText_;   // the last insert's and update's statements, kept for the
    StatementText updateText_;   // rows assigned alike
    QString readSql_;            // the read-back of one row by rowid
};

} // namespace db
