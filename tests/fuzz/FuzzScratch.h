// A per-process scratch folder for the fuzz targets: on tmpfs when there is one, so the
// archive written for every input and the files exported from it cost no disk I/O.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The folder, created on first use; it lives until the process ends.
const std::string& ScratchFolder();

// Writes `size` bytes to `path`, replacing it; false when it cannot.
bool WriteBytes(const std::string& path, const std::uint8_t* data, std::size_t size);

// Closes the stream of `pack`'s last Open and returns the reader to its just-built state, so
// each input starts from a fresh reader and no descriptor is left behind.
class CPackFile;
void ResetPack(CPackFile& pack);
