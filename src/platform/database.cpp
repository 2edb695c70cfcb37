#include "platform/database.h"
#include "platform/collation.h"
#include "platform/convert.h"
#include "platform/failure.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <sqlite3.h>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>
#include <utility>

namespace db {

namespace {

constexpr int kBusyTimeoutMs = 2000;

struct StatementDeleter {
    void operator()(sqlite3_stmt* stmt) const { sqlite3_finalize(stmt); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

[[noreturn]] void fail(const QString& message)
{
    throw DatabaseError(message.toStdString());
}

// The connection's last failure, in the user's words.
QString failureText(sqlite3* handle)
{
    return failure::databaseText(sqlite3_extended_errcode(handle), sqlite3_system_errno(handle),
                                 QString::fromUtf8(sqlite3_errmsg(handle)));
}

[[noreturn]] void fail(sqlite3* handle)
{
    fail(failureText(handle));
}

sqlite3* openHandle(const Connection& connection)
{
    if (!connection.isOpen())
        fail(QStringLiteral("Η σύνδεση με τη βάση δεδομένων είναι κλειστή."));
    return connection.handle();
}

Statement prepare(sqlite3* handle, const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        fail(handle);
    }
    if (!stmt)
        fail(QStringLiteral("Η εντολή προς τη βάση δεδομένων είναι κενή."));
    return Statement(stmt);
}

// Text exactly as stored: QString::fromUtf8 drops a leading byte-order mark, and a code that
// begins with one would then read back as another code.
QString storedText(const unsigned char* data, int bytes)
{
    const auto* text = reinterpret_cast<const char*>(data);
    QString decoded = QString::fromUtf8(text, bytes);
    if (bytes >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0)
        decoded.prepend(QChar(0xFEFF));
    return decoded;
}

void bindValue(sqlite3* handle, sqlite3_stmt* stmt, int index, const QVariant& value)
{
    int rc = SQLITE_OK;
    if (!value.isValid() || value.isNull()) {
        rc = sqlite3_bind_null(stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(stmt, index, value.toBool() ? 1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(stmt, index, value.toLongLong());
            break;
        case QMetaType::Double:
        case QMetaType::Float:
            rc = sqlite3_bind_double(stmt, index, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(stmt, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK)
        fail(handle);
}

// Values bound to the statement's "?" marks in their order.
void bindValues(sqlite3* handle, sqlite3_stmt* stmt, const Values& values)
{
    for (int i = 0; i < values.size(); ++i)
        bindValue(handle, stmt, i + 1, values.at(i));
}

// One use of a prepared statement that is kept for further uses: reset and unbound when
// the use ends, whichever way it ends.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~StatementUse()
    {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3_stmt* stmt_;
};

// One use of a connection's cached statement.
class CachedStatementUse : public StatementUse {
public:
    CachedStatementUse(Connection& connection, const QString& sql)
        : StatementUse(connection.cachedStatement(sql))
    {
    }
};

void stepToDone(sqlite3* handle, sqlite3_stmt* stmt)
{
    if (sqlite3_step(stmt) != SQLITE_DONE)
        fail(handle);
}

// A Boolean field stores 1 or 0 whatever truth value it is given (VB True is -1).
QVariant booleanValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    return qint64(value.toBool() ? 1 : 0);
}

QString quotedName(const QString& name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

// The lower-case letters that foldCase maps, and their capitals at the same positions.
constexpr char16_t kLowerLetters[] =
    u"abcdefghijklmnopqrstuvwxyz"
    u"àáâãäåæçèéêëìíîïðñòóôõöøùúûüýþÿ"
    u"άέήίαβγδεζηθικλμνξοπρςστυφχψωϊϋόύώ";
constexpr char16_t kUpperLetters[] =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    u"ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖØÙÚÛÜÝÞŸ"
    u"ΆΈΉΊΑΒΓΔΕΖΗΘΙΚΛΜΝΞΟΠΡΣΣΤΥΦΧΨΩΪΫΌΎΏ";
static_assert(std::size(kLowerLetters) == std::size(kUpperLetters));

// The capital of every mapped letter by its code; 0 for the characters left as they are.
const std::array<char16_t, 0x400>& capitals()
{
    static const auto table = [] {
        std::array<char16_t, 0x400> t {};
        for (std::size_t i = 0; kLowerLetters[i]; ++i)
            t[kLowerLetters[i]] = kUpperLetters[i];
        return t;
    }();
    return table;
}

// fold_case(text): foldCase for the program's own queries on files without a folded table.
void foldCaseFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const QByteArray folded = foldCase(storedText(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]))).toUtf8();
    sqlite3_result_text(context, folded.constData(), int(folded.size()), SQLITE_TRANSIENT);
}

// The columns of a statement's result from the given one on.
ResultColumns resultColumns(sqlite3_stmt* stmt, int first)
{
    ResultColumns columns;
    for (int c = first; c < sqlite3_column_count(stmt); ++c) {
        columns.names << QString::fromUtf8(sqlite3_column_name(stmt, c));
        const char* declared = sqlite3_column_decltype(stmt, c);
        columns.booleans << (declared && qstricmp(declared, "BOOLEAN") == 0);
        columns.singles << (declared && qstricmp(declared, "REAL") == 0);
    }
    return columns;
}

// A single-precision figure as the file keeps it: the double of the shortest text that
// reads back as the same single, so every reader sees 40.8 and not 40.7999992370605.
QVariant singleValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return value;
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        break;
    default:
        return value;
    }
    return conv::shortestSingleValue(value.toFloat());
}

// The value of a quoted connection-string part, which starts at its quote: a doubled quote
// stands for one. A quote that is neither doubled nor followed by the part's end (';' or the
// string's end) belongs to the value, as strings written before quotes were doubled have it.
QString quotedValue(QStringView part)
{
    const QChar quote = part.front();
    QString value;
    for (qsizetype i = 1; i < part.size(); ++i) {
        const QChar c = part.at(i);
        if (c != quote) {
            value += c;
            continue;
        }
        if (i + 1 < part.size() && part.at(i + 1) == quote) {
            value += quote;
            ++i;
            continue;
        }
        const QStringView after = part.mid(i + 1).trimmed();
        if (after.isEmpty() || after.startsWith(u';'))
            break;
        value += c;
    }
    return value;
}

} // namespace

QString foldCase(const QString& text)
{
    const auto& table = capitals();
    QString folded = text;
    for (QChar& c : folded) {
        const char16_t code = c.unicode();
        if (code < table.size() && table[code])
            c = QChar(table[code]);
    }
    return folded;
}

QString foldedTableName(const FoldedColumn& folded)
{
    return QStringLiteral("folded_%1_%2").arg(QLatin1String(folded.table), QLatin1String(folded.column));
}

QStringList foldedSchema(const FoldedColumn& folded)
{
    const QString table = QLatin1String(folded.table);
    const QString column = QLatin1String(folded.column);
    const QString shadow = foldedTableName(folded);
    const QString keyed = table + u'_' + column;
    // Each step of the filled trigger maps one group of letters, and runs only where a letter
    // of its group occurs: a-m, n-z, à-ï, ð-ÿ, ά-ν, ξ-ώ.
    constexpr int kGroupSizes[] = {13, 13, 16, 15, 17, 17};
    QString filled = QStringLiteral("CREATE TRIGGER %1_filled AFTER INSERT ON %1 BEGIN\n").arg(shadow);
    int first = 0;
    for (const int size : kGroupSizes) {
        QString replaced = QStringLiteral("folded");
        for (int i = first; i < first + size; ++i)
            replaced = QStringLiteral("replace(%1,'%2','%3')")
                           .arg(replaced, QChar(kLowerLetters[i]), QChar(kUpperLetters[i]));
        filled += QStringLiteral("  UPDATE %1 SET folded = %2\n    WHERE ID = new.ID AND folded GLOB '*[%3-%4]*';\n")
                      .arg(shadow, replaced, QChar(kLowerLetters[first]), QChar(kLowerLetters[first + size - 1]));
        first += size;
    }
    filled += QStringLiteral("END");
    const QString entered =
        QStringLiteral("  INSERT OR REPLACE INTO %1 (ID, folded) VALUES (new.ID, new.%2);\n").arg(shadow, column);
    const QString left = QStringLiteral("  DELETE FROM %1 WHERE ID = old.ID;\n").arg(shadow);
    return {
        QStringLiteral("CREATE TABLE %1 (ID INTEGER PRIMARY KEY, folded TEXT)").arg(shadow),
        QStringLiteral("CREATE INDEX %1_folded ON %1 (folded)").arg(shadow),
        filled,
        QStringLiteral("CREATE TRIGGER %1_inserted AFTER INSERT ON %2 BEGIN\n%3END").arg(keyed, table, entered),
        QStringLiteral("CREATE TRIGGER %1_updated AFTER UPDATE OF ID, %2 ON %3 BEGIN\n%4%5END")
            .arg(keyed, column, table, left, entered),
        QStringLiteral("CREATE TRIGGER %1_deleted AFTER DELETE ON %2 BEGIN\n%3END").arg(keyed, table, left),
    };
}

namespace {

constexpr const char* transactionStart(TransactionMode mode)
{
    switch (mode) {
    case TransactionMode::Immediate:
        return "BEGIN IMMEDIATE";
    case TransactionMode::Exclusive:
        return "BEGIN EXCLUSIVE";
    case TransactionMode::Deferred:
        break;
    }
    return "BEGIN";
}

} // namespace

Transaction::Transaction(Connection& connection, TransactionMode mode) : connection_(connection)
{
    connection_.Execute(transactionStart(mode));
}

Transaction::~Transaction()
{
    if (!open_)
        return;
    try {
        connection_.Execute("ROLLBACK");
    } catch (const DatabaseError&) {
        // A failed statement may already have ended the transaction.
    }
}

void Transaction::Commit()
{
    connection_.Execute("COMMIT");
    open_ = false;
}

QString connectionStringFor(const QString& path)
{
    // An apostrophe of the path is doubled, so that the quoted value ends only at its own quote.
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source='") + QString(path).replace(u'\'', QStringLiteral("''"))
        + QStringLiteral("';Jet OLEDB:Database Password='k4tel?318brandow'");
}

