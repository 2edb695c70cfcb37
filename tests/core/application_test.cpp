#include "core/application.h"
#include "platform/database.h"
#include "support/testenv.h"

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
