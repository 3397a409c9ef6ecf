// Builds pack archives and their track catalogues: what the archive tool, the demo
// generator and the tests use. Names are upper-cased and scrambled as the reader expects.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

struct PackMember {
    std::string name;  // at most 12 characters; stored upper-cased
    Bytes data;
};

struct CatalogueEntry {
    std::string fileName;  // member holding the module, at most 12 characters
    std::string title;     // at most 35 characters
};

// Why a name cannot be stored, or an empty string when it can.
std::string CheckMemberName(const std::string& name);
std::string CheckTitle(const std::string& title);

// The archive bytes: header, directory, then the members' data in the given order. False with
// `error` set when a name cannot be stored or the archive would not fit 32-bit offsets.
bool BuildPack(const std::vector<PackMember>& members, Bytes& out, std::string& error);

// The bytes of a "music.dat" catalogue listing `entries` in order.
bool BuildCatalogue(const std::vector<CatalogueEntry>& entries, Bytes& out, std::string& error);

// Writes `bytes` to `path` through a temporary file renamed into place, so a failure leaves
// whatever was at `path` untouched. False with `error` set on failure.
bool WriteFileReplacing(const std::string& path, const Bytes& bytes, std::string& error);
bool ReadWholeFile(const std::string& path, Bytes& out, std::string& error);
