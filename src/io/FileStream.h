#pragma once
#include "io/ByteStream.h"

#include <cstdio>
#include <string>
#include <vector>

// A buffered file as a byte stream. Reads are served from a read-ahead
// buffer, writes are collected and flushed on seek, Flush or Close, so small
// little-endian values cost no system call each.
class CFileStream : public CByteStream {
public:
    enum class Mode { Read, Write /* create or truncate */, ReadWrite /* existing file */ };

    CFileStream() = default;
    ~CFileStream() override { Close(); }
    CFileStream(const CFileStream&) = delete;
    CFileStream& operator=(const CFileStream&) = delete;

    bool Open(const std::string& path, Mode mode);
    bool IsOpen() const { return m_file != nullptr; }
    bool Flush();
    // Closes the file; false when buffered data could not be written.
    bool Close();

    std::size_t Read(void* dst, std::size_t n) override;
    bool Write(const void* src, std::size_t n) override;
    std::int64_t Tell() const override { return m_pos; }
    bool Seek(std::int64_t pos) override;
    std::int64_t Size() const override { return m_size; }
    bool Failed() const { return m_failed; }

private:
    bool FlushWrites();
    bool Refill();

    std::FILE* m_file = nullptr;
    std::vector<unsigned char> m_buf;
    std::int64_t m_pos = 0;        // logical position
    std::int64_t m_size = 0;       // logical size, pending writes included
    std::int64_t m_bufStart = 0;   // file offset of m_buf[0]
    std::size_t m_readLen = 0;     // valid read-ahead bytes in m_buf
    std::size_t m_writeLen = 0;    // pending write bytes in m_buf (from m_bufStart)
    bool m_failed = false;
};
