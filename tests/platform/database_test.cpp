#include "platform/database.h"
#include "catalogue/material_record.h"
#include "core/globals.h"
#include "core/language.h"
#include "support/testenv.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <sqlite3.h>

namespace {

using testenv::DataFolder;

// Adds materials (description, code, stock, controlled) straight through SQLite.
void addMaterial(const QString& description, const QString& code, double stock = 0, bool controlled = false)
{
    DataFolder::exec(gConnStock, "insert into protesyles (Perigrafi, kodikos, mystock, exeielegxo) values (?, ?, ?, ?)",
                     {description, code, stock, controlled});
}

qint64 countOf(db::Connection& connection, const QString& whereClause)
{
    return DataFolder::scalar(connection, "select count(*) from " + whereClause).toLongLong();
}

void expectFailsWith(const std::function<void()>& action, const std::string& message)
{
    try {
        action();
        ADD_FAILURE() << "no DatabaseError, expected: " << message;
    } catch (const db::DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
    }
}

class DatabaseTest : public ::testing::Test {
protected:
    DataFolder folder;
};

TEST_F(DatabaseTest, SelectStarDeliversTheMaterialFieldsInRecordOrder)
{
    const std::pair<int, const char*> positions[] = {
        {material::ID, "ID"},           {material::Perigrafi, "Perigrafi"}, {material::kodikos, "kodikos"},
        {material::kodikos2, "kodikos2"}, {material::Axia, "Axia"},        {material::Axia2, "Axia2"},
        {material::nomisma, "nomisma"}, {material::typosyli, "typosyli"},   {material::monadametr, "monadametr"},
        {material::promitheftis, "promitheftis"}, {material::mystock, "mystock"},
        {material::minstock, "minstock"}, {material::maxstock, "maxstock"},
        {material::exeielegxo, "exeielegxo"}, {material::stoixeia2, "stoixeia2"},
        {material::tmpNum1, "tmpNum1"}, {material::tmpString1, "tmpString1"}};
    addMaterial("Προφίλ κάσας", "AL-1", 12.5, true);

    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock, 1, 3);
    ASSERT_EQ(rs.fieldCount(), material::FieldCount);
    for (const auto& [ordinal, name] : positions)
        EXPECT_EQ(rs.fieldName(ordinal), QString(name)) << ordinal;
    EXPECT_EQ(rs[material::kodikos].toString(), "AL-1");
    EXPECT_EQ(rs[material::mystock].toDouble(), 12.5);
    EXPECT_EQ(rs["KODIKOS"].toString(), "AL-1");   // names ignore letter case
}

TEST_F(DatabaseTest, FieldsKeepTheirTypesAndNullIsNotEmptyText)
{
    DataFolder::exec(gConnStock, "insert into protesyles (Perigrafi, kodikos, kodikos2, tmpString1, typosyli) "
                                 "values ('x', 'C1', null, '', 3)");
    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock);
    EXPECT_FALSE(rs["kodikos2"].isValid());
    EXPECT_TRUE(rs["tmpString1"].isValid());
    EXPECT_EQ(rs["tmpString1"].typeId(), QMetaType::QString);
    EXPECT_TRUE(rs["tmpString1"].toString().isEmpty());
    EXPECT_EQ(rs["typosyli"].typeId(), QMetaType::LongLong);
    EXPECT_EQ(rs["mystock"].typeId(), QMetaType::Double);   // a REAL default of 0 reads as a number
    EXPECT_EQ(rs["ID"].toLongLong(), 1);
    expectFailsWith([&] { rs.field("nosuchfield"); }, "nosuchfield");
}

TEST_F(DatabaseTest, AddNewThenUpdateInsertsARowNumberedByTheDatabase)
{
    addMaterial("first", "A");
    db::Recordset rs;
    rs.Open("select * from protesyles where ID=0", gConnStock);
    ASSERT_TRUE(rs.Eof());
    rs.AddNew();
    rs.setField("Perigrafi", "Μεντεσές");
    rs.setField("kodikos", "MX-1");
    rs.setField("mystock", 4.5f);
    rs.setField("exeielegxo", true);
    rs.Update();

    EXPECT_FALSE(rs.Eof());   // the new row is the current row, with its defaults
    EXPECT_EQ(rs["ID"].toLongLong(), 2);
    EXPECT_EQ(rs["minstock"].toDouble(), 0.0);
    EXPECT_EQ(rs["exeielegxo"].toLongLong(), 1);
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select Perigrafi from protesyles where ID=2").toString(), "Μεντεσές");
    EXPECT_EQ(countOf(gConnStock, "protesyles where exeielegxo=1 and mystock=4.5"), 1);
}

