#pragma once
#include "io/ByteStream.h"

#include <cstdint>
#include <vector>

// A byte stream over a growable buffer (tests, fuzzers, in-memory files).
class CMemoryStream : public CByteStream {
public:
    CMemoryStream() = default;
    explicit CMemoryStream(std::vector<std::uint8_t> bytes) : m_bytes(std::move(bytes)) {}
    CMemoryStream(const void* data, std::size_t size)
        : m_bytes(static_cast<const std::uint8_t*>(data), static_cast<const std::uint8_t*>(data) + size) {}

    std::size_t Read(void* dst, std::size_t n) override;
    bool Write(const void* src, std::size_t n) override;
    std::int64_t Tell() const override { return static_cast<std::int64_t>(m_pos); }
    bool Seek(std::int64_t pos) override;
    std::int64_t Size() const override { return static_cast<std::int64_t>(m_bytes.size()); }

    const std::vector<std::uint8_t>& Bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_pos = 0;
};
