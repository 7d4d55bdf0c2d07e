#include "layer/SslTokenReader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <system_error>

namespace {
constexpr std::size_t kBufferSize = 1 << 18;

inline bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
} // namespace

namespace {
constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                             1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common plain form [-]digits[.digits] with at most 15 significant
// digits, rounded exactly as the general parser rounds it: the decimal is an
// exact integer over an exact power of ten, so one division gives the
// correctly rounded double, and rounding that to float is exact too unless
// it lies exactly halfway between two floats, which is left to the general
// parser. False for every other form.
bool ParsePlainDecimal(const char* p, const char* end, float& value)
{
    const bool negative = p != end && *p == '-';
    if (negative)
        ++p;
    std::uint64_t mantissa = 0;
    int significant = 0, scale = 0;
    bool digits = false;
    const auto take = [&](char c) {
        digits = true;
        if (mantissa != 0 || c != '0') {
            if (++significant > 15)
                return false;
        }
        mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
        return true;
    };
    for (; p != end && static_cast<unsigned>(*p - '0') < 10; ++p) {
        if (!take(*p))
            return false;
    }
    if (p != end && *p == '.') {
        for (++p; p != end && static_cast<unsigned>(*p - '0') < 10; ++p) {
            if (!take(*p) || ++scale > 22)
                return false;
        }
    }
    if (!digits || p != end)
        return false;
    if (mantissa == 0) {
        value = negative ? -0.0f : 0.0f;
        return true;
    }
    const double d = static_cast<double>(mantissa) / kPow10[scale];
    if (!(d >= 1e-30 && d <= 1e30))
        return false;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    if ((bits & 0x1FFFFFFFu) == 0x10000000u)   // the 29 bits a float drops are exactly one half
        return false;
    const float f = static_cast<float>(d);
    value = negative ? -f : f;
    return true;
}
} // namespace

bool ParseSslNumber(std::string_view token, float& value)
{
    const char* first = token.data();
    const char* last = first + token.size();
    // C's input conversion takes a sign of '+' too; from_chars only '-'.
    if (first != last && *first == '+') {
        ++first;
        if (first == last || *first == '-' || *first == '+')
            return false;
    }
    if (first == last)
        return false;
    if (ParsePlainDecimal(first, last, value))
        return true;
    float f = 0.0f;
    const auto r = std::from_chars(first, last, f, std::chars_format::general);
    if (r.ec == std::errc() && r.ptr == last) {
        value = f;
        return true;
    }
    if (r.ec == std::errc::result_out_of_range && r.ptr == last) {
        // Beyond float: let double decide between infinity and zero.
        double d = 0.0;
        const auto rd = std::from_chars(first, last, d, std::chars_format::general);
        if (rd.ptr != last)
            return false;
        if (rd.ec == std::errc()) {
            value = static_cast<float>(d);
            return true;
        }
        // Beyond double as well: the exponent's sign tells overflow from underflow.
        const char* e = static_cast<const char*>(std::memchr(first, 'e', static_cast<std::size_t>(last - first)));
        if (!e)
            e = static_cast<const char*>(std::memchr(first, 'E', static_cast<std::size_t>(last - first)));
        const bool tiny = e && e + 1 < last && e[1] == '-';
        const bool negative = *first == '-';
        value = tiny ? (negative ? -0.0f : 0.0f) : (negative ? -HUGE_VALF : HUGE_VALF);
        return true;
    }
    return false;
}

bool CSslTokenReader::OpenFile(const std::string& path)
{
    Close();
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return false;
    if (std::fseek(m_file, 0, SEEK_END) == 0) {
        const long size = std::ftell(m_file);
        m_size = size > 0 ? size : 0;
    }
    std::fseek(m_file, 0, SEEK_SET);
    // A small file gets a buffer of its own size (plus room to see its end).
    m_cap = std::min<std::size_t>(kBufferSize, static_cast<std::size_t>(m_size) + 2 * MAX_TOKEN + 2);
    m_buf = std::make_unique_for_overwrite<char[]>(m_cap);
    m_open = true;
    m_pos = m_end = 0;
    m_bufStart = 0;
    m_eof = false;
    return true;
}