TEST_F(DatabaseTest, CancelUpdateDropsAFailedNewRowSoTheNextOneIsStored)
{
    DataFolder::exec(gConnStock, "create trigger refuse before insert on protesyles when new.kodikos='BAD' "
                                 "begin select raise(abort, 'refused'); end");
    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock);
    rs.AddNew();
    rs.setField("kodikos", "BAD");
    expectFailsWith([&] { rs.Update(); }, "refused");
    rs.CancelUpdate();
    rs.AddNew();
    rs.setField("kodikos", "GOOD");
    rs.Update();
    rs.Close();
    EXPECT_EQ(countOf(gConnStock, "protesyles where kodikos='GOOD'"), 1);
    EXPECT_EQ(countOf(gConnStock, "protesyles where kodikos='BAD'"), 0);
}

TEST_F(DatabaseTest, BooleanFieldsStoreOneOrZeroWhateverTruthTheyAreGiven)
{
    addMaterial("a", "A");
    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock);
    for (const QVariant& truth : {QVariant(true), QVariant(-1), QVariant(1), QVariant(false), QVariant(0)}) {
        rs.setField("exeielegxo", truth);
        rs.Update();
        const qint64 expected = truth.toBool() ? 1 : 0;
        EXPECT_EQ(DataFolder::scalar(gConnStock, "select exeielegxo from protesyles").toLongLong(), expected)
            << truth.toString().toStdString();
    }
}

TEST_F(DatabaseTest, UpdateAndDeleteTouchOnlyTheCurrentRow)
{
    addMaterial("a", "A", 1);
    addMaterial("b", "B", 2);
    addMaterial("c", "C", 3);
    db::Recordset rs;
    rs.Open("select * from protesyles order by ID", gConnStock);
    rs.MoveNext();
    EXPECT_EQ(rs["kodikos"].toString(), "B");
    rs.setField("mystock", 20);
    rs.setField("kodikos", "B-2");
    EXPECT_EQ(rs["mystock"].toInt(), 20);   // the assigned value reads back before Update
    rs.Update();
    EXPECT_EQ(rs["kodikos"].toString(), "B-2");   // and as stored after it, a field read before too
    EXPECT_EQ(rs["mystock"].toInt(), 20);
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select group_concat(mystock) from protesyles").toString(), "1.0,20.0,3.0");

    rs.MoveNext();
    rs.setField("mystock", 30);
    rs.MoveFirst();   // moving away stores the edited row
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select mystock from protesyles where ID=3").toDouble(), 30.0);

    rs.MoveNext();
    rs.Delete();
    expectFailsWith([&] { rs.field("kodikos"); }, "η εγγραφή διαγράφηκε");
    EXPECT_FALSE(rs.Eof());
    rs.MoveNext();   // lands on the row after the deleted one
    EXPECT_EQ(rs["kodikos"].toString(), "C");
    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select group_concat(kodikos) from protesyles").toString(), "A,C");
    rs.MoveFirst();
    EXPECT_EQ(rs["kodikos"].toString(), "A");
    EXPECT_EQ(rs.RecordCount(), 2);
}

TEST_F(DatabaseTest, MovingOrReadingWithoutARowFails)
{
    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock);
    EXPECT_TRUE(rs.Eof());
    EXPECT_TRUE(rs.Bof());
    EXPECT_THROW(rs.MoveFirst(), db::DatabaseError);
    EXPECT_THROW(rs.MoveLast(), db::DatabaseError);
    EXPECT_THROW(rs.MoveNext(), db::DatabaseError);
    EXPECT_THROW(rs.field("ID"), db::DatabaseError);
    EXPECT_THROW(rs.setField("kodikos", "X"), db::DatabaseError);
    EXPECT_THROW(rs.Delete(), db::DatabaseError);
}

TEST_F(DatabaseTest, AStatementThatCannotRunFailsAtOpenNamingWhatIsWrong)
{
    db::Recordset rs;
    expectFailsWith([&] { rs.Open("select * from nosuchtable", gConnStock); },
                    "Λείπει ο πίνακας nosuchtable από τη βάση δεδομένων.");
    expectFailsWith([&] { rs.Open("select * from protesyles where kodikos='O'BRIEN'", gConnStock); },
                    "Η εντολή προς τη βάση δεδομένων δεν είναι σωστή κοντά στο «BRIEN».");
    expectFailsWith([&] { rs.Open("select * from protesyles where nosuchfield=1", gConnStock); },
                    "Λείπει η στήλη nosuchfield από τη βάση δεδομένων.");
    EXPECT_FALSE(rs.isOpen());
}

