#include "catalogue/material_record.h"
#include "core/globals.h"
#include "core/language.h"
#include "support/testenv.h"
#include <gtest/gtest.h>

namespace {

using testenv::DataFolder;

TEST(MaterialRecord, FieldNamesFollowTheTableColumns)
{
    DataFolder folder;
    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock);
    ASSERT_EQ(rs.fieldCount(), material::FieldCount);
    for (int i = 0; i < material::FieldCount; ++i)
        EXPECT_EQ(rs.fieldName(i), material::fieldNames().at(i)) << "position " << i;
    EXPECT_EQ(material::fieldNames().at(material::promitheftis), "promitheftis");
    EXPECT_EQ(material::fieldNames().at(material::tmpNum1), "tmpNum1");
}

TEST(MaterialRecord, TypeListTranslatesOnlyTheNamedCategories)
{
    DataFolder folder;
    // "{Other1}" has a row too: it must still be shown with its braces.
    DataFolder::exec(gConnQuilbex,
        "insert into glossa (greeklish, ellinika) values ('Profil', 'Προφίλ'), "
        "('Tzamia', 'Τζάμια'), ('{Other1}', 'Άλλο')");
    const QStringList types = material::typeList();
    ASSERT_EQ(types.size(), 12);
    EXPECT_EQ(types[0], " - ");
    EXPECT_EQ(types[1], "Προφίλ");
    EXPECT_EQ(types[6], "Τζάμια");
    for (int i = 1; i <= 8; ++i)
        EXPECT_EQ(types[i], TranslateText(material::typeKeys()[i])) << "position " << i;
    EXPECT_EQ(types.mid(9), QStringList({"{Other1}", "{Other2}", "{Other3}"}));
}

TEST(MaterialRecord, UnitList)
{
    EXPECT_EQ(material::unitList(), QStringList({"TEM", "mm", "M2", "{Kg}", "{other}"}));
    EXPECT_EQ(material::unitList()[material::kUnitPieces], "TEM");
}

TEST(MaterialRecord, CurrencyListSkipsEmptySymbolsAndKeepsTableOrder)
{
    DataFolder folder;
    DataFolder::exec(gConnStuff,
        "insert into NOMISMATA (ID, Symbolo) values (1, ' EUR '), (2, '   '), (3, NULL), "
        "(4, ''), (5, '$')");
    EXPECT_EQ(material::currencyList(), QStringList({"EUR", "$"}));
}

TEST(MaterialRecord, LookUpByIdFindsOnlyThatMaterial)
{
    DataFolder folder;
    DataFolder::exec(gConnStock, "insert into protesyles (ID, kodikos) values (7, 'A'), (40000, 'B')");
    for (const auto& [id, code] : {std::pair<long, const char*> {7, "A"}, {40000, "B"}, {8, nullptr}}) {
        db::Recordset rs;
        material::openById(rs, gConnStock, id);
        EXPECT_EQ(rs.Eof() ? QString() : rs.field("kodikos").toString(), QString(code)) << id;
    }
}

TEST(MaterialRecord, CodesWithControlOrFormatCharactersAreRefused)
{
    const std::pair<QString, bool> cases[] = {
        {QChar(0xFEFF) + QString("AB12"), true},       // byte-order mark
        {"A" + QString(QChar(0x200B)) + "B", true},    // zero-width space
        {"AB" + QString(QChar(0x00AD)), true},         // soft hyphen
        {"AB" + QString::fromUtf8("\U000E0001"), true},   // language tag, beyond the BMP
        {"A\tB", true}, {"A\nB", true}, {"A\rB", true}, {QString("A") + QChar(0x7F), true},
        {"AL-4501", false}, {"Προφίλ-Δ'", false}, {"A" + QString(QChar(0x00A0)) + "B", false},
        {QString::fromUtf8("AB\U0001F600"), false}, {"", false},
    };
    for (const auto& [code, refused] : cases)
        EXPECT_EQ(material::hasInvisibleCharacter(code), refused) << code.toStdString();
}

// The code is trimmed and bound: an apostrophe or a text that reads as SQL is only a code.
TEST(MaterialRecord, LookUpByCodeFindsOnlyThatCode)
{
    DataFolder folder;
    DataFolder::exec(gConnStock, "insert into protesyles (ID, kodikos) values (7, 'o''brien 7'), (8, 'x')");
    const std::pair<const char*, int> cases[] = {
        {"  O'BRIEN 7 ", 7}, {"O'BRIEN", 0}, {"x' or ''='", 0}, {"X", 8}, {"", 0},
    };
    for (const auto& [code, id] : cases) {
        db::Recordset rs;
        material::openByCode(rs, gConnStock, code);
        EXPECT_EQ(rs.Eof() ? 0 : rs.field("ID").toInt(), id) << code;
    }
}

} // namespace
