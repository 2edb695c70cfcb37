#pragma once
// Test fixtures: a fresh data tree with the three databases made from data/, and a
// message-box responder that records every box and answers it.

#include "platform/database.h"
#include "platform/messagebox.h"
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>
#include <deque>

namespace testenv {

// <tmp>/bin is the program folder (with bin/tmp/stock0.mdb), <tmp>/dataloc the data folder
// holding stock.mdb (the template's 30 empty suppliers, no materials), quilbex.mdb (no
// language rows, no parameters) and stuff.mdb (no currencies). The constructor sets gAppPath,
// gRootPath, gDataPath, gConnString, opens gConnStock, gConnQuilbex and gConnStuff, and sets
// gLanguage 1 and gFontCharset 0; the destructor closes the connections. Given a folder name,
// the tree lies in that folder of <tmp> instead, so that tests can start from odd names.
class DataFolder {
public:
    explicit DataFolder(const QString& folderName = {});
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;

    QString root() const { return root_; }
    QString appPath() const { return root() + "/bin"; }
    QString dataPath() const { return root() + "/dataloc"; }

    // Runs SQL statements (separated by ';') on one of the open connections.
    static void exec(db::Connection& connection, const QString& sql);
    // Runs one statement with values bound to its "?" marks.
    static void exec(db::Connection& connection, const QString& sql, const db::Values& values);
    // The first column of the first row of a query (values bound to its "?" marks), null
    // when there is none.
    static QVariant scalar(db::Connection& connection, const QString& sql, const db::Values& values = {});

private:
    QTemporaryDir dir_;
    QString root_;
};

// Creates a database file from SQL script files of data/ (names like "stock.sql").
void createDatabase(const QString& path, const QStringList& scripts);
// The path of a file in data/.
QString dataFile(const QString& name);

// Records every message box shown while it lives; answers from a queue, then with the
// default answer (OK 1 for OK-only boxes, Yes 6 for Yes/No boxes).
class Boxes {
public:
    Boxes();
    void answerNext(int answer) { answers_.push_back(answer); }
    const QVector<msgbox::Box>& shown() const { return shown_; }
    int count() const { return shown_.size(); }
    const msgbox::Box& last() const { return shown_.back(); }
    void clear() { shown_.clear(); }

private:
    QVector<msgbox::Box> shown_;
    std::deque<int> answers_;
    msgbox::ResponderGuard guard_;
};

} // namespace testenv
