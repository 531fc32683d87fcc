#include "scripts/PrintPlan.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

TEST(PrintPlan, MetricsDivideTheAreaByTheFontAndPagesHoldTheirLinesAndCopies) {
    const PrintMetrics metrics = PrintMetricsFor(4800, 6300, 50, 105);
    EXPECT_EQ(std::tuple(metrics.lineHeight, metrics.charsPerLine, metrics.linesPerPage),
              std::tuple(105, 96, 60));
    // A font taller than the page, or no font at all, leaves no line to print.
    EXPECT_EQ(PrintMetricsFor(4800, 100, 50, 105).linesPerPage, 0);
    EXPECT_EQ(PrintMetricsFor(4800, 6300, 0, 105).charsPerLine, 0);
    EXPECT_EQ(PrintMetricsFor(4800, 6300, 50, 0).linesPerPage, 0);

    // 130 lines at 60 a page are three pages of 60, 60 and 10, never the line after the last.
    ASSERT_EQ(PrintPageCount(130, 60), 3);
    const PrintLineRange first = PrintPageLines(0, 60, 130), last = PrintPageLines(2, 60, 130);
    EXPECT_EQ(std::tuple(first.first, first.end, last.first, last.end),
              std::tuple(0, 60, 120, 130));
    EXPECT_EQ(PrintPageCount(120, 60), 2);
    EXPECT_EQ(PrintPageCount(0, 60) + PrintPageCount(10, 0), 0);
    EXPECT_EQ(PrintPageSequence(2, 2, true), (std::vector<int>{0, 1, 0, 1}));
    EXPECT_EQ(PrintPageSequence(2, 2, false), (std::vector<int>{0, 0, 1, 1}));
    EXPECT_EQ(PrintPageSequence(2, 0, false), (std::vector<int>{0, 1}));
    EXPECT_TRUE(PrintPageSequence(0, 3, true).empty());
}
