#pragma once
#include "spf/SpfDataDoc.h"

#include <string>

// The document's machine file: its data (header values, loaded planes,
// export and preview settings), the path of the file last opened and the
// open flag the file flows keep.
class CSpf {
public:
    // Reads the header of path (the file is closed again before returning);
    // on success the box and centre follow the header and the paths are
    // shown. A file that cannot be opened is reported; a bad header is not.
    bool Open(const std::string& path);
    // Drops the loaded planes.
    void Close();
    void DrawPlanes(int pause, IDrawSurface& surface, int w, int h, float zoom, float ox, float oy) const
    {
        m_data.DrawPlanes(pause, surface, w, h, zoom, ox, oy);
    }

    CSpfDataDoc m_data;
    std::string m_strFileName;
    bool m_bOpen = false;
};
