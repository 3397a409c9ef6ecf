// What the engine keeps of a loaded module: the bytes libopenmpt read while loading it, and
// the length of the stream it saw. A decoder built later from these sees exactly the stream
// the load saw, so it decodes the same song, while the module's file is not held open and
// nothing past the furthest byte libopenmpt asked for is kept. For ProTracker modules that is
// the module's own last byte: what follows it in an archive is neither read nor kept.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ModuleImage {
    std::vector<std::uint8_t> bytes;  // the stream's first bytes, up to the furthest one read
    std::int64_t length = 0;          // from the module's offset to the end of its file
};

// Why a module could not be loaded.
enum class LoadFailure {
    kNone,
    kFileNotFound,
    kFileUnreadable,
    kOffsetOutsideFile,
    kNotAModule,
    kOutOfMemory,
};

struct LoadResult {
    LoadFailure failure = LoadFailure::kNone;
    std::string detail;  // libopenmpt's or the system's own text, when there is one
};

// Loads the module that starts `offset` bytes into the file at `path`, checking it with
// libopenmpt, and fills `image` with what a decoder needs later. `image` is untouched on
// failure.
LoadResult LoadModuleImage(const std::string& path, std::int64_t offset, ModuleImage& image);
