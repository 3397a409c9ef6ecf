// libopenmpt's stream callbacks over a window of a source: position 0 is the module's first
// byte, so libopenmpt never sees what lies before it in the file. Every byte read is kept in
// a growing prefix, which becomes the module's ModuleImage.
#pragma once

#include <libopenmpt/libopenmpt.h>

#include <cstdint>
#include <cstdio>
#include <vector>

class ModuleStream {
public:
    // Reads from `file` (already open) starting at `offset`, `length` bytes at most.
    ModuleStream(std::FILE* file, std::int64_t offset, std::int64_t length);
    // Serves only `bytes` and reports `length`; reads past the bytes get nothing.
    ModuleStream(const std::vector<std::uint8_t>& bytes, std::int64_t length);

    static openmpt_stream_callbacks Callbacks();

    std::vector<std::uint8_t>& Captured() { return m_captured; }
    bool ReadFailed() const { return m_readFailed; }
    bool OutOfMemory() const { return m_outOfMemory; }

private:
    static std::size_t Read(void* stream, void* dst, std::size_t bytes);
    static int Seek(void* stream, std::int64_t offset, int whence);
    static std::int64_t Tell(void* stream);
    // Makes the first `end` bytes of the window available in memory, reading the file.
    bool Fill(std::int64_t end);

    std::FILE* m_file = nullptr;
    bool m_fileAtEnd = false;  // the file stands just after the captured bytes
    std::int64_t m_offset = 0;
    std::int64_t m_length = 0;
    std::int64_t m_position = 0;
    std::vector<std::uint8_t> m_captured;
    const std::vector<std::uint8_t>* m_memory = nullptr;
    bool m_readFailed = false;
    bool m_outOfMemory = false;
};
