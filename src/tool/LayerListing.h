#pragma once
#include <cstddef>
#include <string>

class CSlice;

// The per-layer figures `info --layers` prints for slice files (CLI and SSL alike).
struct CLayerFigures {
    int index = 0;
    float z = 0;
    std::size_t contours = 0, outer = 0, holes = 0, points = 0, hatches = 0, vectors = 0;
};

// Figures of a layer read at height z; a layer that yielded nothing has only its height.
CLayerFigures FiguresOf(int index, float z, const CSlice* layer);

// Starts the listing (the table heading, or the JSON "layer" array).
void PrintLayerListStart(bool json);
void PrintLayer(const CLayerFigures& f, bool json);
void PrintLayerListEnd(bool json, int count);
