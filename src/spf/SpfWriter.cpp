#include "spf/SpfWriter.h"

#include "io/ByteStream.h"
#include "spf/SpfFormat.h"

#include <vector>

CSpfWriter::CSpfWriter(CByteStream& file, bool tagged, std::int64_t countOffset)
    : m_file(file), m_tagged(tagged), m_countOffset(countOffset)
{
}

bool CSpfWriter::BeginIndex(std::uint32_t layers)
{
    m_reserved = layers;
    m_written = 0;
    std::int64_t bytes = 0;
    if (m_tagged) {
        // n entries and the index end word; the end word's place is kept
        // even without layers, so it never lands on the file end word.
        m_indexPos = m_file.Tell();
        bytes = 4 * static_cast<std::int64_t>(layers) + 2;
    } else {
        m_indexPos = SPF_FIXED_INDEX_START;
        if (!Check(m_file.Seek(SPF_FIXED_INDEX_START)))
            return false;
        bytes = (static_cast<std::int64_t>(layers) + 15) / 16 * 64;
    }
    // The region is filled with zeros so that blocks can follow it directly.
    const std::vector<unsigned char> zeros(static_cast<std::size_t>(bytes), 0);
    if (!zeros.empty() && !Check(m_file.Write(zeros.data(), zeros.size())))
        return false;
    m_blockStart = m_file.Tell();
    return true;
}

bool CSpfWriter::BeginLayer(float thicknessMm)
{
    if (m_written >= m_reserved || !Check(m_file.Seek(m_blockStart)))
        return false;
    m_inLayer = true;
    if (!m_tagged)
        return true;
    return Check(m_file.WriteU16(SPF_LAYER_START) && m_file.WriteF32(thicknessMm / SPF_MM_PER_INCH));
}

bool CSpfWriter::EndLayer()
{
    if (!m_inLayer)
        return false;
    m_inLayer = false;
    if (!Check(m_file.WriteU16(SPF_LAYER_END)))
        return false;
    const std::int64_t next = m_file.Tell();
    if (!Check(m_file.Seek(m_indexPos) && m_file.WriteU32(static_cast<std::uint32_t>(m_blockStart))))
        return false;
    m_indexPos += 4;
    ++m_written;
    m_blockStart = next;
    return Check(m_file.Seek(m_blockStart));
}

bool CSpfWriter::Finish()
{
    // A block left open (a stop in the middle of a layer) is dropped: the
    // end word goes where it began.
    m_inLayer = false;
    if (!Check(m_file.Seek(m_blockStart) && m_file.WriteU16(SPF_FILE_END)))
        return false;
    const std::int64_t end = m_file.Tell();
    if (m_tagged && !Check(m_file.Seek(m_indexPos) && m_file.WriteU16(SPF_INDEX_END)))
        return false;
    if (m_written != m_reserved) {
        if (!Check(m_file.Seek(m_countOffset) && m_file.WriteU16(static_cast<std::uint16_t>(m_written))))
            return false;
    }
    return Check(m_file.Seek(end));
}
