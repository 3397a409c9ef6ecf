#include "archive/XorString.h"

char* XorString(char* s, unsigned char mask, std::size_t limit) {
    for (std::size_t i = 0; i < limit && s[i] != '\0'; ++i) {
        s[i] = static_cast<char>(static_cast<unsigned char>(s[i]) ^ mask);
    }
    return s;
}
