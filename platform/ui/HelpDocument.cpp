#include "platform/ui/HelpDocument.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::optional<std::string> FindHelpDocument(const std::string& helpFile) {
    const fs::path file(helpFile);
    const fs::path stem = file.stem();
    if (stem.empty()) {
        return std::nullopt;
    }
    const fs::path page = fs::path(stem).concat(".html");
    const fs::path folder = file.parent_path();
    const fs::path candidates[] = {
        folder / page,
        folder.parent_path() / "share" / "doc" / stem / page,
    };
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::is_regular_file(candidate, error)) {
            return candidate.string();
        }
    }
    return std::nullopt;
}

std::string HelpAnchor(unsigned long context) {
    char anchor[32];
    std::snprintf(anchor, sizeof anchor, "context-%lx", context);
    return anchor;
}
