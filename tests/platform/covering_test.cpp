#include "platform/covering.h"

#include <QAccessible>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool offeredToScreenReaders(QWidget* widget)
{
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
    return access && !access->state().invisible;
}

// A window with a button under the frame, one beside it, one partly under it, and a field
// in the frame.
class CoveringFrame : public ::testing::Test {
protected:
    CoveringFrame()
    {
        window.setGeometry(0, 0, 400, 300);
        under->setGeometry(10, 10, 80, 30);
        beside->setGeometry(300, 10, 80, 30);
        partly->setGeometry(180, 50, 80, 30);
        frame->setGeometry(0, 0, 200, 200);
        field->setGeometry(10, 10, 100, 25);
        frame->hide();
        coverWhileShown(frame);
        window.show();
        QApplication::setActiveWindow(&window);
    }

    QWidget window;
    QPushButton* under = new QPushButton("under", &window);
    QPushButton* beside = new QPushButton("beside", &window);
    QPushButton* partly = new QPushButton("partly", &window);   // reaches out beside the frame
    QFrame* frame = new QFrame(&window);
    QLineEdit* field = new QLineEdit(frame);
};

TEST_F(CoveringFrame, WhatTheFrameCoversTakesNoFocusAndIsNotOfferedUntilItGoes)
{
    under->setFocus();
    frame->show();
    EXPECT_EQ(QApplication::focusWidget(), field);
    EXPECT_FALSE(under->isVisible());
    EXPECT_FALSE(offeredToScreenReaders(under));
    EXPECT_TRUE(beside->isVisible());
    EXPECT_TRUE(partly->isVisible());
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_NE(QApplication::focusWidget(), under) << i;
    }

    under->show();   // shown again by its window while covered: it stays behind the frame
    EXPECT_FALSE(under->isVisible());

    frame->hide();
    EXPECT_TRUE(under->isVisible());
    EXPECT_TRUE(offeredToScreenReaders(under));
    EXPECT_EQ(QApplication::focusWidget(), under);
}

TEST_F(CoveringFrame, AFrameMovedOffItsControlsUncoversThem)
{
    frame->show();
    ASSERT_FALSE(under->isVisible());
    frame->move(100, 100);   // now over neither button
    EXPECT_TRUE(under->isVisible());
    EXPECT_TRUE(beside->isVisible());
    frame->move(250, 0);     // over the one beside
    EXPECT_TRUE(under->isVisible());
    EXPECT_FALSE(beside->isVisible());
}

TEST_F(CoveringFrame, ASiblingAboveTheFrameStaysUsable)
{
    under->raise();   // now above the frame
    frame->show();
    EXPECT_TRUE(under->isVisible());
}

} // namespace
