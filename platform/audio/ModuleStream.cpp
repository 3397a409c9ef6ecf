#include "platform/audio/ModuleStream.h"

#include <algorithm>
#include <cstring>
#include <new>

ModuleStream::ModuleStream(std::FILE* file, std::int64_t offset, std::int64_t length)
    : m_file(file), m_offset(offset), m_length(length) {}

ModuleStream::ModuleStream(const std::vector<std::uint8_t>& bytes, std::int64_t length)
    : m_length(length), m_memory(&bytes) {}

openmpt_stream_callbacks ModuleStream::Callbacks() {
    return {&ModuleStream::Read, &ModuleStream::Seek, &ModuleStream::Tell};
}

bool ModuleStream::Fill(std::int64_t end) {
    const auto have = static_cast<std::int64_t>(m_captured.size());
    if (end <= have) {
        return true;
    }
    try {
        m_captured.resize(static_cast<std::size_t>(end));
    } catch (const std::bad_alloc&) {
        m_outOfMemory = true;
        return false;
    }
    const auto wanted = static_cast<std::size_t>(end - have);
    // The captured bytes only ever grow at their end, so the file is positioned once and
    // then read on: a seek before every read would throw away the stream's buffer.
    std::size_t got = 0;
    if (m_fileAtEnd || fseeko(m_file, static_cast<off_t>(m_offset + have), SEEK_SET) == 0) {
        got = std::fread(m_captured.data() + have, 1, wanted, m_file);
        m_fileAtEnd = true;
    }
    if (got != wanted) {
        m_readFailed = true;
        m_captured.resize(static_cast<std::size_t>(have) + got);
        return false;
    }
    return true;
}

std::size_t ModuleStream::Read(void* stream, void* dst, std::size_t bytes) {
    auto& self = *static_cast<ModuleStream*>(stream);
    const std::int64_t room = self.m_length - self.m_position;
    if (dst == nullptr || room <= 0) {
        return 0;
    }
    const std::int64_t end =
        self.m_position +
        (bytes < static_cast<std::uint64_t>(room) ? static_cast<std::int64_t>(bytes) : room);
    const std::vector<std::uint8_t>* source = self.m_memory;
    if (source == nullptr) {
        self.Fill(end);
        source = &self.m_captured;
    }
    const std::int64_t available = std::min(end, static_cast<std::int64_t>(source->size()));
    if (available <= self.m_position) {
        return 0;
    }
    const auto count = static_cast<std::size_t>(available - self.m_position);
    std::memcpy(dst, source->data() + self.m_position, count);
    self.m_position = available;
    return count;
}

int ModuleStream::Seek(void* stream, std::int64_t offset, int whence) {
    auto& self = *static_cast<ModuleStream*>(stream);
    std::int64_t base = 0;
    if (whence == OPENMPT_STREAM_SEEK_CUR) {
        base = self.m_position;
    } else if (whence == OPENMPT_STREAM_SEEK_END) {
        base = self.m_length;
    } else if (whence != OPENMPT_STREAM_SEEK_SET) {
        return -1;
    }
    if ((offset < 0 && base + offset < 0) || (offset > 0 && offset > self.m_length - base)) {
        return -1;
    }
    self.m_position = base + offset;
    return 0;
}

std::int64_t ModuleStream::Tell(void* stream) {
    return static_cast<ModuleStream*>(stream)->m_position;
}
