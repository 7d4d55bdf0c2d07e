#include "io/FileStream.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t kBufferSize = 1 << 16;
}

bool CFileStream::Open(const std::string& path, Mode mode)
{
    Close();
    const char* how = mode == Mode::Read ? "rb" : mode == Mode::Write ? "w+b" : "r+b";
    m_file = std::fopen(path.c_str(), how);
    if (!m_file)
        return false;
    m_buf.resize(kBufferSize);
    m_pos = m_bufStart = 0;
    m_readLen = m_writeLen = 0;
    m_failed = false;
    m_size = 0;
    if (mode != Mode::Write) {
        if (std::fseek(m_file, 0, SEEK_END) == 0) {
            long end = std::ftell(m_file);
            m_size = end > 0 ? end : 0;
        }
        std::fseek(m_file, 0, SEEK_SET);
    }
    return true;
}

bool CFileStream::FlushWrites()
{
    if (m_writeLen == 0)
        return true;
    bool ok = std::fseek(m_file, static_cast<long>(m_bufStart), SEEK_SET) == 0 &&
              std::fwrite(m_buf.data(), 1, m_writeLen, m_file) == m_writeLen;
    m_writeLen = 0;
    if (!ok)
        m_failed = true;
    return ok;
}

bool CFileStream::Flush()
{
    if (!m_file)
        return false;
    bool ok = FlushWrites();
    return std::fflush(m_file) == 0 && ok && !m_failed;
}

bool CFileStream::Close()
{
    if (!m_file)
        return true;
    bool ok = FlushWrites();
    ok = std::fclose(m_file) == 0 && ok && !m_failed;
    m_file = nullptr;
    m_readLen = m_writeLen = 0;
    return ok;
}

bool CFileStream::Refill()
{
    m_bufStart = m_pos;
    m_readLen = 0;
    if (std::fseek(m_file, static_cast<long>(m_pos), SEEK_SET) != 0)
        return false;
    m_readLen = std::fread(m_buf.data(), 1, m_buf.size(), m_file);
    return m_readLen > 0;
}

std::size_t CFileStream::Read(void* dst, std::size_t n)
{
    if (!m_file || n == 0)
        return 0;
    if (m_writeLen && !FlushWrites())
        return 0;
    auto* out = static_cast<unsigned char*>(dst);
    std::size_t done = 0;
    while (done < n) {
        if (m_pos < m_bufStart || m_pos >= m_bufStart + static_cast<std::int64_t>(m_readLen)) {
            if (n - done >= m_buf.size()) {
                // Large reads bypass the buffer.
                m_readLen = 0;
                if (std::fseek(m_file, static_cast<long>(m_pos), SEEK_SET) != 0)
                    break;
                std::size_t got = std::fread(out + done, 1, n - done, m_file);
                done += got;
                m_pos += static_cast<std::int64_t>(got);
                break;
            }
            if (!Refill())
                break;
        }
        const std::size_t offset = static_cast<std::size_t>(m_pos - m_bufStart);
        const std::size_t count = std::min(n - done, m_readLen - offset);
        std::memcpy(out + done, m_buf.data() + offset, count);
        done += count;
        m_pos += static_cast<std::int64_t>(count);
    }
    return done;
}

bool CFileStream::Write(const void* src, std::size_t n)
{
    if (!m_file)
        return false;
    m_readLen = 0;   // read-ahead is stale once we write
    const auto* in = static_cast<const unsigned char*>(src);
    while (n > 0) {
        // Pending writes are one contiguous run from m_bufStart. A write inside
        // or right after that run (patching a count written a moment ago, or
        // appending) stays in the buffer; anything else flushes it first.
        const std::int64_t runEnd = m_bufStart + static_cast<std::int64_t>(m_writeLen);
        const bool inRun = m_writeLen && m_pos >= m_bufStart && m_pos <= runEnd &&
                           m_pos < m_bufStart + static_cast<std::int64_t>(m_buf.size());
        if (m_writeLen && !inRun && !FlushWrites())
            return false;
        if (m_writeLen == 0)
            m_bufStart = m_pos;
        const std::size_t offset = static_cast<std::size_t>(m_pos - m_bufStart);
        const std::size_t count = std::min(n, m_buf.size() - offset);
        std::memcpy(m_buf.data() + offset, in, count);
        m_writeLen = std::max(m_writeLen, offset + count);
        m_pos += static_cast<std::int64_t>(count);
        m_size = std::max(m_size, m_pos);
        in += count;
        n -= count;
    }
    return true;
}

bool CFileStream::Seek(std::int64_t pos)
{
    if (!m_file || pos < 0 || pos > m_size)
        return false;
    m_pos = pos;
    return true;
}
