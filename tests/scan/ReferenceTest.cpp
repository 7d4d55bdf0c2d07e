// The hatching sweep against a literal reference: edge lists walked from the
// head with sequential sorted insertion, a plain walk over the contour for
// every vertex, every hole's box tested on every line. Lines, directions and
// points must agree bit for bit.
#include "ScanFixtures.h"
#include "ScanReference.h"

#include "scan/ScanEdges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <list>
#include <random>

using namespace scantest;

namespace {

bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Random contours on a half-millimetre grid (vertices on the lines, level
// edges, shared heights), some nudged by less than the tolerance.
std::vector<C2DPoint> GridStar(std::mt19937& rng, float cx, float cy, float rMin, float rMax, int n)
{
    std::uniform_real_distribution<float> r(rMin, rMax);
    std::vector<C2DPoint> p;
    for (int k = 0; k < n; ++k) {
        const double a = 2 * M_PI * k / n;
        const float rad = r(rng);
        float x = std::round(static_cast<float>(cx + rad * std::cos(a)) * 2.0f) / 2.0f;
        float y = std::round(static_cast<float>(cy + rad * std::sin(a)) * 2.0f) / 2.0f;
        if (rng() % 6 == 0)
            y += (rng() % 2 ? 1 : -1) * 4.0e-6f * static_cast<float>(rng() % 3);
        if (rng() % 6 == 0)
            x += (rng() % 2 ? 1 : -1) * 4.0e-6f * static_cast<float>(rng() % 3);
        p.push_back({x, y});
        // now and then a point visited twice (self-touching) or a coordinate
        // that is not a number or infinite
        if (k > 2 && rng() % 25 == 0)
            p.push_back(p[rng() % p.size()]);
        if (rng() % 60 == 0)
            (rng() % 2 ? p.back().m_x : p.back().m_y) =
                rng() % 2 ? std::numeric_limits<float>::quiet_NaN() : std::numeric_limits<float>::infinity();
    }
    return p;
}

} // namespace

TEST(HatchReference, SweepMatchesTheLiteralAlgorithm)
{
    std::mt19937 rng(4242);
    int lines = 0;
    for (int round = 0; round < 150; ++round) {
        CSlice slice;
        CSliceLoop& outer = AddContour(slice, GridStar(rng, 25, 25, 10, 24, 4 + static_cast<int>(rng() % 120)), LOOP_OUTER);
        const int holes = static_cast<int>(rng() % 6);
        for (int k = 0; k < holes; ++k) {
            // holes may overlap each other or the outer contour: the sweep
            // must still agree with the literal algorithm
            std::uniform_real_distribution<float> at(15, 35);
            AttachHole(outer, AddContour(slice, GridStar(rng, at(rng), at(rng), 1, 5, 3 + static_cast<int>(rng() % 12)),
                                         LOOP_INNER));
        }
        Finish(slice);
        for (int axis : {0, 1}) {
            const float h = rng() % 2 ? 0.5f : 1.5f;
            const std::vector<RefLine> expected = RefHatch(outer, h, axis);
            Context ctx(h, axis == 0 ? ORIENT_X : ORIENT_Y);
            Hatch(ctx, slice);
            const std::size_t made = ctx.m_planes.empty() ? 0 : ctx.m_planes[0].m_paths.at(0).m_lines.size();
            ASSERT_EQ(made, expected.size()) << "round " << round << " axis " << axis;
            for (std::size_t k = 0; k < made; ++k) {
                const CScanLine& line = ctx.m_planes[0].m_paths[0].m_lines[k];
                const RefLine& ref = expected[k];
                ASSERT_TRUE(SameBits(line.m_coord, ref.c)) << "round " << round << " line " << k;
                ASSERT_EQ(line.m_direction, ref.direction) << "round " << round << " line " << k;
                ASSERT_EQ(line.m_scanPoints.size(), ref.points.size()) << "round " << round << " line " << k;
                for (std::size_t i = 0; i < ref.points.size(); ++i)
                    ASSERT_TRUE(SameBits(line.m_scanPoints[i].m_value, ref.points[i]))
                        << "round " << round << " line " << k << " point " << i;
            }
            lines += static_cast<int>(made);
        }
    }
    EXPECT_GT(lines, 5000);
}
