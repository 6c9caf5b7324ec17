#include "platform/exporter.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

std::vector<int> ColumnWidths(const std::vector<TExportColumn>& columns, int total)
{
    std::vector<int> widths;
    if (columns.empty()) return widths;
    std::vector<int> weights;
    for (const TExportColumn& column : columns)
        weights.push_back(std::clamp(column.Width, 4, 24));
    const long long sum = std::accumulate(weights.begin(), weights.end(), 0LL);
    int given = 0;
    for (int weight : weights) {
        widths.push_back(static_cast<int>(static_cast<long long>(total) * weight / sum));
        given += widths.back();
    }
    // Rounding leftovers go to the last column so that the table fills the width exactly.
    widths.back() += total - given;
    return widths;
}

QPageSize::PageSizeId ReportPaperSize()
{
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                              : QPageSize::A4;
}
