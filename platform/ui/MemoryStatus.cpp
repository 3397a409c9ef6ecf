#include "platform/ui/MemoryStatus.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/ui/Afx.h"

unsigned long ParseMemAvailableKb(std::string_view meminfo) {
    constexpr std::string_view kKey = "MemAvailable:";
    std::size_t at = 0;
    while ((at = meminfo.find(kKey, at)) != std::string_view::npos) {
        const bool lineStart = at == 0 || meminfo[at - 1] == '\n';
        at += kKey.size();
        if (!lineStart) {
            continue;
        }
        while (at < meminfo.size() && (meminfo[at] == ' ' || meminfo[at] == '\t')) {
            ++at;
        }
        unsigned long kb = 0;
        const char* first = meminfo.data() + at;
        const char* last = meminfo.data() + meminfo.size();
        const auto [end, error] = std::from_chars(first, last, kb);
        return error == std::errc() && end != first ? kb : 0;
    }
    return 0;
}

unsigned long AfxGetAvailableMemoryKb() {
    std::ifstream in("/proc/meminfo");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return ParseMemAvailableKb(text);
}
