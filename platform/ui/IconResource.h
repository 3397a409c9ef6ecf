// An icon held as data: a 16-colour palette and one image per size, each row a string of
// palette indexes written as hexadecimal digits ('0'-'9', 'a'-'f'), '.' for a transparent
// pixel. The framework turns it into the window system's icon.
#pragma once

#include <cstdint>

struct IconImage {
    int nSize = 0;                          // width and height in pixels
    const char* const* ppszRows = nullptr;  // nSize rows of nSize characters
};

struct IconResource {
    std::uint32_t palette[16] = {};  // 0xRRGGBB per index
    IconImage big;                   // 32 x 32, the standard size
    IconImage small;                 // 16 x 16, for captions and task bars
};

inline constexpr char kTransparentPixel = '.';

// The palette index of a pixel character, or -1 for a transparent or unknown one.
constexpr int IconPaletteIndex(char pixel) {
    if (pixel >= '0' && pixel <= '9') {
        return pixel - '0';
    }
    if (pixel >= 'a' && pixel <= 'f') {
        return pixel - 'a' + 10;
    }
    return -1;
}
