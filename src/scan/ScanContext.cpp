#include "scan/ScanContext.h"

std::vector<CSlice*> CScanContext::LayerSlices()
{
    if (m_nFileKind == 1 || m_nFileKind == 2)
        return m_slices;
    return {};
}

void CScanContext::BuildPlaneVectors()
{
    for (CScanPlane& plane : m_planes)
        plane.BuildVectors(m_hatchSpace);
}
