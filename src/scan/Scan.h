#pragma once

class CScanContext;

// The scan engine: hatching a layer with parallel scan lines and ordering
// the hatch vectors into scan paths. It keeps no state of its own.
class CScan {
public:
    // Chooses the layer's orientation (alternating when asked), hatches every
    // slice of ctx.LayerSlices() into new scan planes appended to m_planes and
    // builds their vectors. Always 1.
    static int HatchLayer(CScanContext& ctx);
    // Path planning of every plane path of every scan plane.
    static void OrderLayer(CScanContext& ctx, int strategy);
};
