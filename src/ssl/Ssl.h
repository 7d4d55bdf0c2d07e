#pragma once
#include "ssl/SslDataDoc.h"

#include <string>

// An open SSL file as the document holds it (the main file or a contour file).
class CSsl {
public:
    CSsl() = default;
    CSsl(const CSsl&) = delete;
    CSsl& operator=(const CSsl&) = delete;

    // Measures the file; on success its slices are shown.
    bool Open(const std::string& path);
    // Ends the sequential reading, drops the layers and resets the holder.
    void Close();
    // Drops the layers and resets the holder.
    void Clear();
    // Every layer in memory, outer contours in the holder's colour.
    void Draw(IDrawSurface& surface, int w, int h, float zoom, float ox, float oy) const;
    // A copy moved by the part box minimum.
    bool SaveMoved(const std::string& path) { return m_data.WriteMoved(path); }

    CSslDataDoc m_data;
    bool m_bOpen = false;
};
