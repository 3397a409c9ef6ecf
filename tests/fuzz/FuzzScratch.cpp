#include "tests/fuzz/FuzzScratch.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "archive/CPackFile.h"

namespace {
// Removed when the process ends, so repeated runs leave nothing behind.
struct Scratch {
    std::string path;
    ~Scratch() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};
}  // namespace

const std::string& ScratchFolder() {
    static const Scratch scratch = [] {
        std::error_code error;
        std::filesystem::path base = "/dev/shm";
        if (!std::filesystem::is_directory(base, error)) {
            base = std::filesystem::temp_directory_path();
        }
        const std::filesystem::path path = base / ("marivenn-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path, error);
        return Scratch{path.string()};
    }();
    return scratch.path;
}

bool WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

void ResetPack(CPackFile& pack) {
    if (pack.m_pFile != nullptr) {
        std::fclose(pack.m_pFile);
        pack.m_pFile = nullptr;
    }
    pack.m_header = {};
    pack.m_pDirectory.reset();
    pack.m_nOpenResult = 0;
    pack.m_pszPath.reset();
    pack.m_nEntries = 0;
    pack.SetBase(0);
}
