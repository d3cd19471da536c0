#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/polygon_coverage.h"

namespace {

// The share of the pixel inside the polygon by the non-zero rule, sampled on a fine grid.
double Sampled(const std::vector<FloatPoint>& polygon, int x, int y) {
    constexpr int Grid = 64;
    int inside = 0;
    for (int j = 0; j < Grid; ++j) {
        for (int i = 0; i < Grid; ++i) {
            const double px = x + (i + 0.5) / Grid, py = y + (j + 0.5) / Grid;
            int winding = 0;
            for (size_t k = 0; k < polygon.size(); ++k) {
                const FloatPoint& a = polygon[k];
                const FloatPoint& b = polygon[(k + 1) % polygon.size()];
                if ((a.y <= py) == (b.y <= py)) continue;
                const double cross = a.x + (py - a.y) * (b.x - a.x) / (b.y - a.y);
                if (cross > px) winding += b.y > a.y ? 1 : -1;
            }
            inside += winding != 0;
        }
    }
    return static_cast<double>(inside) / (Grid * Grid);
}

}  // namespace

// Every pixel gets the share of its area inside the figure: exact where edges run along the
// grid, within the sampling's error along slanted ones, whichever way round the figure runs.
TEST(PolygonCoverage, EachPixelGetsTheShareOfItsAreaInside) {
    const std::vector<std::vector<FloatPoint>> cases = {
        {{1.25f, 0.5f}, {3.5f, 0.5f}, {3.5f, 2.0f}, {1.25f, 2.0f}},             // along the grid
        {{2.3f, 1.1f}, {2.9f, 1.2f}, {14.6f, 13.7f}, {13.2f, 14.4f}},           // a slanted needle
        {{0.2f, 3.1f}, {17.8f, 4.0f}, {17.9f, 5.2f}, {0.4f, 3.9f}},             // nearly level
        {{8.5f, 1.5f}, {2.1f, 12.7f}, {15.2f, 9.9f}},                           // the other way round
        {{3.0f, 3.0f}, {3.0f, 3.0f}, {9.6f, 3.0f}, {9.6f, 8.4f}, {3.0f, 8.4f}},  // a repeated corner
    };
    for (size_t c = 0; c < cases.size(); ++c) {
        const std::vector<FloatPoint>& polygon = cases[c];
        PolygonCoverage coverage(polygon.data(), static_cast<int>(polygon.size()));
        double total = 0, area = 0;
        for (size_t k = 0; k < polygon.size(); ++k) {
            const FloatPoint& a = polygon[k];
            const FloatPoint& b = polygon[(k + 1) % polygon.size()];
            area += (static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y) / 2;
        }
        for (int y = -1; y < 17; ++y) {
            std::vector<uint8_t> row(20, 0);
            coverage.AddRow(y, -1, 20, row.data());
            for (int x = -1; x < 19; ++x) {
                const uint8_t got = row[static_cast<size_t>(x + 1)];
                total += got / 255.0;
                EXPECT_NEAR(got, Sampled(polygon, x, y) * 255, c == 0 ? 0.5 : 4.0)
                    << "case " << c << ", pixel " << x << "," << y;
            }
        }
        EXPECT_NEAR(total, std::abs(area), 0.02 * std::abs(area)) << "case " << c;
    }
}

// Added rows stop at full coverage, and only the asked-for columns change.
TEST(PolygonCoverage, AddsUpToFullWithinTheColumnsAsked) {
    const FloatPoint square[] = {{0, 0}, {4, 0}, {4, 1}, {0, 1}};
    PolygonCoverage coverage(square, 4);
    std::vector<uint8_t> row = {200, 200, 10, 10, 10, 77};
    coverage.AddRow(0, 1, 4, row.data() + 1);
    EXPECT_EQ(row, (std::vector<uint8_t>{200, 255, 255, 255, 10, 77}));
}