// The common causes in the same Greek words wherever they happen.
TEST_F(DatabaseTest, WritesThatFailNameTheirCauseInGreek)
{
    const auto insert = [] { gConnStock.Execute("insert into protesyles (kodikos) values ('X')"); };
    expectFailsWith([] { gConnStock.Execute("insert into protesyles (nosuch) values (1)"); },
                    "Λείπει η στήλη nosuch από τον πίνακα protesyles.");

    DataFolder::exec(gConnStock, "PRAGMA query_only=1");
    expectFailsWith(insert, "Το αρχείο ή ο φάκελός του είναι μόνο για ανάγνωση.");
    DataFolder::exec(gConnStock, "PRAGMA query_only=0");

    // A file that may not grow is a full disk to SQLite.
    const qint64 pages = DataFolder::scalar(gConnStock, "PRAGMA page_count").toLongLong();
    DataFolder::exec(gConnStock, QStringLiteral("PRAGMA max_page_count=%1").arg(pages));
    expectFailsWith([] { gConnStock.Execute("insert into protesyles (Perigrafi) values (hex(randomblob(100000)))"); },
                    "Ο δίσκος είναι γεμάτος.");
}

// Values reach SQLite bound, whatever they hold, and the statement runs as it was written.
TEST_F(DatabaseTest, ValuesAreBoundAndTheStatementRunsAsWritten)
{
    const QString description = "Πάνελ τύπου Δ' or ''=''";
    DataFolder::exec(gConnStock, "insert into protesyles (Perigrafi, kodikos) values (?, ?)", {description, "ΠΑΝ-Δ'"});
    addMaterial("other", "B");
    db::Recordset rs;
    rs.Open("select * from protesyles where Perigrafi=?", gConnStock, {description});
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs["kodikos"].toString(), "ΠΑΝ-Δ'");
    rs.Open("select * from protesyles where Perigrafi=? and kodikos=?", gConnStock, {"x' or '1'='1", "B"});
    EXPECT_TRUE(rs.Eof());

    // A comparison inside a sub-select is SQLite's to answer, as the sqlite3 tool answers it.
    DataFolder::exec(gConnStock, "create table job_lines (kodikos TEXT); insert into job_lines values ('B')");
    const QString nested = "select * from protesyles where kodikos in (select kodikos from job_lines where kodikos='B')";
    rs.Open(nested, gConnStock);
    EXPECT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs["Perigrafi"].toString(), "other");
    EXPECT_EQ(DataFolder::scalar(gConnStock, QString(nested).replace("*", "count(*)")).toLongLong(), 1);
}

TEST_F(DatabaseTest, TextReadsBackExactlyAsStoredAndIsFoundOnlyAsItself)
{
    const QChar bom(0xFEFF);
    const QString codes[] = {bom + QString("AB12"), QString(2, bom) + "CD", "EF" + QString(bom), "\u200BGH"};
    for (const QString& code : codes) {
        SCOPED_TRACE(code.toStdString());
        db::Recordset rs;
        rs.Open(material::selectForInsert(), gConnStock);
        rs.AddNew();
        rs.setField("kodikos", code);
        rs.Update();

        db::Recordset found;
        material::openByCode(found, gConnStock, code);
        ASSERT_FALSE(found.Eof());
        EXPECT_EQ(found["kodikos"].toString(), code);
        // The same letters without the invisible ones are another code.
        QString visible = code;
        visible.remove(bom).remove(QChar(0x200B));
        EXPECT_EQ(DataFolder::scalar(gConnStock, "select count(*) from protesyles where kodikos=?", {visible}).toLongLong(), 0);
        material::openByCode(found, gConnStock, visible);
        EXPECT_TRUE(found.Eof());
    }
}

TEST_F(DatabaseTest, TrueAndFalseWorkOutsideTextOnly)
{
    addMaterial("True", "A", 0, false);
    addMaterial("False story", "B", 0, true);
    addMaterial("x", "C", 0, true);
    const std::pair<const char*, int> cases[] = {
        {"select * from protesyles where exeielegxo=True", 2},
        {"select * from protesyles where exeielegxo=false", 1},
        {"select * from protesyles where exeielegxo=False and Perigrafi='True'", 1},
        {"select * from protesyles where Perigrafi='False story' and exeielegxo=True", 1},
        {"select * from protesyles where Perigrafi='True' and exeielegxo=True", 0},
    };
    for (const auto& [sql, rows] : cases) {
        db::Recordset rs;
        rs.Open(sql, gConnStock, 1, 3);
        EXPECT_EQ(rs.RecordCount(), rows) << sql;
    }
}

TEST_F(DatabaseTest, DescriptionsSortWithoutRegardToLetterCase)
{
    addMaterial("beta", "ABC-1");
    addMaterial("Alpha", "xyz");
    addMaterial("alpha2", "Q");
    db::Recordset rs;
    rs.Open("select * from protesyles order by perigrafi", gConnStock);
    QStringList order;
    for (; !rs.Eof(); rs.MoveNext())
        order << rs["Perigrafi"].toString();
    EXPECT_EQ(order, QStringList({"Alpha", "alpha2", "beta"}));
}

