#include "scripts/PrintPlan.h"

#include <algorithm>

PrintMetrics PrintMetricsFor(int printableWidth, int printableHeight, int averageCharWidth,
                             int lineHeight) {
    PrintMetrics metrics;
    if (lineHeight <= 0 || averageCharWidth <= 0) {
        return metrics;
    }
    metrics.lineHeight = lineHeight;
    metrics.charsPerLine = std::max(printableWidth, 0) / averageCharWidth;
    metrics.linesPerPage = std::max(printableHeight, 0) / lineHeight;
    return metrics;
}

int PrintPageCount(int lineCount, int linesPerPage) {
    if (lineCount <= 0 || linesPerPage <= 0) {
        return 0;
    }
    return (lineCount + linesPerPage - 1) / linesPerPage;
}

std::vector<int> PrintPageSequence(int pageCount, int copies, bool collate) {
    std::vector<int> pages;
    copies = std::max(copies, 1);
    const int passes = collate ? copies : 1;
    const int repeats = collate ? 1 : copies;
    for (int pass = 0; pass < passes; ++pass) {
        for (int page = 0; page < pageCount; ++page) {
            pages.insert(pages.end(), static_cast<std::size_t>(repeats), page);
        }
    }
    return pages;
}

PrintLineRange PrintPageLines(int page, int linesPerPage, int lineCount) {
    // A page ends at the last line: there is no line numbered lineCount to print.
    const int first = std::clamp(page * linesPerPage, 0, std::max(lineCount, 0));
    return {first, std::min(first + std::max(linesPerPage, 0), std::max(lineCount, 0))};
}
