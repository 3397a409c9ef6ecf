#include "tools/PackWriter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "archive/PackFormat.h"
#include "playback/TrackList.h"

namespace {
std::string Upper(const std::string& s) {
    std::string out = s;
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return out;
}

template <typename T>
void Append(Bytes& out, const T& record) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&record);
    out.insert(out.end(), p, p + sizeof record);
}
}  // namespace

std::string CheckMemberName(const std::string& name) {
    if (name.empty()) {
        return "a member name is empty";
    }
    if (name.size() > kMaxMemberName) {
        return "member name \"" + name + "\" is longer than 12 characters";
    }
    for (const char c : name) {
        if (c == '\0' || static_cast<unsigned char>(c) == kNameMask) {
            return "member name \"" + name + "\" holds a byte the archive cannot store";
        }
    }
    return {};
}

std::string CheckTitle(const std::string& title) {
    if (title.size() > sizeof(TrackRecord::szTitle) - 1) {
        return "title \"" + title + "\" is longer than 35 characters";
    }
    if (title.find('\0') != std::string::npos) {
        return "a title holds a zero byte";
    }
    return {};
}

bool BuildPack(const std::vector<PackMember>& members, Bytes& out, std::string& error) {
    std::uint64_t position = sizeof(PackHeader) + sizeof(PackEntry) * members.size();
    Bytes directory;
    for (const PackMember& member : members) {
        error = CheckMemberName(member.name);
        if (!error.empty()) {
            return false;
        }
        PackEntry entry{};
        const std::string stored = Upper(member.name);
        std::memcpy(entry.name, stored.data(), stored.size());
        for (std::size_t i = 0; i < stored.size(); ++i) {
            entry.name[i] =
                static_cast<char>(static_cast<unsigned char>(entry.name[i]) ^ kNameMask);
        }
        entry.size = static_cast<std::int32_t>(member.data.size());
        entry.offset = static_cast<std::int32_t>(position);
        position += member.data.size();
        if (position > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max())) {
            error = "the archive would be larger than 2 GiB";
            return false;
        }
        Append(directory, entry);
    }

    PackHeader header{};
    std::memcpy(header.id, kPackMagic, sizeof kPackMagic);
    header.filcn = static_cast<std::int32_t>(members.size());
    out.clear();
    Append(out, header);
    out.insert(out.end(), directory.begin(), directory.end());
    for (const PackMember& member : members) {
        out.insert(out.end(), member.data.begin(), member.data.end());
    }
    return true;
}

bool BuildCatalogue(const std::vector<CatalogueEntry>& entries, Bytes& out, std::string& error) {
    out.clear();
    Append(out, static_cast<std::int32_t>(entries.size()));
    for (const CatalogueEntry& entry : entries) {
        error = CheckMemberName(entry.fileName);
        if (error.empty()) {
            error = CheckTitle(entry.title);
        }
        if (!error.empty()) {
            return false;
        }
        TrackRecord record{};
        std::memcpy(record.szFileName, entry.fileName.data(), entry.fileName.size());
        std::memcpy(record.szTitle, entry.title.data(), entry.title.size());
        Append(out, record);
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, const Bytes& bytes, std::string& error) {
    const std::string temporary = path + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + temporary + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int savedErrno = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : savedErrno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& path, Bytes& out, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot read " + path + ": " + std::strerror(errno);
        return false;
    }
    out.clear();
    std::uint8_t chunk[64 * 1024];
    std::size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        out.insert(out.end(), chunk, chunk + n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}
