#pragma once
// How a script is laid out on printed pages: one text line per printed line in the printer's
// font, lines cut (not wrapped) at the width, and the order of pages for collated and
// uncollated copies.

#include <vector>

struct PrintMetrics {
    int lineHeight = 0;
    int charsPerLine = 0;
    int linesPerPage = 0;
};

// From the printable area and the font's average character width and line height (character
// height plus leading), all in the printer's pixels. Zero lines per page when not one line fits.
PrintMetrics PrintMetricsFor(int printableWidth, int printableHeight, int averageCharWidth,
                             int lineHeight);

// (lines + linesPerPage - 1) / linesPerPage; 0 without lines or room for them.
int PrintPageCount(int lineCount, int linesPerPage);

// The pages to print, by number from 0, in printing order: with collation every copy is the
// whole run of pages (1, 2, 1, 2); without, each page is repeated for the copies (1, 1, 2, 2).
std::vector<int> PrintPageSequence(int pageCount, int copies, bool collate);

// The pane's lines that page `page` holds: [first, end).
struct PrintLineRange {
    int first = 0;
    int end = 0;
};
PrintLineRange PrintPageLines(int page, int linesPerPage, int lineCount);
