#include "platform/audio/ModuleImage.h"

#include <fcntl.h>
#include <libopenmpt/libopenmpt.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/audio/ModuleStream.h"

namespace {
struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct ModuleDestroyer {
    void operator()(openmpt_module* module) const { openmpt_module_destroy(module); }
};

// libopenmpt reports errors through this instead of its log, which would print them.
int StoreError(int, void*) {
    return OPENMPT_ERROR_FUNC_RESULT_STORE;
}

LoadResult SystemFailure(int error) {
    const LoadFailure failure = error == ENOENT || error == ENOTDIR ? LoadFailure::kFileNotFound
                                : error == ENOMEM                   ? LoadFailure::kOutOfMemory
                                                                    : LoadFailure::kFileUnreadable;
    return {failure, std::strerror(error)};
}
}  // namespace

LoadResult LoadModuleImage(const std::string& path, std::int64_t offset, ModuleImage& image) {
    // Non-blocking, so a named pipe or a device at `path` cannot hang the open; only
    // regular files are read.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return SystemFailure(errno);
    }
    File file(fdopen(descriptor, "rb"));
    if (file == nullptr) {
        const int error = errno;
        ::close(descriptor);
        return SystemFailure(error);
    }
    struct stat status {};
    if (fstat(descriptor, &status) != 0) {
        return SystemFailure(errno);
    }
    if (!S_ISREG(status.st_mode)) {
        return {LoadFailure::kFileUnreadable, "not a regular file"};
    }
    if (offset < 0 || offset >= status.st_size) {
        return {LoadFailure::kOffsetOutsideFile, {}};
    }

    ModuleStream stream(file.get(), offset, status.st_size - offset);
    // The load only checks the module and learns its extent: the scan of its subsongs and
    // their lengths, which costs most of a load, is the decoder's business at start.
    const openmpt_module_initial_ctl kCheckOnly[] = {{"load.skip_subsongs_init", "1"},
                                                     {nullptr, nullptr}};
    int error = OPENMPT_ERROR_OK;
    const char* message = nullptr;
    const std::unique_ptr<openmpt_module, ModuleDestroyer> module(
        openmpt_module_create2(ModuleStream::Callbacks(), &stream, openmpt_log_func_silent, nullptr,
                               &StoreError, nullptr, &error, &message, kCheckOnly));
    LoadResult result;
    if (message != nullptr) {
        result.detail = message;
        openmpt_free_string(message);
    }
    if (stream.OutOfMemory() || error == OPENMPT_ERROR_OUT_OF_MEMORY) {
        result.failure = LoadFailure::kOutOfMemory;
    } else if (stream.ReadFailed()) {
        result.failure = LoadFailure::kFileUnreadable;
    } else if (module == nullptr) {
        result.failure = LoadFailure::kNotAModule;
    } else {
        image.bytes = std::move(stream.Captured());
        image.bytes.shrink_to_fit();
        image.length = status.st_size - offset;
    }
    return result;
}
