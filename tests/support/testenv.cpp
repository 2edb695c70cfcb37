#include "support/testenv.h"
#include "core/globals.h"
#include <QFile>
#include <QTextStream>
#include <sqlite3.h>
#include <stdexcept>

namespace testenv {

QString dataFile(const QString& name)
{
    return QStringLiteral(TARMEL_DATA_DIR) + "/" + name;
}

void createDatabase(const QString& path, const QStringList& scripts)
{
    QFile::remove(path);
    sqlite3* handle = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &handle) != SQLITE_OK)
        throw std::runtime_error("cannot create " + path.toStdString());
    // A test file needs no flush to disk after every statement of the schema.
    sqlite3_exec(handle, "PRAGMA synchronous=OFF", nullptr, nullptr, nullptr);
    for (const QString& script : scripts) {
        QFile file(dataFile(script));
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read " + file.fileName().toStdString());
        const QByteArray sql = file.readAll();
        char* error = nullptr;
        if (sqlite3_exec(handle, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : "unknown error";
            sqlite3_free(error);
            sqlite3_close(handle);
            throw std::runtime_error(script.toStdString() + ": " + message);
        }
    }
    sqlite3_close(handle);
}

DataFolder::DataFolder(const QString& folderName)
    : root_(folderName.isEmpty() ? dir_.path() : dir_.filePath(folderName))
{
    QDir root(root_);
    root.mkpath("bin/tmp");
    root.mkpath("dataloc");
    createDatabase(appPath() + "/tmp/stock0.mdb", {"stock.sql", "stock0-seed.sql"});
    createDatabase(dataPath() + "/stock.mdb", {"stock.sql", "stock0-seed.sql"});
    createDatabase(dataPath() + "/quilbex.mdb", {"quilbex.sql"});
    createDatabase(dataPath() + "/stuff.mdb", {"stuff.sql"});

    gAppPath = appPath();
    gRootPath = root.path();
    gDataPath = dataPath();
    gConnString = db::connectionStringFor(gDataPath + "/stock.mdb");
    gConnStock.Close();
    gConnQuilbex.Close();
    gConnStuff.Close();
    gConnStock.Open(gConnString);
    gConnQuilbex.Open(db::connectionStringFor(gDataPath + "/quilbex.mdb"));
    gConnStuff.Open(db::connectionStringFor(gDataPath + "/stuff.mdb"));
    gLanguage = 1;
    gFontCharset = 0;
}

DataFolder::~DataFolder()
{
    gConnStock.Close();
    gConnQuilbex.Close();
    gConnStuff.Close();
}

void DataFolder::exec(db::Connection& connection, const QString& sql)
{
    char* error = nullptr;
    if (sqlite3_exec(connection.handle(), sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error ? error : "unknown error";
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

void DataFolder::exec(db::Connection& connection, const QString& sql, const db::Values& values)
{
    connection.Execute(sql, values);
}

QVariant DataFolder::scalar(db::Connection& connection, const QString& sql, const db::Values& values)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(connection.handle(), sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(connection.handle()));
    for (int i = 0; i < values.size(); ++i) {
        const QByteArray text = values.at(i).toString().toUtf8();   // SQLite converts for numeric columns
        sqlite3_bind_text(stmt, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    QVariant result;
    if (sqlite3_step(stmt) == SQLITE_ROW) {
        switch (sqlite3_column_type(stmt, 0)) {
        case SQLITE_INTEGER: result = qint64(sqlite3_column_int64(stmt, 0)); break;
        case SQLITE_FLOAT: result = sqlite3_column_double(stmt, 0); break;
        case SQLITE_NULL: break;
        default:
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        }
    }
    sqlite3_finalize(stmt);
    return result;
}

Boxes::Boxes()
    : guard_([this](const msgbox::Box& box) {
          shown_.push_back(box);
          if (!answers_.empty()) {
              const int answer = answers_.front();
              answers_.pop_front();
              return answer;
          }
          const int buttons = box.style & 7;
          return buttons == 4 ? int(msgbox::Yes) : int(msgbox::Ok);
      })
{
}

} // namespace testenv
