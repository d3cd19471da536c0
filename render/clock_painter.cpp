#include "render/clock_painter.h"

bool RunsClockwise(const FloatPoint* points, int count) {
    // Twice the signed area; with y pointing down a positive sum turns clockwise on the screen.
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        const FloatPoint& a = points[i];
        const FloatPoint& b = points[(i + 1) % count];
        sum += static_cast<double>(a.x) * b.y - static_cast<double>(b.x) * a.y;
    }
    return sum > 0;
}
