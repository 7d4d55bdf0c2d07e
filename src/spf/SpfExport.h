#pragma once
#include "geometry/3DBox.h"
#include "layer/Slice.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CByteStream;
class CCli;
class CSpf;
class CSsl;

// File kinds of the document.
enum : std::uint16_t { FILE_KIND_NONE = 0, FILE_KIND_SSL = 1, FILE_KIND_CLI = 2, FILE_KIND_SPF = 3 };

// The export: turns the open slice file (SSL or CLI) into a machine file,
// layer by layer. Each layer is read, hatched and ordered (or, in CLI-hatch
// mode, taken as the file carries it) and written with the contours of the
// contour files before or after it. Progress goes to the platform's status
// writer; the loop stops between layers once m_bExporting is cleared.
//
// The options (hatch space, orientation, strategy, connected, contour
// option) are those of the machine file's data, set by the caller.
class CSpfExport {
public:
    explicit CSpfExport(CSpf& spf);
    ~CSpfExport();
    CSpfExport(const CSpfExport&) = delete;
    CSpfExport& operator=(const CSpfExport&) = delete;

    // Sets the file kind from the open flags of the machine file and the
    // sources: SPF, then SSL, then CLI, a later rule overriding an earlier
    // one; nothing open keeps the kind. WriteSpfFile runs it first.
    void UpdateFileKind();

    // Writes the machine file at path. The file is written beside the
    // target under a temporary name and moved over it only when the export
    // succeeds or the user keeps a stopped file. A part whose box lies
    // outside the machine field is refused before anything is written.
    bool WriteSpfFile(const std::string& path, bool cliHatchMode);
    bool ExportFromSsl(CByteStream& file);
    bool ExportFromCli(CByteStream& file, bool cliHatchMode);
    void FillHeaderFromSsl();
    void FillHeaderFromCli();
    // False (with a message naming the box) when the part or a contour file
    // reaches outside 0 to 2000 mm, the coordinates the file can store.
    bool CheckMachineField();

    // Sources: the main files and the contour files of the source's kind.
    CCli* m_cli = nullptr;
    CSsl* m_ssl = nullptr;
    std::vector<CCli*> m_cliContours;
    std::vector<CSsl*> m_sslContours;

    PromptState m_nTopologyReply = PROMPT_ASK;
    // Cleared from outside (Escape, Ctrl-C) to stop at the next layer.
    std::atomic<bool> m_bExporting{false};
    // Called after every layer written with (k, n); a front end redraws or
    // shows its progress there.
    std::function<void(std::uint32_t, std::uint32_t)> m_onLayer;

    // Results of the last export.
    std::int64_t m_elapsedMs = 0;
    std::uint32_t m_nLayersWritten = 0;
    std::int64_t m_nVectors = 0;
    bool m_bWriteFailed = false;
    // A stopped export whose layers the user chose to keep.
    bool m_bKeptStopped = false;
    // A CLI-hatch layer reached outside the machine field (nothing is kept).
    bool m_bOutsideField = false;

    struct Source;

private:
    // The SSL side (its own file): the source's layer count and boxes.
    bool SslOpen() const;
    std::int64_t SslLayerCount() const;
    void SslBoxes(std::vector<const C3DBox*>& boxes) const;
    bool RunLayers(CByteStream& file, Source& source, std::vector<std::unique_ptr<Source>>& contours,
                   bool cliHatchMode);
    void FillHeader(const C3DBox& box, std::int64_t layers, float thickness);

    CSpf& m_spf;
};
