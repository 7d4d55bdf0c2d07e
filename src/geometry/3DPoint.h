#pragma once

class C3DPoint {
public:
    C3DPoint() = default;
    C3DPoint(float x, float y, float z) : m_x(x), m_y(y), m_z(z) {}
    void SetPoint(float x, float y, float z)
    {
        m_x = x;
        m_y = y;
        m_z = z;
    }
    bool operator==(const C3DPoint&) const = default;

    float m_x = 0.0f;
    float m_y = 0.0f;
    float m_z = 0.0f;
};
