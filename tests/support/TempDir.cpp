#include "support/TempDir.h"

#include <atomic>
#include <random>
#include <unistd.h>

CTempDir::CTempDir()
{
    static std::atomic<int> counter{0};
    std::random_device rd;
    auto base = std::filesystem::temp_directory_path();
    for (;;) {
        m_path = base / ("vemo-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
                         std::to_string(rd() % 100000));
        std::error_code ec;
        if (std::filesystem::create_directory(m_path, ec))
            break;
    }
}

CTempDir::~CTempDir()
{
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}
