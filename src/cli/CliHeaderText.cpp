#include "cli/CliHeaderText.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace {
constexpr std::string_view kHeaderEnd = "$$HEADEREND";
// Header tokens are short; bytes beyond this length are dropped so that a
// file without separators cannot make the reader hold it whole.
constexpr std::size_t kMaxToken = 4096;

bool IsSpace(char c) { return c == ' ' || (c >= 7 && c <= 13); }

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && IsSpace(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsSpace(s.back()))
        s.remove_suffix(1);
    return s;
}

bool IsTokenEnd(unsigned char c) { return c == 0 || c == ' ' || (c >= 7 && c <= 13); }

// One token; atEnd is set when the stream ended before a separator.
std::string ReadToken(CByteStream& stream, bool& atEnd)
{
    std::string token;
    std::size_t length = 0;
    unsigned char c;
    atEnd = false;
    for (;;) {
        if (stream.Read(&c, 1) != 1) {
            atEnd = true;
            return token;
        }
        if (IsTokenEnd(c))
            return token;
        if (token.size() < kMaxToken)
            token.push_back(static_cast<char>(c));
        ++length;
        if (length == kHeaderEnd.size() && token == kHeaderEnd)
            return token;
    }
}

// While a comment is open only the text before it, its opening mark and the
// last character after it matter (a closing mark may be split between two
// tokens), so the pending text stays small however long the comment runs.
std::string CompactOpenComment(const std::string& text)
{
    const std::size_t open = text.find("//");
    if (open == std::string::npos)
        return text;
    std::string kept = text.substr(0, open + 2);
    if (text.size() > open + 2)
        kept.push_back(text.back());
    return kept;
}
} // namespace

HeaderLine ParseHeaderLine(std::string_view text, std::string& keyword, std::string& parameter)
{
    keyword.clear();
    parameter.clear();
    std::string_view t = Trim(text);
    if (t.empty())
        return HeaderLine::Nothing;
    std::string joined;
    const std::size_t open = t.find("//");
    if (open != std::string_view::npos) {
        const std::size_t close = t.find("//", open + 2);
        if (close == std::string_view::npos)
            return HeaderLine::CommentOpen;
        joined.assign(t.substr(0, open));
        joined.append(t.substr(close + 2));
        t = Trim(joined);
        if (t.empty())
            return HeaderLine::Nothing;
    }
    if (t.substr(0, 2) != "$$")
        return HeaderLine::Nothing;
    while (!t.empty() && t.front() == '$')
        t.remove_prefix(1);
    const std::size_t slash = t.size() > 1 ? t.find('/', 1) : std::string_view::npos;
    if (slash == std::string_view::npos) {
        keyword.assign(t);
        return HeaderLine::Keyword;
    }
    keyword.assign(t.substr(0, slash));
    parameter.assign(t.substr(slash + 1));
    return HeaderLine::KeywordWithParameter;
}

bool ReadHeaderKeywords(CByteStream& stream,
                        const std::function<void(const std::string&, const std::string&)>& apply)
{
    if (!stream.Seek(0))
        return false;
    std::string pending;
    std::string keyword, parameter;
    for (;;) {
        bool atEnd = false;
        pending += ReadToken(stream, atEnd);
        const HeaderLine line = ParseHeaderLine(pending, keyword, parameter);
        if (line == HeaderLine::CommentOpen) {
            pending = CompactOpenComment(pending);
        } else {
            pending.clear();
            if (line == HeaderLine::Keyword || line == HeaderLine::KeywordWithParameter) {
                apply(keyword, parameter);
                if (line == HeaderLine::Keyword && keyword == "HEADEREND")
                    return true;
            }
        }
        if (atEnd)
            return false;
    }
}

double ParseLeadingNumber(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return 0;
    return result.ec == std::errc() ? value : 0;
}

long long ParseLeadingInteger(std::string_view text)
{
    while (!text.empty() && IsSpace(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            break;
        if (value < LLONG_MAX / 10)
            value = value * 10 + (c - '0');
    }
    return negative ? -value : value;
}
