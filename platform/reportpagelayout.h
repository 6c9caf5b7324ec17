#pragma once

#include <vector>

// Page layout of a printed report whose table may be wider and longer than a page. Pure
// computation on widths and heights in device units.

// The columns that print side by side on one set of pages, with their printed widths.
struct TReportBand
{
    std::vector<int> Columns; // indexes into the report's columns
    std::vector<int> Widths;  // one per entry of Columns; they fill the available width
};

// Splits columns of the given natural widths into bands no wider than `available`, in
// order; a column wider than the page gets a band to itself, cut to the page. Later bands
// repeat the first column (the record's key) in front when that still leaves room for at
// least one other column. Widths are stretched in proportion to fill each band.
std::vector<TReportBand> SplitIntoBands(const std::vector<int>& naturalWidths, int available);

// A page's rows: [First, End).
struct TReportPage
{
    int First = 0;
    int End = 0;
};

// Fills pages of `available` height with rows in order; a row taller than a page gets a
// page of its own. No rows still give one (empty) page, so that the titles print.
std::vector<TReportPage> Paginate(const std::vector<int>& rowHeights, int available);
