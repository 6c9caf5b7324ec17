#include "platform/reportpagelayout.h"

#include <algorithm>

namespace {

long long Natural(const std::vector<int>& naturalWidths, int column, int available)
{
    return std::clamp(naturalWidths[column], 1, available);
}

void Stretch(TReportBand& band, const std::vector<int>& naturalWidths, int available)
{
    long long natural = 0;
    for (int column : band.Columns)
        natural += Natural(naturalWidths, column, available);
    int given = 0;
    for (int column : band.Columns) {
        const int width =
            static_cast<int>(Natural(naturalWidths, column, available) * available / natural);
        band.Widths.push_back(width);
        given += width;
    }
    band.Widths.back() += available - given;
}

} // namespace

std::vector<TReportBand> SplitIntoBands(const std::vector<int>& naturalWidths, int available)
{
    std::vector<TReportBand> bands;
    const int count = static_cast<int>(naturalWidths.size());
    if (count == 0 || available <= 0) return bands;
    const int keyWidth = std::min(naturalWidths[0], available);
    int next = 0;
    while (next < count) {
        TReportBand band;
        int used = 0;
        if (next > 0 && keyWidth + std::min(naturalWidths[next], available) <= available) {
            band.Columns.push_back(0);
            used = keyWidth;
        }
        // Every band takes at least one new column, however wide.
        band.Columns.push_back(next);
        used += std::min(naturalWidths[next], available);
        ++next;
        while (next < count && used + naturalWidths[next] <= available) {
            band.Columns.push_back(next);
            used += naturalWidths[next];
            ++next;
        }
        Stretch(band, naturalWidths, available);
        bands.push_back(std::move(band));
    }
    return bands;
}

std::vector<TReportPage> Paginate(const std::vector<int>& rowHeights, int available)
{
    std::vector<TReportPage> pages;
    TReportPage page;
    int used = 0;
    const int count = static_cast<int>(rowHeights.size());
    for (int row = 0; row < count; ++row) {
        if (page.End > page.First && used + rowHeights[row] > available) {
            pages.push_back(page);
            page = TReportPage{row, row};
            used = 0;
        }
        used += rowHeights[row];
        page.End = row + 1;
    }
    pages.push_back(page);
    return pages;
}
