// The machine-file reader on arbitrary bytes: header (both layouts), index
// and layer blocks, as the preview, info and dump read them.
#include "io/MemoryStream.h"
#include "platform/Platform.h"
#include "spf/SpfDataDoc.h"
#include "spf/SpfRecords.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CMemoryStream file(data, size);
    CSpfDataDoc doc;
    if (!doc.ReadHeader(file))
        return 0;
    doc.UpdateBox();
    doc.UpdateCentre();
    const std::uint32_t n = doc.m_nLayerCount;
    // Every layer of small files; the first, the last and the ones beyond of large ones.
    std::vector<std::uint32_t> layers = {0, n + 1, 0xFFFFFFFFu};
    for (std::uint32_t k = 1; k <= n && k <= 32; ++k)
        layers.push_back(k);
    if (n > 32)
        layers.push_back(n);
    for (std::uint32_t k : layers) {
        doc.ClearPlanes();
        doc.LoadLayer(file, k);
        std::int64_t offset = 0, bytes = 0;
        if (doc.LocateLayer(file, k, offset, bytes)) {
            std::vector<SpfRecord> records;
            std::vector<C2DLine> lines;
            if (doc.m_taggedLayout == 1) {
                ReadTaggedBlock(file, offset, records);
                for (const SpfRecord& r : records)
                    AppendRecordLines(r, lines);
            } else {
                ReadFixedBlock(file, offset, bytes, doc.m_hatchSpace, lines);
            }
        }
    }
    return 0;
}