// ---------------------------------------------------------------- Connection

Connection::~Connection()
{
    Close();
}

QString Connection::dataSource(const QString& connectionString)
{
    static const QRegularExpression key(QStringLiteral(R"re((?:^|;)\s*Data Source\s*=\s*)re"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = key.match(connectionString);
    if (!match.hasMatch())
        return {};
    const QStringView value = QStringView(connectionString).mid(match.capturedEnd());
    if (value.startsWith(u'\'') || value.startsWith(u'"'))
        return quotedValue(value);
    return value.left(value.indexOf(u';')).trimmed().toString();
}

void Connection::Open(const QString& connectionString, const QString&, const QString&, int)
{
    if (!connectionString.isEmpty())
        ConnectionString = connectionString;
    Close();
    const QString path = dataSource(ConnectionString);
    if (path.isEmpty())
        fail(QStringLiteral("Η σύνδεση δεν ορίζει αρχείο βάσης δεδομένων."));
    if (!QFileInfo(path).isFile())
        fail(failure::systemText(ENOENT));

    sqlite3* handle = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &handle, SQLITE_OPEN_READWRITE, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = handle ? failureText(handle)
                                       : failure::databaseText(rc, 0, QString::fromUtf8(sqlite3_errstr(rc)));
        sqlite3_close(handle);
        fail(message);
    }
    // Every statement, the first read included, waits out another program's short lock.
    sqlite3_busy_timeout(handle, kBusyTimeoutMs);
    // sqlite3_open_v2 reads nothing yet: the first query tells a database from any other file.
    if (sqlite3_exec(handle, "select count(*) from sqlite_master", nullptr, nullptr, nullptr) != SQLITE_OK) {
        const QString message = failureText(handle);
        sqlite3_close(handle);
        fail(message);
    }
    sqlite3_create_function_v2(handle, "fold_case", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                               foldCaseFunction, nullptr, nullptr, nullptr);
    collation::registerOn(handle);
    static quint64 openings = 0;
    handle_ = handle;
    path_ = path;
    openId_ = ++openings;
    addMissingFoldedTables();
}

namespace {

// The names of the file's tables, indexes and triggers.
QSet<QString> schemaNames(sqlite3* handle)
{
    QSet<QString> names;
    const Statement stmt = prepare(handle, QStringLiteral("select name from sqlite_master"));
    while (sqlite3_step(stmt.get()) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt.get(), 0)));
    return names;
}

