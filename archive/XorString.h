#pragma once

#include <cstddef>

// XORs every byte of `s` with `mask` in place, up to the first zero byte, which stays zero,
// or up to `limit` bytes when no zero byte comes first. Returns `s`.
char* XorString(char* s, unsigned char mask, std::size_t limit = static_cast<std::size_t>(-1));
