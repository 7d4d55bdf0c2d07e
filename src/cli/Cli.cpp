#include "cli/Cli.h"

bool CCli::Load(const std::string& path)
{
    m_data.m_strPathName = path;
    const bool ok = m_data.LoadFile(path);
    if (ok)
        m_data.m_bLoaded = true;
    return ok;
}

void CCli::Clear()
{
    m_data.CloseLayerFile();
    m_data.ClearLayers();
    m_data.ResetHeader();
}

void CCli::Close()
{
    Clear();
    m_data.m_bLoaded = false;
}
