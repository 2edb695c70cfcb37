#include "core/application.h"
#include "platform/database.h"
#include "support/testenv.h"

#include <QCheckBox>
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