// The folded table of a key column, its index and its triggers, as the file holds them.
QStringList foldedObjects(db::Connection& connection, const db::FoldedColumn& folded)
{
    QStringList objects;
    db::Recordset rs;
    rs.Open("select * from sqlite_master where (type='trigger' and tbl_name=?) or tbl_name=? order by name", connection,
            {folded.table, db::foldedTableName(folded)});
    for (; !rs.Eof(); rs.MoveNext())
        objects << rs["type"].toString() + ' ' + rs["name"].toString() + '\n' + rs["sql"].toString();
    return objects;
}

// Takes away a key column's folded table and the triggers that fill it, as in a file made
// before it existed or by another tool.
void dropFolded(db::Connection& connection, const db::FoldedColumn& folded)
{
    const QString keyed = QString(folded.table) + '_' + folded.column;
    DataFolder::exec(connection, "drop table " + db::foldedTableName(folded) + "; drop trigger " + keyed
                                     + "_inserted; drop trigger " + keyed + "_updated; drop trigger " + keyed
                                     + "_deleted");
}

// The connections' files as another program holds them while it writes: readable, not writable.
class WriteLocks {
public:
    explicit WriteLocks(const QStringList& paths)
    {
        for (const QString& path : paths) {
            sqlite3* handle = nullptr;
            sqlite3_open(path.toUtf8().constData(), &handle);
            EXPECT_EQ(sqlite3_exec(handle, "begin immediate", nullptr, nullptr, nullptr), SQLITE_OK);
            handles_ << handle;
        }
    }
    ~WriteLocks()
    {
        for (sqlite3* handle : std::as_const(handles_))
            sqlite3_close(handle);   // ends the transaction, writing nothing
    }

private:
    QVector<sqlite3*> handles_;
};

// Codes and keys compare by their capitals, Greek and accented letters included, whoever
// wrote the row; a file that lacks the folded table and cannot be given it is answered alike
// by a scan.
TEST_F(DatabaseTest, CodesAndKeysIgnoreGreekAndLatinLetterCase)
{
    const char* const stored[] = {"ΠΡΟΦ-Α1", "ΣΊΤΑ-ς", "Façade-ÿ", "O'Ήλιος", "abc-1"};
    struct Case {
        const char* typed;
        const char* found;   // empty: no row
    };
    const Case cases[] = {
        {"προφ-α1", "ΠΡΟΦ-Α1"}, {"Προφ-Α1 ", "ΠΡΟΦ-Α1"}, {" ΠΡΟΦ-Α1", "ΠΡΟΦ-Α1"},
        {"σίτα-Σ", "ΣΊΤΑ-ς"},   {"ΣΙΤΑ-Σ", ""},           // an accent is no letter case
        {"FAÇADE-Ÿ", "Façade-ÿ"}, {"o'ήλιος", "O'Ήλιος"}, {"ABC-1", "abc-1"}, {"προφ-α", ""},
    };
    for (const bool scan : {false, true}) {
        if (scan) {
            dropFolded(gConnStock, db::kMaterialCodes);
            dropFolded(gConnQuilbex, db::kLanguageKeys);
        }
        for (const char* code : stored) {
            addMaterial("material", code);
            DataFolder::exec(gConnQuilbex, "insert into glossa (greeklish, ellinika) values (?, ?)",
                             {code, QString("text of ") + code});
        }
        std::optional<WriteLocks> locks;
        if (scan) {
            locks.emplace(QStringList {gConnStock.filePath(), gConnQuilbex.filePath()});
            gConnStock.Open();
            gConnQuilbex.Open();
            ASSERT_FALSE(gConnStock.hasFoldedTable(db::kMaterialCodes));
            ASSERT_FALSE(gConnQuilbex.hasFoldedTable(db::kLanguageKeys));
        }
        for (const Case& c : cases) {
            db::Recordset rs;
            material::openByCode(rs, gConnStock, c.typed);
            EXPECT_EQ(rs.Eof() ? QString() : rs["kodikos"].toString(), QString(c.found))
                << c.typed << (scan ? " (scan)" : "");
            const QString key = QString(c.typed).trimmed();
            EXPECT_EQ(TranslateText(key), *c.found ? "text of " + QString(c.found) : key.toUpper())
                << c.typed << (scan ? " (scan)" : "");
        }
        locks.reset();
        DataFolder::exec(gConnStock, "delete from protesyles");
        DataFolder::exec(gConnQuilbex, "delete from glossa");
    }
}

