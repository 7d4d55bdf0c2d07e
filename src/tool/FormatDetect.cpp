#include "io/FileStream.h"
#include "platform/Texts.h"
#include "tool/FormatCommands.h"

#include <cstdio>
#include <string_view>

FileFormat DetectFormat(const std::string& path, bool& unreadable)
{
    unreadable = false;
    CFileStream file;
    if (!file.Open(path, CFileStream::Mode::Read)) {
        unreadable = true;
        return FileFormat::Unknown;
    }
    char head[512];
    const std::size_t got = file.Read(head, sizeof head);
    const std::string_view text(head, got);
    if (text.rfind("$$HEADERSTART", 0) == 0)
        return FileFormat::Cli;
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || (text[start] >= 7 && text[start] <= 13)))
        ++start;
    std::size_t end = start;
    while (end < text.size() && !(text[end] == ' ' || (text[end] >= 7 && text[end] <= 13) || text[end] == 0))
        ++end;
    if (text.substr(start, end - start) == "Slice")
        return FileFormat::Ssl;
    file.Close();
    if (LooksLikeSpf(path))
        return FileFormat::Spf;
    return FileFormat::Unknown;
}

int NotSupportedYet(const char* command, FileFormat format)
{
    const char* name = format == FileFormat::Ssl ? "SSL" : format == FileFormat::Spf ? "SPF" : "?";
    std::string text = Tr("ToolNotSupported");
    if (const std::size_t at = text.find("%1"); at != std::string::npos)
        text.replace(at, 2, name);
    std::fprintf(stderr, "vemo-cli %s: %s\n", command, text.c_str());
    return 1;
}
