#include "archive/CPackFile.h"

#include <algorithm>
#include <cstring>

#include "archive/FileLength.h"
#include "archive/XorString.h"
#include "platform/ui/Afx.h"

namespace {
// Room for the longest query the lookups accept and its terminating zero.
constexpr std::size_t kQueryBuffer = 16;

}  // namespace

CPackFile::CPackFile() {
    SetBase(0);
}

void CPackFile::SetBase(std::int32_t base) {
    m_nBase = base;
}

std::int32_t CPackFile::Open(const char* path) {
    m_nOpenResult = ReadDirectory(path);
    return m_nOpenResult;
}

std::int32_t CPackFile::ReadDirectory(const char* path) {
    const std::size_t length = std::strlen(path);
    m_pszPath = std::make_unique<char[]>(length + 1);
    std::memcpy(m_pszPath.get(), path, length + 1);

    m_pFile = std::fopen(path, "rb");
    if (m_pFile == nullptr) {
        return 1;
    }
    std::fseek(m_pFile, m_nBase, SEEK_SET);
    if (std::fread(&m_header, sizeof m_header, 1, m_pFile) != 1) {
        return 1;
    }
    if (m_header.filcn < 0) {
        return 1;
    }

    // Size the directory by what the file can hold, so a hostile count allocates nothing
    // beyond the file's own size; a shorter directory is read as far as it goes.
    const long directoryStart = static_cast<long>(m_nBase) + static_cast<long>(sizeof m_header);
    const long available = FileLength(m_pFile) - directoryStart;
    const long wanted = std::min<long>(
        m_header.filcn, std::max(0L, available) / static_cast<long>(sizeof(PackEntry)));
    m_pDirectory = std::make_unique<PackEntry[]>(static_cast<std::size_t>(wanted) + 1);
    const std::size_t read = std::fread(m_pDirectory.get(), sizeof(PackEntry),
                                        static_cast<std::size_t>(wanted), m_pFile);
    if (read == 0) {
        return 1;
    }
    m_nEntries = static_cast<std::int32_t>(read);

    if (std::memcmp(m_header.id, kPackMagic, sizeof kPackMagic) != 0) {
        AfxMessageBox("Header ID mismatch!", MB_OK | MB_ICONEXCLAMATION);
        return 1;
    }
    for (std::int32_t i = 0; i < m_nEntries; ++i) {
        XorString(m_pDirectory[i].name, kNameMask, sizeof m_pDirectory[i].name);
    }
    return 0;
}

const PackEntry* CPackFile::Find(const char* name) const {
    if (m_nOpenResult != 0) {
        return nullptr;
    }
    const std::size_t length = std::strlen(name);
    if (length >= kQueryBuffer) {
        return nullptr;  // longer than any stored name can be
    }
    char query[kQueryBuffer] = {};
    for (std::size_t i = 0; i < length; ++i) {
        const char c = name[i];
        query[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (m_header.filcn <= 0) {
        return nullptr;
    }
    for (std::int32_t i = 0; i < m_nEntries; ++i) {
        const PackEntry& entry = m_pDirectory[i];
        // Exact match up to and including the zero byte; a field without a zero byte
        // matches nothing, since every query ends within 13 bytes or is refused above.
        if (std::strncmp(entry.name, query, sizeof entry.name) == 0 &&
            std::memchr(entry.name, '\0', sizeof entry.name) != nullptr) {
            return &entry;
        }
    }
    return nullptr;
}

std::int32_t CPackFile::SizeOf(const char* name) const {
    const PackEntry* entry = Find(name);
    return entry != nullptr ? entry->size : 0;
}

std::int32_t CPackFile::OffsetOf(const char* name) const {
    const PackEntry* entry = Find(name);
    return entry != nullptr
               ? static_cast<std::int32_t>(static_cast<std::int64_t>(m_nBase) + entry->offset)
               : 0;
}
