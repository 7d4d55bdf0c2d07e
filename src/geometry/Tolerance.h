#pragma once

// The one geometric tolerance: point identity, value equality, collinearity
// and the smallest allowed scale. Comparisons in double use the double value
// of this same float.
inline constexpr float GEOM_TOLERANCE = 0.00001f;
// Starting value of every bounding box; coordinates are expected within +-9999 mm.
inline constexpr float BOX_LIMIT = 9999.0f;
// The scaled machine-word coding stores y as this base minus the scaled value.
inline constexpr int WORD_Y_BASE = 5000;
// The normalised machine-word coding maps 0..2000 mm onto 0..65535.
inline constexpr float WORD_RANGE_MM = 2000.0f;
inline constexpr float WORD_RANGE_MAX = 65535.0f;
// Window mapping: the model square -320..320 fills the window height.
inline constexpr double SCREEN_BASE = 320.0;
inline constexpr double SCREEN_BASE_INV = 0.003125;

// Absolute value of a float (negative values negated, others unchanged).
inline float AbsF(float v) { return v < 0.0f ? -v : v; }
// True when |a - b| < tolerance (strict, unlike IsSamePoint which accepts equality).
inline bool IsNearlyEqual(float a, float b)
{
    const float d = a - b;
    return AbsF(d) < GEOM_TOLERANCE;
}