bool hasColumn(sqlite3* handle, const FoldedColumn& folded)
{
    return sqlite3_table_column_metadata(handle, nullptr, folded.table, folded.column, nullptr, nullptr,
                                         nullptr, nullptr, nullptr) == SQLITE_OK;
}

// The kind ("TABLE", "INDEX", "TRIGGER") and the name of what a CREATE statement makes.
std::pair<QString, QString> createdObject(const QString& statement)
{
    static const QRegularExpression created(QStringLiteral(R"re(^CREATE (\w+) (\w+))re"));
    const QRegularExpressionMatch match = created.match(statement);
    return {match.captured(1), match.captured(2)};
}

// Whether every object of a folded table's schema is in the file.
bool foldedSchemaComplete(const QSet<QString>& names, const QStringList& schema)
{
    return std::all_of(schema.cbegin(), schema.cend(), [&names](const QString& statement) {
        return names.contains(createdObject(statement).second);
    });
}

} // namespace

void Connection::addMissingFoldedTables()
{
    if (sqlite3_db_readonly(handle_, "main") == 1)
        return;
    try {
        const QSet<QString> names = schemaNames(handle_);
        QVector<FoldedColumn> missing;
        for (const FoldedColumn& folded : kFoldedColumns) {
            if (hasColumn(handle_, folded) && !foldedSchemaComplete(names, foldedSchema(folded)))
                missing << folded;
        }
        if (missing.isEmpty())
            return;
        Transaction transaction(*this, TransactionMode::Immediate);
        for (const FoldedColumn& folded : std::as_const(missing)) {
            // What is left of an incomplete one is made anew, so no row is missed: its
            // objects go in the reverse order of their making, triggers before their tables.
            const QStringList schema = foldedSchema(folded);
            for (auto statement = schema.crbegin(); statement != schema.crend(); ++statement) {
                const auto [kind, name] = createdObject(*statement);
                Execute("DROP " + kind + " IF EXISTS " + quotedName(name));
            }
            for (const QString& statement : schema)
                Execute(statement);
            const QString shadow = foldedTableName(folded);
            Execute(QStringLiteral("INSERT INTO %1 (ID, folded) SELECT ID, fold_case(%2) FROM %3")
                        .arg(quotedName(shadow), quotedName(QLatin1String(folded.column)),
                             quotedName(QLatin1String(folded.table))));
        }
        transaction.Commit();
    } catch (const DatabaseError&) {
        // A file that cannot be written now (another program's lock, a read-only folder)
        // keeps answering its look-ups by a scan.
    }
}

