#pragma once
// How many catalogue stars a sky chart draws for each limiting magnitude a star-count list
// offers: entry 0 is fainter than 6.5 (the whole catalogue), then 6.5 down to 1.5 in steps of
// 0.5, counted from the brightest star of stars.bin.

#include <array>

inline constexpr std::array<int, 12> kStarCountTable{9010, 8523, 5146, 2906, 1639, 921,
                                                     521,  293,  176,  94,   50,   23};
