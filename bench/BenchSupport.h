// What every benchmark needs: medians, the process's resident memory and a scratch folder.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The middle value; runs are odd in number, so it is one run's figure.
template <typename T>
T Median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// VmRSS of this process in kilobytes, or -1 when the kernel does not say.
inline long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

// A fresh folder under the temporary folder; ends the program when none can be made.
inline std::string MakeScratchFolder(const char* prefix) {
    std::string folder =
        (std::filesystem::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
    if (mkdtemp(folder.data()) == nullptr) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    return folder;
}