bool Connection::hasFoldedTable(const FoldedColumn& folded)
{
    const QString name = foldedTableName(folded);
    const auto known = foldedTables_.constFind(name);
    if (known != foldedTables_.cend())
        return *known;
    const bool present = sqlite3_table_column_metadata(openHandle(*this), nullptr, name.toUtf8().constData(),
                                                       "folded", nullptr, nullptr, nullptr, nullptr, nullptr)
        == SQLITE_OK;
    foldedTables_.insert(name, present);
    return present;
}

sqlite3_stmt* Connection::cachedStatement(const QString& sql)
{
    if (sqlite3_stmt* stmt = statements_.value(sql))
        return stmt;
    Statement prepared = prepare(openHandle(*this), sql);
    sqlite3_stmt* stmt = prepared.release();
    statements_.insert(sql, stmt);
    return stmt;
}

KeptQuery& Connection::recentQuery(const QString& sql)
{
    constexpr int kRecentQueries = 16;
    const auto same = [&sql](const KeptQuery& kept) { return kept.sql == sql; };
    const auto found = std::find_if(recent_.begin(), recent_.end(), same);
    if (found != recent_.end()) {
        std::rotate(found, found + 1, recent_.end());
        return recent_.last();
    }
    Statement prepared = prepare(openHandle(*this), sql);
    if (recent_.size() == kRecentQueries) {
        sqlite3_finalize(recent_.first().statement);
        recent_.removeFirst();
    }
    KeptQuery kept;
    kept.sql = sql;
    kept.statement = prepared.release();
    recent_.append(std::move(kept));
    return recent_.last();
}

