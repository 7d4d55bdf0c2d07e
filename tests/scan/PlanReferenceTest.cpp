// The column strategies against a literal reference: linked lists, recursion,
// every pair of columns compared. Random band structures on a small grid give
// overlapping, touching and disjoint neighbours.
#include "ScanFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <list>
#include <random>

using namespace scantest;

namespace {

struct Col {
    std::vector<C2DLine> vectors;
    std::list<Col*> children;
    std::vector<Col*> parents;
    bool visited = false;
    bool passed = false;
    std::list<C2DLine> leadIn;
    std::vector<C2DLine> leadOut;
};

bool Overlap(const C2DLine& p, const C2DLine& q)
{
    const bool y = IsNearlyEqual(p.m_ptStart.m_x, p.m_ptEnd.m_x);
    const float p0 = y ? p.m_ptStart.m_y : p.m_ptStart.m_x, p1 = y ? p.m_ptEnd.m_y : p.m_ptEnd.m_x;
    const float q0 = y ? q.m_ptStart.m_y : q.m_ptStart.m_x, q1 = y ? q.m_ptEnd.m_y : q.m_ptEnd.m_x;
    const float a = AbsF(p0 - p1), b = AbsF(q0 - q1);
    const float lo = std::min({p0, p1, q0, q1}), hi = std::max({p0, p1, q0, q1});
    const float span = hi - lo;
    return a + b > span;
}

C2DLine Junction(const C2DLine& pv, const C2DLine& qv, bool leadIn)
{
    float s[4] = {pv.m_ptStart.m_x, pv.m_ptEnd.m_x, qv.m_ptStart.m_x, qv.m_ptEnd.m_x};
    std::sort(s, s + 4);
    if (leadIn) {
        const bool rising = qv.m_ptStart.m_x < qv.m_ptEnd.m_x;
        return L(rising ? s[2] : s[1], pv.m_ptStart.m_y, rising ? s[1] : s[2], pv.m_ptEnd.m_y);
    }
    const bool rising = pv.m_ptStart.m_x < pv.m_ptEnd.m_x;
    return L(rising ? s[2] : s[1], qv.m_ptStart.m_y, rising ? s[1] : s[2], qv.m_ptEnd.m_y);
}

std::vector<C2DLine> RefOrder(const CPlanePath& path, int strategy)
{
    std::list<Col> store;
    std::vector<std::vector<Col*>> bands;
    bool first = true;
    for (const CScanLine& line : path.m_lines) {
        const std::size_t n = line.m_vectors.size();
        if (first || n != bands.back().size()) {
            bands.emplace_back();
            for (std::size_t j = 0; j < n; ++j)
                bands.back().push_back(&store.emplace_back());
        }
        first = false;
        for (std::size_t j = 0; j < n; ++j) {
            const std::uint32_t v = line.m_direction == LINE_ASCENDING ? line.m_vectors[j] : line.m_vectors[n - 1 - j];
            bands.back()[j]->vectors.push_back(path.m_vectors[v]);
        }
    }
    std::size_t total = 0;
    for (auto& b : bands)
        total += b.size();
    for (std::size_t b = 0; b + 1 < bands.size(); ++b)
        for (Col* a : bands[b])
            for (Col* c : bands[b + 1])
                if (Overlap(a->vectors.back(), c->vectors.front())) {
                    a->children.push_back(c);
                    c->parents.push_back(a);
                }
    std::vector<Col*> seq;
    auto place = [&](Col* c) {
        c->visited = true;
        seq.push_back(c);
    };
    std::function<void(Col*)> visit = [&](Col* c) {
        if (c->visited)
            return;
        place(c);
        while (!c->children.empty()) {
            Col* child = c->children.front();
            c->children.pop_front();
            visit(child);
        }
    };
    std::function<void(Col*)> descend = [&](Col* c) {
        if (c->visited)
            return;
        place(c);
        if (c->children.empty())
            return;
        std::list<Col*> dead, rest;
        for (Col* k : c->children)
            (k->children.empty() ? dead : rest).push_back(k);
        c->children = dead;
        c->children.splice(c->children.end(), rest);
        while (c->children.size() > 1) {
            Col* k = c->children.front();
            c->children.pop_front();
            if (!k->visited)
                place(k);
        }
        Col* last = c->children.front();
        c->children.pop_front();
        descend(last);
    };
    if (strategy == 2) {
        for (auto& b : bands)
            for (Col* c : b)
                place(c);
    } else if (strategy == 3) {
        for (auto& b : bands) {
            if (seq.size() == total)
                break;
            for (Col* c : b)
                visit(c);
        }
    } else {
        for (auto& b : bands) {
            if (seq.size() == total)
                break;
            if (b.empty())
                continue;
            std::stable_partition(b.begin(), b.end(), [](Col* c) { return c->children.empty(); });
            for (std::size_t j = 0; j + 1 < b.size(); ++j)
                if (!b[j]->visited)
                    place(b[j]);
            descend(b.back());
        }
    }
    for (std::size_t k = 1; k < seq.size(); ++k) {
        seq[k - 1]->passed = true;
        for (Col* p : seq[k]->parents) {
            if (p == seq[k - 1])
                continue;
            if (p->passed)
                seq[k]->leadIn.push_front(Junction(p->vectors.back(), seq[k]->vectors.front(), true));
            else
                p->leadOut.push_back(Junction(p->vectors.back(), seq[k]->vectors.front(), false));
        }
    }
    std::vector<C2DLine> out;
    for (Col* c : seq) {
        out.insert(out.end(), c->leadIn.begin(), c->leadIn.end());
        out.insert(out.end(), c->vectors.begin(), c->vectors.end());
        out.insert(out.end(), c->leadOut.begin(), c->leadOut.end());
    }
    return out;
}

// Lines of up to 14 vectors on a coarse grid (so that neighbours overlap, touch
// end to end or miss), alternating in direction as hatching makes them.
CPlanePath RandomPath(std::mt19937& rng)
{
    CPlanePath path;
    const int lines = 2 + static_cast<int>(rng() % 30);
    const int most = rng() % 2 ? 5 : 14;   // wide bands take the windowed linking
    const int grid = 6 * most;
    int count = 1 + static_cast<int>(rng() % 4);
    for (int l = 0; l < lines; ++l) {
        if (rng() % 3 == 0)
            count = static_cast<int>(rng() % (most + 1));
        // count disjoint intervals in increasing position
        std::vector<int> cuts;
        while (static_cast<int>(cuts.size()) < 2 * count) {
            const int x = static_cast<int>(rng() % static_cast<unsigned>(grid));
            if (std::find(cuts.begin(), cuts.end(), x) == cuts.end() || rng() % 4 == 0)
                cuts.push_back(x);
        }
        std::sort(cuts.begin(), cuts.end());
        CScanLine line;
        line.m_coord = static_cast<float>(l);
        line.m_direction = l % 2 ? LINE_DESCENDING : LINE_ASCENDING;
        std::vector<C2DLine> vecs;
        for (int j = 0; j < count; ++j)
            vecs.push_back(L(static_cast<float>(cuts[2 * j]), line.m_coord, static_cast<float>(cuts[2 * j + 1]) + 0.5f,
                             line.m_coord));
        if (line.m_direction == LINE_DESCENDING) {
            std::reverse(vecs.begin(), vecs.end());
            for (C2DLine& v : vecs)
                std::swap(v.m_ptStart, v.m_ptEnd);
        }
        for (const C2DLine& v : vecs) {
            line.m_vectors.push_back(static_cast<std::uint32_t>(path.m_vectors.size()));
            path.m_vectors.push_back(v);
        }
        path.m_lines.push_back(line);
    }
    return path;
}

} // namespace

TEST(PlanReference, ColumnStrategiesMatchTheLiteralAlgorithm)
{
    std::mt19937 rng(77);
    std::size_t junctions = 0;
    for (int round = 0; round < 400; ++round) {
        const CPlanePath original = RandomPath(rng);
        for (int strategy : {2, 3, 4}) {
            const std::vector<C2DLine> expected = RefOrder(original, strategy);
            CPlanePath path = original;
            path.Order(strategy);
            ASSERT_EQ(path.m_scanPath.size(), expected.size()) << "round " << round << " strategy " << strategy;
            ASSERT_TRUE(expected.empty() ||
                        std::memcmp(path.m_scanPath.data(), expected.data(), expected.size() * sizeof(C2DLine)) == 0)
                << "round " << round << " strategy " << strategy;
            junctions += expected.size() - original.m_vectors.size();
        }
    }
    EXPECT_GT(junctions, 500u);
}
