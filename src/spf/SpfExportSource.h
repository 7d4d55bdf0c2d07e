#pragma once
#include "spf/SpfExport.h"

// One slice file read layer by layer, whatever its kind (export internals).
struct CSpfExport::Source {
    virtual ~Source() = default;
    virtual bool Open() = 0;
    virtual void Clear() = 0;
    // 1 a layer read, 0 nothing read, -1 the user chose to stop.
    virtual int ReadNext(PromptState& prompt) = 0;
    virtual void Close() = 0;
    // The layers read by the last ReadNext.
    virtual std::vector<CSlice*> Layers() = 0;

    CSlice* FirstLayer()
    {
        const auto layers = Layers();
        return layers.empty() ? nullptr : layers.front();
    }
};

// The layers of a holder's list, whatever its element type.
inline CSlice* SlicePointer(CSlice& s) { return &s; }
inline CSlice* SlicePointer(CSlice* s) { return s; }
inline CSlice* SlicePointer(const std::unique_ptr<CSlice>& s) { return s.get(); }
template <class List> std::vector<CSlice*> SlicePointers(List& list)
{
    std::vector<CSlice*> out;
    for (auto& item : list)
        out.push_back(SlicePointer(item));
    return out;
}

