#include "render/polygon_coverage.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// std::floor and std::ceil to a whole number, inline: the library calls cost more than a row's
// own sums. The figures lie well within the range of int32_t.
int32_t FloorOf(double x) {
    const auto whole = static_cast<int32_t>(x);
    return whole - (x < whole ? 1 : 0);
}

int32_t CeilOf(double x) {
    const auto whole = static_cast<int32_t>(x);
    return whole + (x > whole ? 1 : 0);
}

}  // namespace

PolygonCoverage::PolygonCoverage(const FloatPoint* points, int count) {
    double top = 0, bottom = 0, left = 0, right = 0;
    edges_.reserve(static_cast<size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const FloatPoint& p = points[i];
        const FloatPoint& q = points[(i + 1) % count];
        top = i == 0 ? p.y : std::min(top, static_cast<double>(p.y));
        bottom = i == 0 ? p.y : std::max(bottom, static_cast<double>(p.y));
        left = i == 0 ? p.x : std::min(left, static_cast<double>(p.x));
        right = i == 0 ? p.x : std::max(right, static_cast<double>(p.x));
        // A level edge bounds no row's coverage.
        if (p.y == q.y) continue;
        const FloatPoint& upper = p.y < q.y ? p : q;
        const FloatPoint& lower = p.y < q.y ? q : p;
        edges_.push_back({upper.x, upper.y, lower.x, lower.y, (static_cast<double>(lower.x) - upper.x) / (lower.y - upper.y),
                          p.y < q.y ? 1.0 : -1.0});
    }
    if (edges_.empty()) return;
    top_ = FloorOf(top);
    bottom_ = CeilOf(bottom);
    // No row's span is wider than the figure's columns.
    const auto width = static_cast<size_t>(FloorOf(right) + 1 - FloorOf(left));
    storage_.resize(width * KeptRows);
    cells_.assign(width + 1, 0.0);
    for (uint32_t i = 0; i < KeptRows; ++i) rows_[i].coverage = storage_.data() + i * width;
}

PolygonCoverage::Row& PolygonCoverage::Compute(Row& row, int32_t y) {
    // A row off the slot it would take only costs its computing again.
    row.computed = true;
    row.y = y;
    row.span = {0, 0};
    struct Part {
        double xa, xb, height;
    };
    constexpr int MostParts = 16;
    Part parts[MostParts];
    std::vector<Part> more;
    int count = 0;
    double low = 0, high = 0;
    const double rowTop = y, rowBottom = rowTop + 1;
    for (const Edge& e : edges_) {
        const double a = std::max(e.y0, rowTop), b = std::min(e.y1, rowBottom);
        if (a >= b) continue;
        const Part part{e.x0 + (a - e.y0) * e.slope, e.x0 + (b - e.y0) * e.slope, (b - a) * e.direction};
        low = count == 0 ? std::min(part.xa, part.xb) : std::min({low, part.xa, part.xb});
        high = count == 0 ? std::max(part.xa, part.xb) : std::max({high, part.xa, part.xb});
        if (count < MostParts) {
            parts[count] = part;
        } else {
            more.push_back(part);
        }
        ++count;
    }
    if (count == 0) return row;
    const Span span{FloorOf(low), FloorOf(high) + 1};
    row.span = span;
    // Each edge's part within the row adds, in every cell it crosses, the share of the cell right
    // of it times its height, and its whole height to every cell further right: summed along the
    // row, that is the area each pixel has inside the figure.
    const auto width = static_cast<size_t>(span.to - span.from);
    // The cells are all 0 between rows: only those an edge touched are cleared again.
    double* cells = cells_.data();
    struct Touched {
        int32_t from, to;
    };
    Touched touched[MostParts];
    std::vector<Touched> moreTouched;
    int touchedCount = 0;
    const auto add = [&](const Part& part) {
        const double l0 = std::min(part.xa, part.xb) - span.from, r0 = std::max(part.xa, part.xb) - span.from;
        const auto first = static_cast<int32_t>(l0), last = std::max(first, CeilOf(r0) - 1);
        const Touched cells_touched{first, last + 2};
        if (touchedCount < MostParts) {
            touched[touchedCount] = cells_touched;
        } else {
            moreTouched.push_back(cells_touched);
        }
        ++touchedCount;
        if (first == last) {
            // Within one cell: right of its middle, its share of the cell.
            const double right = 1 - ((l0 + r0) / 2 - first);
            cells[first] += part.height * right;
            cells[first + 1] += part.height * (1 - right);
            return;
        }
        const double perColumn = part.height / (r0 - l0);
        for (int32_t x = first; x <= last; ++x) {
            // The part of the edge over this cell and its height.
            const double l = std::max(l0, static_cast<double>(x)), r = std::min(r0, x + 1.0);
            const double share = perColumn * (r - l), right = 1 - ((l + r) / 2 - x);
            cells[x] += share * right;
            cells[x + 1] += share * (1 - right);
        }
    };
    for (int i = 0; i < std::min(count, MostParts); ++i) add(parts[i]);
    for (const Part& part : more) add(part);
    Touched* all = touched;
    if (touchedCount > MostParts) {
        moreTouched.insert(moreTouched.begin(), touched, touched + MostParts);
        all = moreTouched.data();
    }
    std::sort(all, all + touchedCount, [](const Touched& a, const Touched& b) { return a.from < b.from; });
    // Summed along the row; between the cells edges touched the sum stays as it was.
    uint8_t* coverage = row.coverage;
    const auto level = [](double sum) { return static_cast<uint8_t>(std::min(std::abs(sum), 1.0) * 255 + 0.5); };
    double sum = 0;
    size_t x = 0;
    for (int i = 0; i < touchedCount; ++i) {
        const Touched& t = all[i];
        const auto from = static_cast<size_t>(t.from), to = std::min(static_cast<size_t>(t.to), width);
        if (x < from && from <= width) std::memset(coverage + x, level(sum), from - x), x = from;
        for (; x < to; ++x) {
            sum += cells[x];
            coverage[x] = level(sum);
        }
    }
    if (x < width) std::memset(coverage + x, level(sum), width - x);
    for (int i = 0; i < touchedCount; ++i) std::fill(cells + all[i].from, cells + all[i].to, 0.0);
    return row;
}

void PolygonCoverage::AddRow(int32_t y, int32_t left, int32_t width, uint8_t* into) {
    Span span{};
    const uint8_t* coverage = RowOf(y, span);
    const int32_t from = std::max(span.from, left), to = std::min(span.to, left + width);
    for (int32_t x = from; x < to; ++x) {
        uint8_t& out = into[x - left];
        out = static_cast<uint8_t>(std::min(255, out + coverage[x]));
    }
}