void CSslTokenReader::OpenText(std::string_view text)
{
    Close();
    m_cap = text.size();
    m_buf = std::make_unique_for_overwrite<char[]>(m_cap);
    if (!text.empty())
        std::memcpy(m_buf.get(), text.data(), text.size());
    m_size = static_cast<std::int64_t>(text.size());
    m_end = text.size();
    m_pos = 0;
    m_bufStart = 0;
    m_eof = true;
    m_open = true;
}

void CSslTokenReader::Close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_open = false;
    m_buf.reset();
    m_cap = 0;
    m_pos = m_end = 0;
    m_bufStart = 0;
    m_size = 0;
    m_eof = true;
}

bool CSslTokenReader::Rewind()
{
    if (!m_open)
        return false;
    if (!m_file) {   // text in memory: all of it is in the buffer
        m_pos = 0;
        return true;
    }
    if (std::fseek(m_file, 0, SEEK_SET) != 0)
        return false;
    m_pos = m_end = 0;
    m_bufStart = 0;
    m_eof = false;
    return true;
}

// Makes at least n unread bytes available in the buffer, unless the text ends first.
void CSslTokenReader::EnsureAhead(std::size_t n)
{
    if (m_end - m_pos >= n || m_eof || !m_file)
        return;
    const std::size_t left = m_end - m_pos;
    if (m_pos > 0) {
        std::memmove(m_buf.get(), m_buf.get() + m_pos, left);
        m_bufStart += static_cast<std::int64_t>(m_pos);
        m_pos = 0;
        m_end = left;
    }
    while (m_end < m_cap) {
        const std::size_t got = std::fread(m_buf.get() + m_end, 1, m_cap - m_end, m_file);
        m_end += got;
        if (got == 0) {   // end of the file or a read error: either way no more text
            m_eof = true;
            break;
        }
        if (m_end - m_pos >= n)
            break;
    }
}

bool CSslTokenReader::SkipSpace()
{
    for (;;) {
        while (m_pos < m_end && IsSpace(m_buf[m_pos]))
            ++m_pos;
        if (m_pos < m_end)
            return true;
        EnsureAhead(1);
        if (m_pos >= m_end)
            return false;
    }
}

CSslTokenReader::Token CSslTokenReader::Scan(std::size_t& start, std::size_t& length)
{
    if (!m_open || !SkipSpace())
        return Token::End;
    // A whole token of the longest allowed size plus the byte after it.
    EnsureAhead(MAX_TOKEN + 1);
    start = m_pos;
    std::size_t i = m_pos;
    const std::size_t limit = std::min(m_end, m_pos + MAX_TOKEN + 1);
    while (i < limit && !IsSpace(m_buf[i]))
        ++i;
    length = i - start;
    if (length <= MAX_TOKEN)
        return Token::Word;
    // Too long: drop the whole run of non-blank bytes.
    m_pos = i;
    for (;;) {
        while (m_pos < m_end && !IsSpace(m_buf[m_pos]))
            ++m_pos;
        if (m_pos < m_end)
            break;
        EnsureAhead(1);
        if (m_pos >= m_end)
            break;
    }
    return Token::TooLong;
}

CSslTokenReader::Token CSslTokenReader::Next(std::string_view& word)
{
    std::size_t start = 0, length = 0;
    const Token t = Scan(start, length);
    if (t == Token::Word) {
        word = std::string_view(m_buf.get() + start, length);
        m_pos = start + length;
    } else {
        word = {};
    }
    return t;
}

bool CSslTokenReader::NextNumber(float& value)
{
    std::size_t start = 0, length = 0;
    if (Scan(start, length) != Token::Word)
        return false;
    if (!ParseSslNumber(std::string_view(m_buf.get() + start, length), value)) {
        m_pos = start;   // not a number: left for the next read
        return false;
    }
    m_pos = start + length;
    return true;
}
