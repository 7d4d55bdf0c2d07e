#include "tool/SpfTool.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

bool ParseFloatArg(const std::string& text, float& value)
{
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0])))
        return false;
    char* end = nullptr;
    errno = 0;
    const float v = std::strtof(text.c_str(), &end);
    if (errno != 0 || !end || *end != '\0' || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

bool ParseUIntArg(const std::string& text, std::uint32_t& value)
{
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])))
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (errno != 0 || !end || *end != '\0' || v > 0xFFFFFFFFull)
        return false;
    value = static_cast<std::uint32_t>(v);
    return true;
}

bool HasExtension(const std::string& path, const std::string& extension)
{
    if (path.size() < extension.size())
        return false;
    for (std::size_t i = 0; i < extension.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - extension.size() + i])) !=
            std::tolower(static_cast<unsigned char>(extension[i])))
            return false;
    return true;
}