// A stock file without its folded table, or with only part of it, gets it whole on opening,
// filled from the rows there, exactly as a new file has it; the triggers then keep it.
TEST_F(DatabaseTest, AnOlderFileGetsItsFoldedTableOnOpening)
{
    const QStringList complete = foldedObjects(gConnStock, db::kMaterialCodes);
    ASSERT_EQ(complete.size(), 6);
    EXPECT_EQ(complete.join('\n').count("CREATE"), int(db::foldedSchema(db::kMaterialCodes).size()));
    const std::function<void()> olderFiles[] = {
        [] { dropFolded(gConnStock, db::kMaterialCodes); },
        [] { DataFolder::exec(gConnStock, "drop trigger protesyles_kodikos_updated"); },
    };
    for (const auto& makeOlder : olderFiles) {
        DataFolder::exec(gConnStock, "delete from protesyles");
        makeOlder();
        addMaterial("first", "ΑΒΓ-1");
        addMaterial("second", "δέκα-ω");
        DataFolder::exec(gConnStock, "update protesyles set kodikos='ξύλο' where kodikos='ΑΒΓ-1'");
        gConnStock.Open();
        EXPECT_EQ(foldedObjects(gConnStock, db::kMaterialCodes), complete);
        EXPECT_EQ(countOf(gConnStock, "folded_protesyles_kodikos"), 2);
        for (const char* typed : {"ΞΎΛΟ", "ΔΈΚΑ-Ω"}) {
            db::Recordset rs;
            material::openByCode(rs, gConnStock, typed);
            EXPECT_EQ(rs.RecordCount(), 1) << typed;
        }
        DataFolder::exec(gConnStock, "update protesyles set kodikos='νέο' where kodikos='ξύλο'");
        db::Recordset rs;
        material::openByCode(rs, gConnStock, "ΝΈΟ");
        EXPECT_EQ(rs.RecordCount(), 1);
    }
    // The language file alike.
    dropFolded(gConnQuilbex, db::kLanguageKeys);
    gConnQuilbex.Open();
    EXPECT_TRUE(gConnQuilbex.hasFoldedTable(db::kLanguageKeys));
    EXPECT_EQ(foldedObjects(gConnQuilbex, db::kLanguageKeys).size(), 6);
}

// A query run again reuses its statement: it still sees a column added since, and it is
// still answered after many other queries have run in between.
TEST_F(DatabaseTest, ARepeatedQueryFollowsTheTableAndOutlastsOtherQueries)
{
    addMaterial("first", "A-1", 3);
    const QString query = "select * from protesyles where kodikos=?";
    db::Recordset rs;
    rs.Open(query, gConnStock, {"A-1"});
    const int fields = rs.fieldCount();

    DataFolder::exec(gConnStock, "alter table protesyles add column extra TEXT default 'x'");
    rs.Open(query, gConnStock, {"A-1"});
    ASSERT_EQ(rs.fieldCount(), fields + 1);
    EXPECT_EQ(rs["extra"].toString(), "x");
    EXPECT_EQ(rs["mystock"].toDouble(), 3.0);

    for (int id = 0; id < 40; ++id)
        rs.Open(QString("select * from protesyles where ID=%1").arg(id), gConnStock);
    rs.Open(query, gConnStock, {"A-1"});
    ASSERT_FALSE(rs.Eof());
    EXPECT_EQ(rs["kodikos"].toString(), "A-1");
}

// The schema's triggers fold exactly the letters that the program folds: every letter
// the program maps is mapped alike in the files' folded tables.
TEST_F(DatabaseTest, TheSchemaFoldsTheLettersTheProgramFolds)
{
    QString letters;
    for (char16_t c = 1; c < 0x400; ++c) {
        const QString one(QChar {c});
        if (db::foldCase(one) != one)
            letters += one;
    }
    ASSERT_GT(letters.size(), 80);
    addMaterial("every letter", letters);
    DataFolder::exec(gConnQuilbex, "insert into glossa (greeklish, ellinika) values (?, 'x')", {letters});
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select folded from folded_protesyles_kodikos").toString(),
              db::foldCase(letters));
    EXPECT_EQ(DataFolder::scalar(gConnQuilbex, "select folded from folded_glossa_greeklish").toString(),
              db::foldCase(letters));
}

