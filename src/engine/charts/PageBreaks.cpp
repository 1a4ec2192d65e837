#include "engine/charts/PageBreaks.h"

#include <cstddef>

std::vector<TPageRows> BreakPages(const std::vector<int>& heights, int room) {
    std::vector<TPageRows> pages;
    TPageRows page;
    int used = 0;
    for (int i = 0; i < int(heights.size()); ++i) {
        const int h = heights[std::size_t(i)];
        if (page.end > page.first && used + h > room) {
            pages.push_back(page);
            page = {i, i};
            used = 0;
        }
        page.end = i + 1;
        used += h;
    }
    pages.push_back(page);
    return pages;
}
