#include "tests/support/Fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

Bytes MakePack(const std::vector<PackMember>& members) {
    Bytes out;
    std::string error;
    EXPECT_TRUE(BuildPack(members, out, error)) << error;
    return out;
}

PackMember MakeCatalogue(const std::vector<CatalogueEntry>& entries) {
    PackMember member{"MUSIC.DAT", {}};
    std::string error;
    EXPECT_TRUE(BuildCatalogue(entries, member.data, error)) << error;
    return member;
}

Bytes Pattern(std::size_t n, std::uint8_t seed) {
    Bytes out(n);
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = static_cast<std::uint8_t>(seed + i);
    }
    return out;
}

void PutInt32(Bytes& bytes, std::size_t at, std::int32_t value) {
    std::memcpy(bytes.data() + at, &value, sizeof value);
}

std::int32_t GetInt32(const Bytes& bytes, std::size_t at) {
    std::int32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}
