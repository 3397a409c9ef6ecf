// The on-disk records of the pack archive. Every integer is little-endian and the records
// are packed without gaps, in the file and in memory alike.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

static_assert(std::endian::native == std::endian::little,
              "the archive's records are read straight into memory");

// The twelve bytes every archive starts with: "DJGPP-PACK", 0x1A, then a zero byte.
inline constexpr char kPackMagic[12] = {'D', 'J', 'G', 'P', 'P', '-', 'P', 'A', 'C', 'K', 0x1A, 0};

// Every stored name character is XORed with this mask; the terminating zero stays plain.
inline constexpr unsigned char kNameMask = 0xA6;

// Longest member name: the 13-byte field holds it and its terminating zero.
inline constexpr std::size_t kMaxMemberName = 12;

#pragma pack(push, 1)
struct PackHeader {
    char id[12];
    std::uint8_t reserved[2];  // not read
    std::int32_t filcn;        // number of directory entries
};

struct PackEntry {
    char name[13];        // scrambled, zero-terminated inside the field
    std::int32_t size;    // member length in bytes
    std::int32_t offset;  // first byte, counted from the archive start
};
#pragma pack(pop)

static_assert(sizeof(PackHeader) == 18 && offsetof(PackHeader, filcn) == 14);
static_assert(sizeof(PackEntry) == 21 && offsetof(PackEntry, size) == 13 &&
              offsetof(PackEntry, offset) == 17);