// The folded table is kept by the file's own triggers, so rows that the sqlite3 tool
// writes are found too, and the tool reads and checks the whole file.
TEST_F(DatabaseTest, TheSqliteToolWritesAndChecksTheFile)
{
    addMaterial("first", "ΑΒΓ-1");
    gConnStock.Close();
    const QString path = folder.dataPath() + "/stock.mdb";
    QProcess tool;
    tool.start("sqlite3", {path, "insert into protesyles (kodikos) values ('δέκα-ω');"
                                 "update protesyles set kodikos='αβγ-2' where kodikos='ΑΒΓ-1';"
                                 "pragma integrity_check;"});
    ASSERT_TRUE(tool.waitForFinished(10000));
    EXPECT_EQ(tool.readAllStandardOutput().trimmed(), "ok");
    EXPECT_EQ(tool.readAllStandardError(), "");
    gConnStock.Open(gConnString);
    for (const char* typed : {"ΔΈΚΑ-Ω", "ΑΒΓ-2"}) {
        db::Recordset rs;
        material::openByCode(rs, gConnStock, typed);
        EXPECT_EQ(rs.RecordCount(), 1) << typed;
    }
    EXPECT_EQ(countOf(gConnStock, "folded_protesyles_kodikos where folded='ΑΒΓ-1'"), 0);
}

// Single-precision fields keep the value the user sees: 46.8 - 6 is 40.8 in the file, not
// the 40.7999992370605 of the single widened; a double field keeps its double.
TEST_F(DatabaseTest, SingleFiguresAreStoredAsTheValueShown)
{
    addMaterial("glass", "TZ-1", 46.8);
    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock);
    const float stock = rs["mystock"].toFloat() - 6.0f;
    rs.setField("mystock", double(stock));
    rs.setField("minstock", 0.1f);
    rs.setField("Axia2", 0.1f);
    rs.setField("maxstock", "12.5");   // a text is the database's to convert
    rs.Update();
    EXPECT_EQ(DataFolder::scalar(gConnStock,
                                 "select mystock || ' ' || minstock || ' ' || maxstock from protesyles").toString(),
              "40.8 0.1 12.5");
    EXPECT_EQ(DataFolder::scalar(gConnStock, "select Axia2 = 0.1 from protesyles").toLongLong(), 0);
    EXPECT_EQ(rs["mystock"].toFloat(), stock);
}

TEST_F(DatabaseTest, SuppliersComeInIdOrder)
{
    DataFolder::exec(gConnStock, "delete from Promithf;"
                                 "insert into Promithf (ID, Perigrafi) values (3, 'c');"
                                 "insert into Promithf (ID, Perigrafi) values (1, 'a');"
                                 "insert into Promithf (ID, Perigrafi) values (2, 'b')");
    db::Recordset rs;
    rs.Open("select * from Promithf", gConnStock);
    QStringList names;
    for (qint64 id = 1; !rs.Eof(); rs.MoveNext(), ++id) {
        EXPECT_EQ(rs["ID"].toLongLong(), id);
        names << rs["Perigrafi"].toString();
    }
    EXPECT_EQ(names, QStringList({"a", "b", "c"}));
}

TEST_F(DatabaseTest, TheTemplateHoldsThirtyEmptySuppliersAndTheSettingsString)
{
    db::Recordset rs;
    rs.Open("select * from Promithf", gConnStock);
    ASSERT_EQ(rs.RecordCount(), 30);
    EXPECT_EQ(rs["tmpString1"].toString(), "00000000000000000000");
    rs.MoveLast();
    EXPECT_EQ(rs["ID"].toLongLong(), 30);
    EXPECT_EQ(rs["Perigrafi"].toString(), "");
    EXPECT_EQ(countOf(gConnStock, "protesyles"), 0);
}

TEST_F(DatabaseTest, ExecuteRunsTransactionStatements)
{
    gConnStock.Execute("BEGIN");
    addMaterial("a", "A");
    gConnStock.Execute("ROLLBACK");
    EXPECT_EQ(countOf(gConnStock, "protesyles"), 0);
    expectFailsWith([] { gConnStock.Execute("COMMIT"); }, "Σφάλμα της βάσης δεδομένων (κωδικός 1).");
}

TEST_F(DatabaseTest, TransactionKeepsOnlyWhatWasCommitted)
{
    {
        db::Transaction transaction(gConnStock);
        addMaterial("Λάστιχο", "G-1");
    }   // left without Commit, as by an exception
    EXPECT_EQ(countOf(gConnStock, "protesyles"), 0);
    {
        db::Transaction transaction(gConnStock);
        addMaterial("Λάστιχο", "G-1");
        transaction.Commit();
    }
    EXPECT_EQ(countOf(gConnStock, "protesyles"), 1);
    // A transaction cannot start inside another; the outer one is untouched by the failure.
    db::Transaction outer(gConnStock);
    EXPECT_THROW(db::Transaction inner(gConnStock), db::DatabaseError);
    addMaterial("Μεντεσές", "H-1");
    outer.Commit();
    EXPECT_EQ(countOf(gConnStock, "protesyles"), 2);
}

