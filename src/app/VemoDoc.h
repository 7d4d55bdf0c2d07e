#pragma once
#include "cli/Cli.h"
#include "geometry/2DBox.h"
#include "geometry/3DPoint.h"
#include "spf/Spf.h"
#include "ssl/Ssl.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CSimulationSurface;
class IDrawSurface;

// The one document: a holder of each file kind, the contour (border) files
// loaded beside the main file, and what the view shows.
class CVemoDoc {
public:
    CVemoDoc();
    CVemoDoc(const CVemoDoc&) = delete;
    CVemoDoc& operator=(const CVemoDoc&) = delete;

    // Draws the layers in memory: SSL contours with the SSL contour files,
    // CLI contours with the CLI contour files, then the SPF scan paths. Nothing
    // waits while drawing: with a simulation surface the scan paths go through
    // it path by path (simulation mode reveals them line by line), otherwise
    // they are drawn whole.
    void DrawHolders(IDrawSurface& surface, int w, int h, float zoom, float ox, float oy,
                     CSimulationSurface* simulation = nullptr) const;

    // The Slice command: the SSL holder's show flag when an SSL file is open,
    // otherwise the CLI holder's when a CLI file is open.
    void ToggleSlice();
    // The Scan Paths command; switching the paths off ends simulation mode.
    void TogglePaths();

    // The document's title: the path of the main file last opened. The
    // application also keeps it first in the list of the 4 files opened last.
    void SetPathName(const std::string& path);

    // Closes and drops every contour holder of one kind.
    void CloseSslContours();
    void CloseCliContours();

    std::string m_strPathName;
    bool m_bKeepRecentFiles = false;   // set by the application, not by tests

    CSsl m_ssl;
    CSpf m_spf;
    CCli m_cli;
    std::vector<std::unique_ptr<CSsl>> m_sslContours;   // in load order
    std::vector<std::unique_ptr<CCli>> m_cliContours;
    bool m_bDisplay = false;
    C3DPoint m_centre;
    std::uint16_t m_nFileKind = 0;
    C2DBox m_blank;
    // The scan line and line order directions of hatching live in the SPF
    // holder's hatching context (m_spf.m_data.m_nLineDir, m_nScanDirX, m_nScanDirY).
};
