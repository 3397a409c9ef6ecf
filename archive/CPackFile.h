// Reader of the pack archive: opens the file once, keeps its header and directory, and
// answers where a member starts and how long it is. It never reads a member itself.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "archive/PackFormat.h"

class CPackFile {
public:
    CPackFile();
    CPackFile(const CPackFile&) = delete;
    CPackFile& operator=(const CPackFile&) = delete;
    ~CPackFile() = default;  // frees the path copy, then the directory; the stream stays open

    void SetBase(std::int32_t base);

    // Opens the archive at `path`: 0 on success, 1 on failure. Called once.
    std::int32_t Open(const char* path);

    // Lookups by member name, case-insensitive for the query: 0 when there is no such member
    // or the archive is not open.
    std::int32_t SizeOf(const char* name) const;
    std::int32_t OffsetOf(const char* name) const;

    PackHeader m_header{};
    std::unique_ptr<PackEntry[]> m_pDirectory;  // m_nEntries read entries and one spare
    std::int32_t m_nOpenResult = 0;
    // The reader's own stream on the archive. Other code may reposition it freely; it stays
    // open for the life of the process.
    std::FILE* m_pFile = nullptr;
    std::unique_ptr<char[]> m_pszPath;
    std::int32_t m_nBase = 0;
    // How many directory entries were actually read: fewer than filcn when the directory is
    // cut short by the end of the file. Only these are ever matched.
    std::int32_t m_nEntries = 0;

private:
    std::int32_t ReadDirectory(const char* path);
    const PackEntry* Find(const char* name) const;
};

// The program's one archive reader.
extern CPackFile thePack;