// A transaction takes the file's locks as its mode says: another writer can still start
// beside a deferred one, not beside an immediate one; beside an exclusive one nobody reads.
TEST_F(DatabaseTest, TransactionsTakeTheLocksOfTheirMode)
{
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(gConnStock.filePath().toUtf8().constData(), &other), SQLITE_OK);
    const auto otherRuns = [other](const char* sql) {
        const bool ran = sqlite3_exec(other, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
        if (sqlite3_get_autocommit(other) == 0)
            sqlite3_exec(other, "rollback", nullptr, nullptr, nullptr);
        return ran;
    };
    struct Case {
        db::TransactionMode mode;
        bool otherWrites;
        bool otherReads;
    };
    const Case cases[] = {
        {db::TransactionMode::Deferred, true, true},
        {db::TransactionMode::Immediate, false, true},
        {db::TransactionMode::Exclusive, false, false},
    };
    for (const Case& c : cases) {
        db::Transaction transaction(gConnStock, c.mode);
        EXPECT_EQ(otherRuns("begin immediate"), c.otherWrites) << int(c.mode);
        EXPECT_EQ(otherRuns("select count(*) from protesyles"), c.otherReads) << int(c.mode);
        addMaterial("Λάστιχο", "G-1");
        transaction.Commit();
    }
    sqlite3_close(other);
    EXPECT_EQ(countOf(gConnStock, "protesyles"), 3);
}

