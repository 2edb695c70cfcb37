#include "catalogue/supplier_record.h"
#include "core/globals.h"
#include "support/testenv.h"
#include <gtest/gtest.h>

namespace {

using testenv::DataFolder;

TEST(SupplierChoiceList, NamesByPositionWithPlaceholders)
{
    DataFolder folder;
    DataFolder::exec(gConnStock,
        "update Promithf set Perigrafi='  Alpha Ltd  ' where ID=1;"
        "update Promithf set Perigrafi=NULL where ID=2;"
        "update Promithf set Perigrafi='x' where ID=3;"
        "update Promithf set Perigrafi='-' where ID=4;"
        "update Promithf set Perigrafi='   ' where ID=5;"
        "update Promithf set Perigrafi='Ab' where ID=6;"
        "update Promithf set Perigrafi='Zeta' where ID=30");
    const QStringList list = supplier::choiceList();
    ASSERT_EQ(list.size(), 31);
    EXPECT_EQ(list.mid(0, 7), QStringList({" - ", "Alpha Ltd", "- - - { 02 } - - -",
                                            "- - - { 03 } - - -", "- - - { 04 } - - -",
                                            "- - - { 05 } - - -", "Ab"}));
    EXPECT_EQ(list[29], "- - - { 29 } - - -");
    EXPECT_EQ(list[30], "Zeta");
}

TEST(SupplierChoiceList, PositionIsTableOrderNotInsertOrder)
{
    DataFolder folder;
    DataFolder::exec(gConnStock,
        "delete from Promithf;"
        "insert into Promithf (ID, Perigrafi) values (3, 'Gamma'), (1, 'Alpha'), (2, 'Beta')");
    EXPECT_EQ(supplier::choiceList(), QStringList({" - ", "Alpha", "Beta", "Gamma"}));
}

TEST(SupplierChoiceList, EmptyTableOffersOnlyNoSupplier)
{
    DataFolder folder;
    DataFolder::exec(gConnStock, "delete from Promithf");
    EXPECT_EQ(supplier::choiceList(), QStringList({" - "}));
}

TEST(SupplierChoiceList, EntryOfThreeDigitPosition)
{
    EXPECT_EQ(supplier::choiceEntry("", 123), "- - - { 123 } - - -");
    EXPECT_EQ(supplier::choiceEntry(" Acme ", 123), "Acme");
}

} // namespace

TEST(SupplierChoiceList, UnreadableTableOffersOnlyNoSupplierAndSaysSo)
{
    DataFolder folder;
    testenv::Boxes boxes;
    EXPECT_EQ(supplier::choiceListOrNone().size(), 31);
    EXPECT_EQ(boxes.count(), 0);
    DataFolder::exec(gConnStock, "drop table Promithf");
    EXPECT_EQ(supplier::choiceListOrNone(), QStringList {" - "});
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.startsWith("Οι προμηθευτές δεν διαβάστηκαν:")) << boxes.last().text.toStdString();
    EXPECT_EQ(boxes.last().style, msgbox::Critical);
}
