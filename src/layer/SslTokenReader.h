#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

// Reads an SSL text as white-space separated tokens (blanks, tabs, line ends),
// from a file or from text in memory. A token holds at most 255 characters;
// a longer run is refused as a whole, never truncated into the next read.
// Numbers are parsed the same way whatever the process locale.
class CSslTokenReader {
public:
    static constexpr std::size_t MAX_TOKEN = 255;

    enum class Token { Word, End, TooLong };

    CSslTokenReader() = default;
    ~CSslTokenReader() { Close(); }
    CSslTokenReader(const CSslTokenReader&) = delete;
    CSslTokenReader& operator=(const CSslTokenReader&) = delete;

    bool OpenFile(const std::string& path);
    void OpenText(std::string_view text);
    void Close();
    bool IsOpen() const { return m_open; }
    // Back to the start of the text.
    bool Rewind();

    std::int64_t Size() const { return m_size; }
    // Offset of the next unread byte.
    std::int64_t Tell() const { return m_bufStart + static_cast<std::int64_t>(m_pos); }

    // The next token; the view stays valid until the next read.
    Token Next(std::string_view& word);
    // The next token read as a number. When it is no number the token stays
    // unread (a keyword after a missing value still ends what it ends); a
    // token too long to be read is consumed. False at the end of the text too.
    bool NextNumber(float& value);

private:
    bool SkipSpace();
    void EnsureAhead(std::size_t n);
    Token Scan(std::size_t& start, std::size_t& length);

    std::FILE* m_file = nullptr;
    bool m_open = false;
    std::unique_ptr<char[]> m_buf;
    std::size_t m_cap = 0;          // bytes m_buf can hold
    std::size_t m_pos = 0;          // next unread byte in m_buf
    std::size_t m_end = 0;          // valid bytes in m_buf
    std::int64_t m_bufStart = 0;    // text offset of m_buf[0]
    std::int64_t m_size = 0;
    bool m_eof = false;             // no more bytes beyond m_end
};

// A number in the syntax of C's floating-point input ("1.5", "-2e3", "+4",
// "inf", "nan"), the whole token, independently of the locale. Values beyond
// single precision become infinite, values below it zero.
bool ParseSslNumber(std::string_view token, float& value);
