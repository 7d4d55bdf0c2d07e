#include "spf/Spf.h"

#include "io/FileStream.h"
#include "platform/Platform.h"
#include "platform/Texts.h"

bool CSpf::Open(const std::string& path)
{
    m_strFileName = path;
    CFileStream file;
    if (!file.Open(path, CFileStream::Mode::Read)) {
        ShowMessage(Tr("SpfFileNotOpened"), Tr(5002), MsgIcon::Information, MsgButtons::Ok);
        return false;
    }
    if (!m_data.ReadHeader(file))
        return false;
    m_data.UpdateBox();
    m_data.UpdateCentre();
    m_data.m_bShowPaths = true;
    return true;
}

void CSpf::Close() { m_data.ClearPlanes(); }
