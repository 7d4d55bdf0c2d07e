#pragma once
#include "geometry/3DBox.h"
#include "geometry/3DPoint.h"
#include "layer/Slice.h"
#include "layer/SslTokenReader.h"
#include "platform/DrawSurface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The data of an open SSL file: its measures, the layers in memory and the
// text stream of the sequential reading.
//
// An SSL file is a white-space separated text in inches: "Slice" and three
// header tokens, then per layer "Z", height, thickness and contours (x y
// pairs closed by "C", the last one of a layer also by the next "Z" or
// "END"), then "END".
class CSslDataDoc {
public:
    CSslDataDoc() { Reset(); }
    CSslDataDoc(const CSslDataDoc&) = delete;
    CSslDataDoc& operator=(const CSslDataDoc&) = delete;

    // Empty path, empty box, centre (0, 0, 0), no layers counted, thickness
    // 1 mm, no stream, flags false, colour blue. The layers in memory stay.
    void Reset();

    // First pass: counts the layers ("Z"), folds every coordinate into the
    // box and keeps the first layer's thickness. A file that ends without
    // "END" counts what it holds. False when the file cannot be opened or
    // does not start with "Slice" (after telling the user, who may retry) or
    // when the user cancels; the box is then (0, 0, 0) at both corners.
    bool Measure(const std::string& path);

    // Checks the whole file layer by layer and tells the user the verdict:
    // true when the caller should go on and load the file (sound, or the
    // user chose to go on despite empty contours or a cancelled check).
    bool Verify(const std::string& path);
    // The verdict of the last Verify.
    enum class Verdict { Right, FormatError, EmptyContours, Cancelled };
    Verdict m_lastVerdict = Verdict::Right;

    // Sequential reading of m_strFileName: OpenReading stands just after the
    // first layer's "Z" (false, silently, when the file cannot be opened or
    // its fifth token is not "Z"); ReadNextLayer appends one layer to
    // m_layers and returns 1, 0 when no usable layer was read, -1 when the
    // user chose to stop at a topology question.
    bool OpenReading();
    int ReadNextLayer(PromptState& prompt);
    void ClearLayers() { m_layers.clear(); }
    void CloseReading();

    // Writes a copy of the file moved by the box minimum (x, y and z) to path,
    // readable again by Measure, Verify and OpenReading. The target is only
    // replaced once the copy is complete.
    bool WriteMoved(const std::string& path);

    void DrawLayers(IDrawSurface& surface, int w, int h, float zoom, float ox, float oy) const;

    std::string m_strFileName;
    C3DPoint m_centre;
    C3DBox m_box;
    std::vector<std::unique_ptr<CSlice>> m_layers;
    std::int32_t m_nLayerCount = 0;
    float m_fThickness = 1.0f;       // mm: the first layer's thickness once measured
    std::unique_ptr<CSslTokenReader> m_stream;
    bool m_bReading = false;
    bool m_bShowSlice = false;
    Colour m_crSlice = MakeRgb(0, 0, 255);
};
