// The system's memory status, read from the kernel's /proc/meminfo.
#pragma once

#include <string_view>

// The "MemAvailable:" figure of a meminfo text in kilobytes, or 0 when it has none.
unsigned long ParseMemAvailableKb(std::string_view meminfo);
