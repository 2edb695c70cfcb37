#include "platform/desktop.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(Desktop, OpenerGuardTakesEveryRequestAndRestoresThePrevious)
{
    QStringList outer;
    const desktop::OpenerGuard outerGuard([&](const QUrl& url) { outer << url.toString(); return true; });
    {
        QStringList inner;
        const desktop::OpenerGuard innerGuard([&](const QUrl& url) { inner << url.toString(); return false; });
        EXPECT_FALSE(desktop::open(QUrl("mailto:a@b.example")));
        EXPECT_FALSE(desktop::openFile("/tmp/list.xlsx"));
        EXPECT_EQ(inner, (QStringList{"mailto:a@b.example", "file:///tmp/list.xlsx"}));
    }
    EXPECT_TRUE(desktop::open(QUrl("https://example.com/")));
    EXPECT_EQ(outer, QStringList{"https://example.com/"});
}
