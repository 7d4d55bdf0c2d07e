#include "io/MemoryStream.h"

#include <algorithm>
#include <cstring>

std::size_t CMemoryStream::Read(void* dst, std::size_t n)
{
    const std::size_t left = m_pos < m_bytes.size() ? m_bytes.size() - m_pos : 0;
    const std::size_t count = std::min(n, left);
    if (count)
        std::memcpy(dst, m_bytes.data() + m_pos, count);
    m_pos += count;
    return count;
}

bool CMemoryStream::Write(const void* src, std::size_t n)
{
    if (m_pos + n > m_bytes.size())
        m_bytes.resize(m_pos + n);
    if (n)
        std::memcpy(m_bytes.data() + m_pos, src, n);
    m_pos += n;
    return true;
}

bool CMemoryStream::Seek(std::int64_t pos)
{
    if (pos < 0 || pos > Size())
        return false;
    m_pos = static_cast<std::size_t>(pos);
    return true;
}
