#pragma once
#include "geometry/3DBox.h"
#include "geometry/3DPoint.h"
#include "io/FileStream.h"
#include "layer/Slice.h"
#include "platform/DrawSurface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCliCommandReader;

// What a layer read met at its start, whether or not it kept a layer: a
// layer start of the given kind (1 long, 2 short) at height z (mm).
struct CCliLayerStart {
    bool started = false;
    int kind = 0;
    float z = 0.0f;
};

// ReadNextLayer flags.
enum : unsigned {
    // Keep a layer that has hatch records but no contour (writing a file's
    // own hatches); such a layer is returned with result 1 and no topology.
    CLI_READ_KEEP_HATCH_ONLY = 1u,
};

// One CLI file: its header, its extent, and the layers currently loaded. The
// file is measured once when it is loaded and read a layer at a time later.
class CCliDataDoc {
public:
    enum class HeaderUse {
        Full,          // the first reading of a load: every keyword is applied
        Positioning,   // later readings: LAYERS and DIMENSION keep the measured values
    };

    CCliDataDoc() { ResetHeader(); }
    ~CCliDataDoc();
    CCliDataDoc(const CCliDataDoc&) = delete;
    CCliDataDoc& operator=(const CCliDataDoc&) = delete;

    void ResetHeader();
    // Measures the file: header, extent and layer count, thickness, centre.
    bool LoadFile(const std::string& path);
    bool ScanExtents(const std::string& path);
    bool ScanThickness(const std::string& path);

    // Opens (or rewinds) the layer file and places it at the first command.
    bool OpenLayerFile();
    void CloseLayerFile();
    void ClearLayers();
    // Reads the next layer into m_layers: 1 read, 0 nothing kept, 2 the user
    // chose to stop, 3 kept after a topology error the user let pass.
    int ReadNextLayer(PromptState& prompt, CCliLayerStart* start = nullptr, unsigned flags = 0);
    // Reads the n-th layer (1-based) without asking; 0 when there is no such layer.
    int ReadLayerAt(int n, int& kind);
    // Reads the next layer as it is stored, without topology: 1 read, 0 none.
    int ReadLayerRaw(CCliLayerStart* start = nullptr);
    // False when the header never reaches "$$HEADEREND".
    bool ReadHeader(CByteStream& file, HeaderUse use = HeaderUse::Positioning);
    // True when the layer file has no command left.
    bool AtEndOfLayers() const { return !m_bFileOpen || m_file.AtEnd(); }
    bool IsText() const { return m_nFormat == 2; }

    // Structural check of the file's commands; shows its verdict.
    bool VerifyFile();
    bool WriteHeader(CByteStream& out) const;
    // Writes a copy moved so that the part's extent starts at the origin.
    bool SaveAtOrigin(const std::string& path);
    // Rewrites the file with layer n replaced by a copy of its neighbour.
    bool ReplaceLayer(int n);

    void DrawLayers(IDrawSurface& surface, int w, int h, float zoom, float ox, float oy) const;

    std::string m_strPathName;
    CFileStream m_file;
    bool m_bFileOpen = false;
    C3DPoint m_ptCentre;
    C3DBox m_box;
    std::vector<std::unique_ptr<CSlice>> m_layers;
    float m_fLayerThickness = 1.0f;
    std::int32_t m_nFormat = 1;
    float m_fUnits = 1.0f;
    std::int32_t m_nVersion = 1;
    std::int32_t m_nDate = 0;
    std::int32_t m_nLayers = 0;
    std::int32_t m_nHeaderLayers = 0;   // the layer count the header states
    bool m_bAlign = false;
    std::int32_t m_nLabel = 1;
    bool m_bLoaded = false;
    Colour m_crColour = MakeRgb(0, 0, 255);

private:
    void ApplyKeyword(const std::string& keyword, const std::string& parameter, HeaderUse use);
    void ParseDimension(const std::string& parameter);
    // Reads on until a layer start has been met; false at the end of the file.
    bool ReadRawUntilStart(CCliLayerStart& start);
    bool WriteReadLayer(CByteStream& out, const CCliLayerStart& start, const C3DPoint* offset);
};
