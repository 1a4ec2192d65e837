#pragma once

#include <vector>

// The rows [first, end) of a list that go on one printed page.
struct TPageRows {
    int first = 0;
    int end = 0;
    bool operator==(const TPageRows&) const = default;
};

// Puts rows of the given heights, in order, onto pages that have `room` for rows each (what is
// left of a page after its heading and the repeated column header). A page takes rows while they
// fit whole, so no row is ever cut; a row taller than the room gets a page of its own. No rows
// still make one (empty) page.
std::vector<TPageRows> BreakPages(const std::vector<int>& heights, int room);
