#pragma once
#include "geometry/2DPoint.h"
#include "geometry/P2DLine.h"

#include <vector>

class CSlice;
class CSliceLoop;

// Edge tables for the hatching sweep. axis 0 keys the table on y (scan lines
// in X), axis 1 on x (scan lines in Y); the key is the sweep coordinate.

// Sweep coordinate of a point for the axis (0: y, 1: x).
inline float SweepOf(const C2DPoint& p, int axis) { return axis == 0 ? p.m_y : p.m_x; }

// Inserts an edge (m_pFirst the end with the smaller sweep coordinate) before
// the first edge E of the table for which the new edge's lower end is
// strictly smaller, or nearly equal with a strictly smaller upper end; at the
// tail when there is none.
void InsertScanEdge(std::vector<CP2DLine>& table, const CP2DLine& edge, int axis);

// Rebuilds the contour's m_edges as its edge table: one edge per pair of
// consecutive points (the closing pair included) running from the smaller to
// the larger sweep coordinate, none for a pair with exactly equal sweep
// coordinates, ordered as InsertScanEdge orders them. Any other axis leaves
// the contour untouched.
void BuildScanEdges(CSliceLoop& loop, int axis);
// The same for every contour of the layer.
void BuildScanEdges(CSlice& slice, int axis);

// Vertex rule for a vertex v lying on a scan line: how many of the contour's
// two sides leave the line towards larger sweep coordinates, looking past one
// neighbour that lies on the line (0, 1 or 2). -1 when the contour has no
// points or no point is the same as v, -2 when it has fewer than 3 points.
int VertexSideCount(const CSliceLoop& loop, const C2DPoint& v, int axis);
