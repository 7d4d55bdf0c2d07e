#pragma once
#include "scan/ScanPlane.h"

#include <cstdint>
#include <vector>

class CSlice;

// Scan orientations of the hatching context.
enum : int { ORIENT_X = 0, ORIENT_Y = 1, ORIENT_ALTERNATE = 2 };

// The hatching context: the settings and running state hatching reads and
// updates, and the scan planes of the current layer. The machine-file data
// document derives from it, the desktop document provides it through that.
class CScanContext {
public:
    virtual ~CScanContext() = default;

    // The slices of the layer to hatch. The default hands out m_slices when
    // m_nFileKind is 1 (SSL) or 2 (CLI) and nothing otherwise; a document
    // overrides it to pick the layers of its SSL or CLI holder.
    virtual std::vector<CSlice*> LayerSlices();

    // Removes and destroys every scan plane.
    void ClearPlanes() { m_planes.clear(); }
    // Every plane builds its hatch vectors with m_hatchSpace.
    void BuildPlaneVectors();

    std::vector<CScanPlane> m_planes;        // scan planes of the current layer, slice order
    float m_hatchSpace = 0.1f;               // mm between scan lines; vectors must be longer
    int m_orientation = ORIENT_X;            // 0 X, 1 Y, 2 alternate; others hatch nothing
    int m_alternateState = 0;                // alternate: 0 next layer in X, 1 in Y
    int m_nLineDir = 5;                      // direction of the next scan line (5 / 6)
    int m_nScanDirX = 7;                     // line order of the next slice in X (7 / 8)
    int m_nScanDirY = 7;                     // the same in Y
    std::uint16_t m_nFileKind = 0;           // 0 none, 1 SSL, 2 CLI, 3 SPF
    std::vector<CSlice*> m_slices;           // layer slices for the default LayerSlices
};
