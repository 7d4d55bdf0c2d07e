#include "ssl/Ssl.h"

bool CSsl::Open(const std::string& path)
{
    m_data.m_strFileName = path;
    if (!m_data.Measure(path))
        return false;
    m_data.m_bShowSlice = true;
    return true;
}

void CSsl::Close()
{
    m_data.CloseReading();
    Clear();
    m_data.m_bShowSlice = false;
}

void CSsl::Clear()
{
    m_data.ClearLayers();
    m_data.Reset();
}

void CSsl::Draw(IDrawSurface& surface, int w, int h, float zoom, float ox, float oy) const
{
    m_data.DrawLayers(surface, w, h, zoom, ox, oy);
}
