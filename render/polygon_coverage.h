// The exact share of each pixel that a polygon covers, row by row. Platform-free: a frame's
// needle is laid from it both when the frame is drawn whole and when only the boxes round the
// needle are, so that the two agree wherever the boxes cut it.
#pragma once

#include <cstdint>
#include <vector>

#include "render/dial_geometry.h"

class PolygonCoverage {
public:
    // The closed polygon through the points, filled by the non-zero rule.
    PolygonCoverage(const FloatPoint* points, int count);
    PolygonCoverage(const PolygonCoverage&) = delete;
    PolygonCoverage& operator=(const PolygonCoverage&) = delete;

    // The rows [Top(), Bottom()) it may cover.
    int32_t Top() const { return top_; }
    int32_t Bottom() const { return bottom_; }
    // The columns [from, to) of a row outside which its coverage is 0 (from >= to: none).
    struct Span {
        int32_t from;
        int32_t to;
    };
    // Row y's coverage (0 to 255) indexed by column, valid over its span, which `span` gets.
    const uint8_t* RowOf(int32_t y, Span& span) {
        if (!Within(y)) {
            span = {0, 0};
            return nullptr;
        }
        const Row& row = Computed(y);
        span = row.span;
        return row.coverage - row.span.from;
    }
    // Adds the coverage of row y over columns [left, left + width) to `into`, up to 255.
    void AddRow(int32_t y, int32_t left, int32_t width, uint8_t* into);

private:
    struct Edge {
        double x0, y0, x1, y1;  // y0 < y1
        double slope;           // x per y
        double direction;       // +1 running down, -1 up
    };
    // A row computed: its span and its coverage over it.
    struct Row {
        int32_t y;
        bool computed;
        Span span;
        uint8_t* coverage;  // its share of `storage_`
    };
    // Row y, computed unless it is one of the last few: the needle reads the rows of its
    // shadow's figure a few rows off, between the shadow's own.
    Row& Computed(int32_t y) {
        Row& row = rows_[static_cast<uint32_t>(y) % KeptRows];
        return row.computed && row.y == y ? row : Compute(row, y);
    }
    Row& Compute(Row& row, int32_t y);
    bool Within(int32_t y) const { return y >= top_ && y < bottom_; }

    std::vector<Edge> edges_;
    int32_t top_ = 0;
    int32_t bottom_ = 0;
    static constexpr uint32_t KeptRows = 32;
    Row rows_[KeptRows]{};
    // Room for each kept row as wide as the figure: one block, not one a row, thirty times a second.
    std::vector<uint8_t> storage_;
    std::vector<double> cells_;
};
