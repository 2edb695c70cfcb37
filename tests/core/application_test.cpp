#include "core/application.h"
#include "core/globals.h"
#include "platform/convert.h"
#include "platform/database.h"
#include "support/greeklocale.h"
#include "support/testenv.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLocale>
#include <QProcess>
#include <clocale>
#include <gtest/gtest.h>

TEST(Application, AFailureThatAHandlerLetsThroughIsShownAndDeliveryGoesOn)
{
    testenv::Boxes boxes;
    EXPECT_TRUE(deliverReportingFailures([] { return true; }));
    EXPECT_EQ(boxes.count(), 0);

    EXPECT_FALSE(deliverReportingFailures([]() -> bool { throw db::DatabaseError("Ο δίσκος είναι γεμάτος."); }));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Ο δίσκος είναι γεμάτος.");
    EXPECT_EQ(boxes.last().style, msgbox::Critical);

    EXPECT_FALSE(deliverReportingFailures([]() -> bool { throw 42; }));
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().text, "Απρόβλεπτο σφάλμα.");
}

// Started under the workshop's Greek settings, the program reads and shows numbers the
// Greek way while every figure it stores keeps its decimals: the test program runs this
// test again in a child started as the program starts, with only LANG set.
TEST(Application, UnderGreekSettingsAStoredFigureKeepsItsDecimals)
{
    if (!testenv::runsAsProgram()) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_CTYPE", "LANGUAGE"})
            environment.remove(name);
        environment.insert("LANG", testenv::kGreekLocale);
        environment.insert(testenv::kRunsAsProgram, "1");
        QProcess child;
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=Application.UnderGreekSettingsAStoredFigureKeepsItsDecimals"});
        ASSERT_TRUE(child.waitForFinished(60000));
        EXPECT_EQ(child.exitCode(), 0) << child.readAll().toStdString();
        return;
    }
    EXPECT_EQ(QLocale().decimalPoint(), ",");
    EXPECT_TRUE(QString::fromLatin1(std::setlocale(LC_CTYPE, nullptr)).startsWith("el_GR"))
        << "the locale " << testenv::kGreekLocale << " is not installed";
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");

    testenv::DataFolder data;
    testenv::DataFolder::exec(gConnStock, "insert into protesyles (kodikos, mystock) values ('A-1', 6)");
    db::Recordset rs;
    rs.Open("select * from protesyles", gConnStock);
    rs.setField("mystock", rs["mystock"].toFloat() + *conv::parseSingle("2,5"));
    rs.Update();
    rs.Close();
    EXPECT_EQ(testenv::DataFolder::scalar(gConnStock, "select mystock from protesyles").toString(), "8.5");
    rs.Open("select * from protesyles", gConnStock);
    EXPECT_EQ(conv::singleText(rs["mystock"].toFloat()), "8,5");
}

// A handler connected through the wrapper gets the signal's arguments it takes; its failure
// is shown, the other handlers of the signal still run, and the next signal is handled again.
TEST(Application, AConnectedHandlerThatFailsIsShownAndTheWindowGoesOn)
{
    struct Window {
        int state = -1;
        void stateChanged(int changed)
        {
            state = changed;
            throw db::DatabaseError("Ο δίσκος είναι γεμάτος.");
        }
    } window;
    testenv::Boxes boxes;
    QCheckBox check;
    int unnamed = 0;
    QObject::connect(&check, &QCheckBox::stateChanged, &check, reportingFailures(&window, &Window::stateChanged));
    QObject::connect(&check, &QCheckBox::stateChanged, &check, reportingFailures([&unnamed] {
        ++unnamed;
        throw 42;
    }));
    for (const Qt::CheckState state : {Qt::Checked, Qt::Unchecked}) {
        boxes.clear();
        check.setCheckState(state);
        EXPECT_EQ(window.state, int(state));
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.shown()[0].text, "Η ενέργεια δεν ολοκληρώθηκε:\nΟ δίσκος είναι γεμάτος.");
        EXPECT_EQ(boxes.shown()[0].style, msgbox::Critical);
        EXPECT_EQ(boxes.shown()[0].title, "Προσοχή");
        EXPECT_EQ(boxes.shown()[1].text, "Η ενέργεια δεν ολοκληρώθηκε:\nΑπρόβλεπτο σφάλμα.");
    }
    EXPECT_EQ(unnamed, 2);
}
