#include "spf/SafeOutput.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unistd.h>

CSafeOutput::CSafeOutput(std::string target) : m_target(std::move(target)) {}

CSafeOutput::~CSafeOutput() { Discard(); }

bool CSafeOutput::Open()
{
    Discard();
    // Beside the target, so the final rename stays on one file system.
    const std::filesystem::path target(m_target);
    if (target.filename().empty())
        return false;
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temp = target;
        temp.replace_filename("." + target.filename().string() + ".tmp" + std::to_string(::getpid()) +
                              (attempt ? "-" + std::to_string(attempt) : ""));
        std::error_code ec;
        if (std::filesystem::exists(temp, ec))
            continue;
        m_temp = temp.string();
        if (!m_file.Open(m_temp, CFileStream::Mode::Write))
            return false;
        m_open = true;
        return true;
    }
    return false;
}

bool CSafeOutput::Commit()
{
    if (!m_open)
        return false;
    const bool written = m_file.Close();
    m_open = false;
    if (!written) {
        std::remove(m_temp.c_str());
        return false;
    }
    std::error_code ec;
    std::filesystem::rename(m_temp, m_target, ec);
    if (ec) {
        std::remove(m_temp.c_str());
        return false;
    }
    return true;
}

void CSafeOutput::Discard()
{
    if (!m_open)
        return;
    m_file.Close();
    m_open = false;
    std::remove(m_temp.c_str());
}
