#include "tests/support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempDir::TempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "marivenn-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!m_previous.empty()) {
        std::filesystem::current_path(m_previous, ignored);
    }
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempDir::Write(const std::string& name, const Bytes& bytes) const {
    const std::string file = File(name);
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file);
    }
    return file;
}

void TempDir::Enter() {
    m_previous = std::filesystem::current_path();
    std::filesystem::current_path(m_path);
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