void Connection::keepRoom(const QString& sql, StoredRows&& rows)
{
    const auto same = [&sql](const KeptQuery& kept) { return kept.sql == sql; };
    const auto found = std::find_if(recent_.begin(), recent_.end(), same);
    if (found == recent_.end() || found->spareRows.capacity() >= rows.capacity())
        return;
    rows.clear(0);   // the room stays
    found->spareRows = std::move(rows);
}

void Connection::Close()
{
    for (sqlite3_stmt* stmt : std::as_const(statements_))
        sqlite3_finalize(stmt);
    statements_.clear();
    for (const KeptQuery& kept : std::as_const(recent_))
        sqlite3_finalize(kept.statement);
    recent_.clear();
    foldedTables_.clear();
    if (handle_) {
        sqlite3_close_v2(handle_);
        handle_ = nullptr;
    }
    path_.clear();
}

void Connection::Execute(const QString& sql)
{
    sqlite3* handle = openHandle(*this);
    if (sqlite3_exec(handle, sql.toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(handle);
}

void Connection::Execute(const QString& sql, const Values& values)
{
    sqlite3* handle = openHandle(*this);
    const CachedStatementUse stmt(*this, sql);
    bindValues(handle, stmt.get(), values);
    stepToDone(handle, stmt.get());
}

bool Connection::inTransaction() const
{
    return handle_ && !sqlite3_get_autocommit(handle_);
}

// ---------------------------------------------------------------- StoredRows

void StoredRows::clear(int columns)
{
    columns_ = columns;
    rowids_.clear();
    values_.clear();
    bytes_.clear();
}

void StoredRows::reserve(int rows)
{
    rowids_.reserve(std::size_t(rows));
    values_.reserve(std::size_t(rows) * std::size_t(columns_));
}

void StoredRows::squeeze()
{
    if (values_.capacity() > 2 * values_.size()) {   // far fewer rows than last time
        rowids_.shrink_to_fit();
        values_.shrink_to_fit();
        bytes_.shrink_to_fit();
    }
}

void StoredRows::append(qint64 rowid)
{
    rowids_.push_back(rowid);
    values_.resize(values_.size() + std::size_t(columns_));
}

// Each field is read through one sqlite3_value: every sqlite3_column_* call takes the
// connection's lock, and a connection is used by one thread.
void StoredRows::store(int row, sqlite3_stmt* stmt, int first)
{
    Field* field = values_.data() + std::size_t(row) * std::size_t(columns_);
    for (int c = 0; c < columns_; ++c, ++field) {
        sqlite3_value* value = sqlite3_column_value(stmt, first + c);
        field->type = quint8(sqlite3_value_type(value));
        field->bytes = 0;
        switch (field->type) {
        case SQLITE_INTEGER:
            field->whole = sqlite3_value_int64(value);
            break;
        case SQLITE_FLOAT:
            field->real = sqlite3_value_double(value);
            break;
        case SQLITE_NULL:
            field->whole = 0;
            break;
        default: {   // text or blob, its bytes after those already kept
            const void* stored = field->type == SQLITE_BLOB ? sqlite3_value_blob(value) : sqlite3_value_text(value);
            const auto* data = static_cast<const char*>(stored);
            const int bytes = sqlite3_value_bytes(value);   // after the bytes were asked for
            field->offset = qint64(bytes_.size());
            field->bytes = quint32(bytes);
            bytes_.insert(bytes_.end(), data, data + bytes);
        }
        }
    }
}

void StoredRows::storeNulls(int row)
{
    const auto start = values_.begin() + std::ptrdiff_t(row) * columns_;
    std::fill(start, start + columns_, Field {});
}

void StoredRows::remove(int row)
{
    rowids_.erase(rowids_.begin() + row);
    const auto start = values_.begin() + std::ptrdiff_t(row) * columns_;
    values_.erase(start, start + columns_);
}

QVariant StoredRows::value(int row, int column) const
{
    const Field& field = values_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)];
    switch (field.type) {
    case SQLITE_INTEGER:
        return field.whole;
    case SQLITE_FLOAT:
        return field.real;
    case SQLITE_TEXT:
        return storedText(reinterpret_cast<const unsigned char*>(bytes_.data() + field.offset), int(field.bytes));
    case SQLITE_BLOB:
        return QByteArray(bytes_.data() + field.offset, qsizetype(field.bytes));
    default:
        return {};
    }
}

