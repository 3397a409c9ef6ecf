// Archives and catalogues built in code for the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/PackWriter.h"

// An archive of `members`; the test fails on a name the writer refuses.
Bytes MakePack(const std::vector<PackMember>& members);
// A "music.dat" member listing `entries`.
PackMember MakeCatalogue(const std::vector<CatalogueEntry>& entries);
// `n` bytes counting up from `seed`, a member body that is easy to tell apart.
Bytes Pattern(std::size_t n, std::uint8_t seed = 0);

// Overwrites four bytes of `bytes` at `at` with `value`, little-endian.
void PutInt32(Bytes& bytes, std::size_t at, std::int32_t value);
std::int32_t GetInt32(const Bytes& bytes, std::size_t at);

// Where the directory entry `index` of an archive lies, and its fields.
inline constexpr std::size_t kHeaderSize = 18;
inline constexpr std::size_t kEntrySize = 21;
inline constexpr std::size_t EntryAt(std::size_t index) {
    return kHeaderSize + kEntrySize * index;
}
inline constexpr std::size_t kEntrySizeField = 13;
inline constexpr std::size_t kEntryOffsetField = 17;
