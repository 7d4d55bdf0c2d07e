#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

// A seekable byte stream: the binary slice readers and the machine-file
// writer work on it. Every read is checked: a short read returns false (or
// the number of bytes actually read) and never leaves a half-filled value.
// All multi-byte values are little-endian.
class CByteStream {
public:
    virtual ~CByteStream() = default;

    virtual std::size_t Read(void* dst, std::size_t n) = 0;   // bytes actually read
    virtual bool Write(const void* src, std::size_t n) = 0;
    virtual std::int64_t Tell() const = 0;
    virtual bool Seek(std::int64_t pos) = 0;                   // absolute; beyond the end fails
    virtual std::int64_t Size() const = 0;

    bool SeekRelative(std::int64_t delta) { return Seek(Tell() + delta); }
    bool SeekToEnd() { return Seek(Size()); }
    std::int64_t Remaining() const
    {
        const std::int64_t left = Size() - Tell();
        return left > 0 ? left : 0;
    }
    bool AtEnd() const { return Remaining() == 0; }
    // Skips n bytes only when that many are left; otherwise moves to the end
    // and returns false.
    bool Skip(std::int64_t n)
    {
        if (n < 0 || n > Remaining()) {
            SeekToEnd();
            return false;
        }
        return Seek(Tell() + n);
    }

    bool ReadExact(void* dst, std::size_t n) { return Read(dst, n) == n; }
    bool ReadU16(std::uint16_t& v) { return ReadLe(v); }
    bool ReadI32(std::int32_t& v) { return ReadLe(v); }
    bool ReadU32(std::uint32_t& v) { return ReadLe(v); }
    bool ReadF32(float& v) { return ReadLe(v); }
    bool WriteU16(std::uint16_t v) { return Write(&v, sizeof v); }
    bool WriteI32(std::int32_t v) { return Write(&v, sizeof v); }
    bool WriteU32(std::uint32_t v) { return Write(&v, sizeof v); }
    bool WriteF32(float v) { return Write(&v, sizeof v); }
    bool WriteText(const char* text) { return Write(text, std::strlen(text)); }

private:
    // The machine is little-endian (x86-64, as the file formats).
    template <class T> bool ReadLe(T& v)
    {
        T tmp;
        if (Read(&tmp, sizeof tmp) != sizeof tmp)
            return false;
        v = tmp;
        return true;
    }
};
