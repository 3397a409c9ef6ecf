// A fresh folder under the system's temporary folder, removed with everything in it when the
// object goes. `Enter` makes it the working directory until then.
#pragma once

#include <filesystem>
#include <string>

#include "tools/PackWriter.h"

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }
    // Writes `bytes` to the file `name` in the folder; returns its path.
    std::string Write(const std::string& name, const Bytes& bytes) const;
    void Enter();

private:
    std::filesystem::path m_path;
    std::filesystem::path m_previous;
};

Bytes ReadBytes(const std::string& path);
