#pragma once
#include <cstdint>

// Crossing kinds of a provisional crossing.
enum : int {
    CROSS_EDGE = 1,           // an edge crosses the line between its ends
    CROSS_PASS = 2,           // a vertex on the line, the contour passes through
    CROSS_PASS_FIRST = 3,     // first of a paired kind-2 report
    CROSS_PASS_SECOND = 4,    // second of a paired kind-2 report
    CROSS_TOUCH = 5,          // a vertex on the line, the contour only touches it
    CROSS_TOUCH_FIRST = 6,    // first of a paired kind-5 report
    CROSS_TOUCH_SECOND = 7,   // second of a paired kind-5 report
};

// A provisional crossing of one contour with one scan line; it lives only
// while that contour is crossed with that line.
class CPrimScanPoint {
public:
    CPrimScanPoint() = default;
    CPrimScanPoint(float value, int kind) : m_kind(kind), m_value(value) {}

    int m_kind = CROSS_EDGE;
    std::uint8_t m_keep = 0;   // 1: becomes a scan point
    float m_value = 0.0f;      // position along the line
};
