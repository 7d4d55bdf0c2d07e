#include "scan/ScanLine.h"

#include <cstddef>

int CScanLine::AddPoint(const CScanPoint* point)
{
    if (!point)
        return 0;
    if (m_scanPoints.empty()) {
        m_scanPoints.push_back(*point);
        return 1;
    }
    const bool ascending = m_direction == LINE_ASCENDING;
    const float v = point->m_value;
    std::size_t pos = m_scanPoints.size();
    for (std::size_t k = 0; k < m_scanPoints.size(); ++k) {
        const float e = m_scanPoints[k].m_value;
        if (ascending ? e > v : e < v) {
            pos = k;
            break;
        }
    }
    m_scanPoints.insert(m_scanPoints.begin() + static_cast<std::ptrdiff_t>(pos), *point);
    return 3;
}