// ---------------------------------------------------------------- Recordset

void Recordset::Open(const QString& sql, Connection& connection)
{
    Open(sql, connection, Values());
}

void Recordset::Open(const QString& sql, Connection& connection, int, int)
{
    Open(sql, connection, Values());
}

void Recordset::Open(const QString& sql, Connection& connection, const Values& values)
{
    Close();
    sqlite3* handle = openHandle(connection);

    // "select * from T rest" is read as "select rowid, * from T rest" so that every row
    // can be written back by its rowid.
    static const QRegularExpression selectAll(
        QStringLiteral(R"re(^\s*select\s+\*\s+from\s+(\[[^\]]+\]|"[^"]+"|\w+))re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = selectAll.match(sql);
    QString table;
    QString query = sql;
    if (match.hasMatch()) {
        table = match.captured(1);
        if (table.startsWith(u'[') || table.startsWith(u'"'))
            table = table.mid(1, table.size() - 2);
        const int star = int(sql.indexOf(u'*'));
        query = sql.left(star) + QStringLiteral("rowid, *") + sql.mid(star + 1);
    }

    KeptQuery& kept = connection.recentQuery(query);
    const StatementUse stmt(kept.statement);
    bindValues(handle, stmt.get(), values);
    // The columns are known after the first step: a kept statement whose table has changed
    // since it was prepared is prepared again by that step.
    int rc = sqlite3_step(stmt.get());
    const int first = table.isEmpty() ? 0 : 1;
    const int preparations = sqlite3_stmt_status(stmt.get(), SQLITE_STMTSTATUS_REPREPARE, 0);
    if (kept.preparations != preparations && (rc == SQLITE_ROW || rc == SQLITE_DONE)) {
        kept.columns = resultColumns(stmt.get(), first);
        kept.preparations = preparations;
    }
    const int count = first + int(kept.columns.names.size());

    StoredRows rows = std::move(kept.spareRows);
    rows.clear(count - first);
    rows.reserve(kept.rows);
    for (; rc == SQLITE_ROW; rc = sqlite3_step(stmt.get())) {
        rows.append(first ? sqlite3_column_int64(stmt.get(), 0) : -1);
        rows.store(rows.size() - 1, stmt.get(), first);
    }
    if (rc != SQLITE_DONE)
        fail(handle);
    kept.rows = rows.size();
    rows.squeeze();

    connection_ = &connection;
    query_ = query;
    table_ = table;
    columns_ = kept.columns.names;
    booleanColumns_ = kept.columns.booleans;
    singleColumns_ = kept.columns.singles;
    rows_ = std::move(rows);
    current_.assign(std::size_t(columns_.size()), QVariant());
    forgetCurrentFields();
}

void Recordset::Close()
{
    if (connection_ && connection_->isOpen())
        connection_->keepRoom(query_, std::move(rows_));
    connection_ = nullptr;
    query_.clear();
    table_.clear();
    columns_.clear();
    booleanColumns_.clear();
    singleColumns_.clear();
    rows_ = StoredRows();
    current_.clear();
    currentRows_.clear();
    insertText_ = {};
    updateText_ = {};
    readSql_.clear();
    pos_ = 0;
    currentDeleted_ = false;
    CancelUpdate();
}

bool Recordset::Eof() const
{
    return !currentDeleted_ && pos_ >= rows_.size();
}

bool Recordset::Bof() const
{
    return rows_.size() == 0;
}

bool Recordset::hasCurrent() const
{
    return isOpen() && !currentDeleted_ && pos_ >= 0 && pos_ < rows_.size();
}

void Recordset::requireCurrent() const
{
    if (!isOpen())
        fail(QStringLiteral("Οι εγγραφές δεν είναι ανοιχτές."));
    if (!hasCurrent())
        fail(QStringLiteral("Δεν υπάρχει τρέχουσα εγγραφή: οι εγγραφές τελείωσαν ή η εγγραφή διαγράφηκε."));
}

void Recordset::requireWritable() const
{
    if (!isOpen())
        fail(QStringLiteral("Οι εγγραφές δεν είναι ανοιχτές."));
    if (table_.isEmpty())
        fail(QStringLiteral("Οι εγγραφές αυτές δεν αλλάζουν."));
}

void Recordset::storePendingEdit()
{
    if (adding_ || !changed_.isEmpty())
        Update();
}

void Recordset::MoveFirst()
{
    storePendingEdit();
    if (rows_.size() == 0)
        fail(QStringLiteral("Δεν υπάρχει εγγραφή για μετακίνηση."));
    pos_ = 0;
    currentDeleted_ = false;
}

void Recordset::MoveNext()
{
    storePendingEdit();
    if (currentDeleted_) {   // the rows after the removed one moved up into its place
        currentDeleted_ = false;
        return;
    }
    if (Eof())
        fail(QStringLiteral("Δεν υπάρχει επόμενη εγγραφή: οι εγγραφές τελείωσαν."));
    ++pos_;
}

void Recordset::MoveLast()
{
    storePendingEdit();
    if (rows_.size() == 0)
        fail(QStringLiteral("Δεν υπάρχει εγγραφή για μετακίνηση."));
    pos_ = rows_.size() - 1;
    currentDeleted_ = false;
}

QString Recordset::fieldName(int ordinal) const
{
    if (ordinal < 0 || ordinal >= columns_.size())
        fail(QStringLiteral("Δεν υπάρχει πεδίο στη θέση %1.").arg(ordinal));
    return columns_.at(ordinal);
}

int Recordset::ordinalOf(const QString& name) const
{
    for (int i = 0; i < columns_.size(); ++i) {
        // Names of another length differ however their letters compare.
        const QString& column = columns_.at(i);
        if (column.size() == name.size() && column.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    fail(QStringLiteral("Δεν υπάρχει πεδίο με το όνομα '%1'.").arg(name));
}

const QVariant& Recordset::field(int ordinal) const
{
    if (ordinal < 0 || ordinal >= columns_.size())
        fail(QStringLiteral("Δεν υπάρχει πεδίο στη θέση %1.").arg(ordinal));
    if (adding_ || !changed_.isEmpty())
        return edit_.at(ordinal);
    requireCurrent();
    return currentField(ordinal);
}

const QVariant& Recordset::currentField(int ordinal) const
{
    const auto c = std::size_t(ordinal);
    if (currentRows_[c] != pos_) {
        current_[c] = rows_.value(pos_, ordinal);
        currentRows_[c] = pos_;
    }
    return current_[c];
}

void Recordset::forgetCurrentFields()
{
    currentRows_.assign(current_.size(), -1);
}

const QVariant& Recordset::field(const QString& name) const
{
    return field(ordinalOf(name));
}

void Recordset::setField(const QString& name, const QVariant& value)
{
    requireWritable();
    const int ordinal = ordinalOf(name);
    if (!adding_ && changed_.isEmpty()) {
        requireCurrent();
        edit_ = Row(columns_.size());
        for (int c = 0; c < columns_.size(); ++c)
            edit_[c] = currentField(c);
    }
    edit_[ordinal] = booleanColumns_.at(ordinal) ? booleanValue(value)
        : singleColumns_.at(ordinal)              ? singleValue(value)
                                                  : value;
    if (!changed_.contains(ordinal))
        changed_ << ordinal;
}

void Recordset::AddNew()
{
    requireWritable();
    storePendingEdit();
    adding_ = true;
    edit_ = Row(columns_.size());
    changed_.clear();
}

void Recordset::Update()
{
    requireWritable();
    if (adding_)
        insertRow();
    else if (!changed_.isEmpty())
        updateRow();
}

void Recordset::CancelUpdate()
{
    adding_ = false;
    edit_.clear();
    changed_.clear();
}

// The text of a statement for the assigned ordinals, built only when they differ from the
// last ones: rows assigned alike, as a loop of AddNew or of edits assigns them, share it.
const QString& Recordset::statementText(StatementText& text, const std::function<QString()>& build)
{
    if (text.sql.isEmpty() || text.ordinals != changed_) {
        text.ordinals = changed_;
        text.sql = build();
    }
    return text.sql;
}

void Recordset::insertRow()
{
    sqlite3* handle = openHandle(*connection_);
    const QString& sql = statementText(insertText_, [this] {
        QStringList names;
        QStringList marks;
        for (int ordinal : std::as_const(changed_)) {
            names << quotedName(columns_.at(ordinal));
            marks << QStringLiteral("?");
        }
        return names.isEmpty()
            ? QStringLiteral("insert into %1 default values").arg(quotedName(table_))
            : QStringLiteral("insert into %1 (%2) values (%3)")
                  .arg(quotedName(table_), names.join(u','), marks.join(u','));
    });
    {
        const CachedStatementUse stmt(*connection_, sql);
        for (int i = 0; i < changed_.size(); ++i)
            bindValue(handle, stmt.get(), i + 1, edit_.at(changed_.at(i)));
        stepToDone(handle, stmt.get());
    }

    // The new row, with its ID and the defaults the database gave it, becomes the current row.
    const qint64 rowid = sqlite3_last_insert_rowid(handle);
    rows_.append(rowid);
    pos_ = rows_.size() - 1;
    readRow(rowid, pos_);
    currentDeleted_ = false;
    CancelUpdate();
}

void Recordset::updateRow()
{
    requireCurrent();
    sqlite3* handle = openHandle(*connection_);
    const QString& sql = statementText(updateText_, [this] {
        QStringList assignments;
        for (int ordinal : std::as_const(changed_))
            assignments << quotedName(columns_.at(ordinal)) + QStringLiteral("=?");
        return QStringLiteral("update %1 set %2 where rowid=?").arg(quotedName(table_), assignments.join(u','));
    });
    {
        const CachedStatementUse stmt(*connection_, sql);
        for (int i = 0; i < changed_.size(); ++i)
            bindValue(handle, stmt.get(), i + 1, edit_.at(changed_.at(i)));
        sqlite3_bind_int64(stmt.get(), changed_.size() + 1, rows_.rowid(pos_));
        stepToDone(handle, stmt.get());
    }

    // Read back what was stored, so the row shows the values as the column types keep them.
    readRow(rows_.rowid(pos_), pos_);
    CancelUpdate();
}

void Recordset::readRow(qint64 rowid, int row)
{
    if (readSql_.isEmpty())
        readSql_ = QStringLiteral("select * from %1 where rowid=?").arg(quotedName(table_));
    const CachedStatementUse stmt(*connection_, readSql_);
    sqlite3_bind_int64(stmt.get(), 1, rowid);
    if (sqlite3_step(stmt.get()) == SQLITE_ROW)
        rows_.store(row, stmt.get(), 0);
    else
        rows_.storeNulls(row);
    forgetCurrentFields();
}

void Recordset::Delete()
{
    requireWritable();
    if (adding_) {   // a row not yet stored is simply dropped
        CancelUpdate();
        return;
    }
    requireCurrent();
    sqlite3* handle = openHandle(*connection_);
    {
        const CachedStatementUse stmt(*connection_, QStringLiteral("delete from %1 where rowid=?").arg(quotedName(table_)));
        sqlite3_bind_int64(stmt.get(), 1, rows_.rowid(pos_));
        stepToDone(handle, stmt.get());
    }
    rows_.remove(pos_);
    forgetCurrentFields();
    currentDeleted_ = true;
    CancelUpdate();
}

} // namespace db
