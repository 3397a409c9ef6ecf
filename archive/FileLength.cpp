#include "archive/FileLength.h"

long FileLength(std::FILE* file) {
    const long here = std::ftell(file);
    if (here < 0 || std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    const long end = std::ftell(file);
    std::fseek(file, here, SEEK_SET);
    return end;
}
