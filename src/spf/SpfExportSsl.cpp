// The SSL side of the export: an SSL file and its contour files as sources.
#include "spf/SpfExportSource.h"

#include "ssl/Ssl.h"

namespace {
struct SslSource : CSpfExport::Source {
    explicit SslSource(CSsl& ssl) : m_ssl(ssl) {}
    bool Open() override { return m_ssl.m_data.OpenReading(); }
    void Clear() override { m_ssl.m_data.ClearLayers(); }
    int ReadNext(PromptState& prompt) override
    {
        const int r = m_ssl.m_data.ReadNextLayer(prompt);
        return r == -1 ? -1 : (r == 0 ? 0 : 1);
    }
    void Close() override { m_ssl.m_data.CloseReading(); }
    std::vector<CSlice*> Layers() override { return SlicePointers(m_ssl.m_data.m_layers); }

    CSsl& m_ssl;
};
} // namespace

bool CSpfExport::SslOpen() const { return m_ssl && m_ssl->m_bOpen; }

std::int64_t CSpfExport::SslLayerCount() const { return m_ssl->m_data.m_nLayerCount; }

void CSpfExport::SslBoxes(std::vector<const C3DBox*>& boxes) const
{
    boxes.push_back(&m_ssl->m_data.m_box);
    for (CSsl* s : m_sslContours)
        boxes.push_back(&s->m_data.m_box);
}

void CSpfExport::FillHeaderFromSsl()
{
    FillHeader(m_ssl->m_data.m_box, m_ssl->m_data.m_nLayerCount, m_ssl->m_data.m_fThickness);
}

bool CSpfExport::ExportFromSsl(CByteStream& file)
{
    FillHeaderFromSsl();
    SslSource source(*m_ssl);
    std::vector<std::unique_ptr<Source>> contours;
    for (CSsl* s : m_sslContours)
        contours.push_back(std::make_unique<SslSource>(*s));
    return RunLayers(file, source, contours, false);
}

