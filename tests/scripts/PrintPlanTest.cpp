#include "scripts/PrintPlan.h"

#include <gtest/gtest.h>

TEST(PrintPlan, MetricsDivideThePrintableAreaByTheFont) {
    const PrintMetrics metrics = PrintMetricsFor(4800, 6300, 50, 105);
    EXPECT_EQ(metrics.lineHeight, 105);
    EXPECT_EQ(metrics.charsPerLine, 96);
    EXPECT_EQ(metrics.linesPerPage, 60);
    // A font taller than the page, or no font at all, leaves no line to print.
    EXPECT_EQ(PrintMetricsFor(4800, 100, 50, 105).linesPerPage, 0);
    EXPECT_EQ(PrintMetricsFor(4800, 6300, 0, 105).charsPerLine, 0);
    EXPECT_EQ(PrintMetricsFor(4800, 6300, 50, 0).linesPerPage, 0);
}

TEST(PrintPlan, OneHundredThirtyLinesAtSixtyAPageAreThreePagesOf60And60And10) {
    ASSERT_EQ(PrintPageCount(130, 60), 3);
    EXPECT_EQ(PrintPageLines(0, 60, 130).first, 0);
    EXPECT_EQ(PrintPageLines(0, 60, 130).end, 60);
    EXPECT_EQ(PrintPageLines(1, 60, 130).end, 120);
    EXPECT_EQ(PrintPageLines(2, 60, 130).first, 120);
    EXPECT_EQ(PrintPageLines(2, 60, 130).end, 130); // never the line after the last
    EXPECT_EQ(PrintPageCount(120, 60), 2);
    EXPECT_EQ(PrintPageCount(0, 60), 0);
    EXPECT_EQ(PrintPageCount(10, 0), 0);
}

TEST(PrintPlan, CollatedCopiesRepeatTheRunUncollatedRepeatEachPage) {
    EXPECT_EQ(PrintPageSequence(2, 2, true), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(PrintPageSequence(2, 2, false), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(PrintPageSequence(3, 1, true), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(PrintPageSequence(2, 0, false), (std::vector<int>{0, 1}));
    EXPECT_TRUE(PrintPageSequence(0, 3, true).empty());
}