TEST(DatabaseConnection, OpensOnlyAnExistingDatabaseFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + "/my data/stock.mdb";
    const QString connectionString = db::connectionStringFor(path);
    EXPECT_EQ(connectionString, "Provider=Microsoft.Jet.OLEDB.4.0;Data Source='" + path
                                    + "';Jet OLEDB:Database Password='k4tel?318brandow'");
    EXPECT_EQ(db::Connection::dataSource(connectionString), path);

    db::Connection connection;
    expectFailsWith([&] { connection.Open(connectionString); }, "Το αρχείο ή ο φάκελος δεν υπάρχει.");
    EXPECT_FALSE(QFile::exists(path));   // a missing file is never created
    EXPECT_FALSE(connection.isOpen());

    const QString textFile = dir.path() + "/norvale9.txt";
    QFile file(textFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database at all, just a line of text that is long enough\r\n");
    file.close();
    expectFailsWith([&] { connection.Open(db::connectionStringFor(textFile)); },
                    "Το αρχείο δεν είναι βάση δεδομένων ή είναι κατεστραμμένο.");
    EXPECT_FALSE(connection.isOpen());

    QDir().mkpath(dir.path() + "/my data");
    testenv::createDatabase(path, {"stuff.sql"});
    connection.ConnectionString = connectionString;
    connection.CursorLocation = 3;
    connection.Open("", "", "", -1);
    EXPECT_TRUE(connection.isOpen());
    EXPECT_EQ(connection.filePath(), path);
    connection.Close();
    EXPECT_FALSE(connection.isOpen());
    db::Recordset rs;
    expectFailsWith([&] { rs.Open("select * from NOMISMATA", connection); }, "κλειστή");
}

TEST(DatabaseConnection, AnyFolderNameRoundTripsThroughTheConnectionString)
{
    QTemporaryDir dir;
    for (const char* folder : {"Α'", "Β' ;Jet OLEDB:x='y'", "O''Brien;", " two  spaces ", "say \"hi\"", "Αποθήκη;'"}) {
        const QString path = dir.path() + "/" + QString::fromUtf8(folder) + "/stock.mdb";
        SCOPED_TRACE(path.toStdString());
        const QString connectionString = db::connectionStringFor(path);
        EXPECT_EQ(db::Connection::dataSource(connectionString), path);
        ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        testenv::createDatabase(path, {"stuff.sql"});
        db::Connection connection;
        connection.Open(connectionString);
        EXPECT_EQ(connection.filePath(), path);
    }
}

TEST(DatabaseConnection, OlderAndHandWrittenConnectionStringsStillParse)
{
    const std::pair<const char*, const char*> cases[] = {
        // written before apostrophes were doubled: a quote inside the path stays in it
        {"Provider=Microsoft.Jet.OLEDB.4.0;Data Source='/srv/Α'/dataloc/stock.mdb';Jet OLEDB:Database "
         "Password='k4tel?318brandow'",
         "/srv/Α'/dataloc/stock.mdb"},
        {"Provider=x;Data Source='/srv/stock.mdb'", "/srv/stock.mdb"},
        {"data source = '/srv/stock.mdb' ;Provider=x", "/srv/stock.mdb"},
        {"Data Source=\"/srv/my \"\"best\"\" stock.mdb\";Provider=x", "/srv/my \"best\" stock.mdb"},
        {"Provider=x;Data Source= /srv/plain.mdb ;Password=y", "/srv/plain.mdb"},
        {"Provider=x;Data Source=/srv/last.mdb", "/srv/last.mdb"},
        {"Provider=x;MyData Source='/srv/stock.mdb'", ""},
        {"Provider=x", ""},
    };
    for (const auto& [connectionString, path] : cases)
        EXPECT_EQ(db::Connection::dataSource(QString::fromUtf8(connectionString)), QString::fromUtf8(path))
            << connectionString;
}

// The demo databases and job file that scripts/demo-data lays out.
class DemoData : public ::testing::Test {
protected:
    void SetUp() override
    {
        testenv::createDatabase(dir.path() + "/stock.mdb", {"stock.sql", "demo-stock.sql"});
        testenv::createDatabase(dir.path() + "/quilbex.mdb", {"quilbex.sql", "demo-quilbex.sql"});
        testenv::createDatabase(dir.path() + "/stuff.mdb", {"stuff.sql", "demo-stuff.sql"});
        stock.Open(db::connectionStringFor(dir.path() + "/stock.mdb"));
        quilbex.Open(db::connectionStringFor(dir.path() + "/quilbex.mdb"));
        stuff.Open(db::connectionStringFor(dir.path() + "/stuff.mdb"));
    }

    QTemporaryDir dir;
    db::Connection stock, quilbex, stuff;
};

TEST_F(DemoData, DatabasesHoldAWorkshopWithEveryTypeUnitAndStockState)
{
    EXPECT_EQ(countOf(stock, "Promithf"), 30);
    EXPECT_EQ(countOf(stock, "Promithf where length(trim(Perigrafi)) > 1"), 5);
    EXPECT_EQ(DataFolder::scalar(stock, "select tmpString1 from Promithf where ID=1").toString(),
              "00000000000000000000");
    EXPECT_GE(countOf(stock, "protesyles"), 30);
    EXPECT_EQ(countOf(stock, "(select distinct typosyli from protesyles)"), 12);
    EXPECT_EQ(countOf(stock, "(select distinct monadametr from protesyles)"), 5);
    EXPECT_GT(countOf(stock, "protesyles where exeielegxo=0"), 0);
    EXPECT_GT(countOf(stock, "protesyles where exeielegxo=1 and mystock<=0"), 0);
    EXPECT_GT(countOf(stock, "protesyles where exeielegxo=1 and mystock>0 and mystock<minstock"), 0);
    EXPECT_EQ(countOf(stock, "protesyles where Perigrafi is null or typosyli not between 0 and 11 "
                             "or monadametr not between 0 and 4 or promitheftis not between 0 and 30"), 0);

    for (const char* key : {"Profil", "Mixanismoi", "Exartimata", "Rolla", "Pantzouria", "Tzamia", "Panel",
                            "Kounoupieres", "Epistrofi", "kodikos", "Epivevaiosi exodou"}) {
        db::Recordset rs;
        rs.Open(QStringLiteral("select * from glossa where greeklish='%1'").arg(key), quilbex);
        ASSERT_FALSE(rs.Eof()) << key;
        EXPECT_GT(rs[2].toString().size(), 1) << key;   // Greek, language 1
        EXPECT_GT(rs[3].toString().size(), 1) << key;   // English, language 2
    }
    EXPECT_EQ(DataFolder::scalar(quilbex, "select timi from pm_integer where ID=11").toLongLong(), 1);
    EXPECT_EQ(DataFolder::scalar(quilbex, "select timi from pm_keimeno250 where ID=1").toString(), "");

    EXPECT_GE(countOf(stuff, "NOMISMATA"), 3);
    EXPECT_EQ(countOf(stuff, "NOMISMATA where trim(Symbolo)=''"), 1);
}

TEST_F(DemoData, JobFileReachesEveryOutcomeIncludingAShortage)
{
    QFile job(testenv::dataFile("norvale9.txt"));
    ASSERT_TRUE(job.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(job.readAll()).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 6);
    QSet<int> outcomes;
    bool shortage = false;
    for (const QString& line : lines) {
        ASSERT_EQ(line.size(), 103) << line.toStdString();
        const QString code = line.mid(20, 20).trimmed();
        const double quantity = line.mid(90, 10).trimmed().toDouble();
        EXPECT_GT(line.mid(40, 50).trimmed().size(), 0);
        EXPECT_TRUE(line.mid(101, 2).at(0).isDigit() && line.mid(101, 2).at(1).isDigit());
        db::Recordset rs;
        material::openByCode(rs, stock, code);
        if (rs.Eof()) {
            outcomes << 0;
        } else if (rs["exeielegxo"].toLongLong() == 0) {
            outcomes << 1;
        } else {
            outcomes << 2;
            shortage = shortage || rs["mystock"].toDouble() - quantity < 0;
        }
    }
    EXPECT_EQ(outcomes, QSet<int>({0, 1, 2}));
    EXPECT_TRUE(shortage);
}

} // namespace
