#include "app/VemoDoc.h"

#include "app/SimulationSurface.h"

#include <QSettings>
#include <QStringList>

CVemoDoc::CVemoDoc()
{
    m_blank.m_ptMin.SetPoint(0.0f, 0.0f);
    m_blank.m_ptMax.SetPoint(0.0f, 0.0f);
}

void CVemoDoc::DrawHolders(IDrawSurface& surface, int w, int h, float zoom, float ox, float oy,
                           CSimulationSurface* simulation) const
{
    if (!m_bDisplay)
        return;
    // Contour files are drawn with their main holder, each in its own colour.
    if (m_ssl.m_data.m_bShowSlice) {
        m_ssl.Draw(surface, w, h, zoom, ox, oy);
        for (const auto& holder : m_sslContours)
            if (holder)
                holder->Draw(surface, w, h, zoom, ox, oy);
    }
    if (m_cli.m_data.m_bLoaded) {
        m_cli.m_data.DrawLayers(surface, w, h, zoom, ox, oy);
        for (const auto& holder : m_cliContours)
            if (holder)
                holder->m_data.DrawLayers(surface, w, h, zoom, ox, oy);
    }
    if (!m_spf.m_data.m_bShowPaths)
        return;
    if (!simulation) {
        m_spf.DrawPlanes(0, surface, w, h, zoom, ox, oy);
        return;
    }
    const auto& data = m_spf.m_data;
    for (const CScanPlane& plane : data.m_planes)
        for (const CPlanePath& path : plane.m_paths) {
            simulation->BeginPath();
            path.DrawPaths(0, *simulation, w, h, data.m_crPaths, data.m_bJumpTrack ? 1 : 0, zoom, ox, oy);
        }
}

void CVemoDoc::ToggleSlice()
{
    if (m_ssl.m_bOpen)
        m_ssl.m_data.m_bShowSlice = !m_ssl.m_data.m_bShowSlice;
    else if (m_cli.m_bOpen)
        m_cli.m_data.m_bLoaded = !m_cli.m_data.m_bLoaded;
}

void CVemoDoc::TogglePaths()
{
    m_spf.m_data.m_bShowPaths = !m_spf.m_data.m_bShowPaths;
    if (!m_spf.m_data.m_bShowPaths)
        m_spf.m_data.m_bSimulation = false;
}

void CVemoDoc::CloseSslContours()
{
    for (auto& holder : m_sslContours)
        if (holder)
            holder->Close();
    m_sslContours.clear();
}

void CVemoDoc::CloseCliContours()
{
    for (auto& holder : m_cliContours)
        if (holder)
            holder->Close();
    m_cliContours.clear();
}

void CVemoDoc::SetPathName(const std::string& path)
{
    m_strPathName = path;
    if (!m_bKeepRecentFiles)
        return;
    QSettings settings;
    QStringList files = settings.value(QStringLiteral("Recent File List")).toStringList();
    const QString entry = QString::fromStdString(path);
    files.removeAll(entry);
    files.prepend(entry);
    while (files.size() > 4)
        files.removeLast();
    settings.setValue(QStringLiteral("Recent File List"), files);
}
