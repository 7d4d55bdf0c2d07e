#pragma once

// A kept crossing of a scan line with the material's boundary: its position
// along the line (x for lines in X, y for lines in Y). Held by value in its
// scan line.
class CScanPoint {
public:
    CScanPoint() = default;
    explicit CScanPoint(float value) : m_value(value) {}

    float m_value = 0.0f;
};
