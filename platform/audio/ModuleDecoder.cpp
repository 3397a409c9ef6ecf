#include "platform/audio/ModuleDecoder.h"

#include <libopenmpt/libopenmpt.h>

#include <new>

#include "platform/audio/ModuleStream.h"

namespace {
// Repeat the song forever: game music loops, and libopenmpt joins the end to the start.
constexpr std::int32_t kRepeatForever = -1;

int StoreError(int, void*) {
    return OPENMPT_ERROR_FUNC_RESULT_STORE;
}
}  // namespace

std::unique_ptr<ModuleDecoder> ModuleDecoder::Create(const ModuleImage& image,
                                                     const DecoderSettings& settings) {
    ModuleStream stream(image.bytes, image.length);
    openmpt_module* module =
        openmpt_module_create2(ModuleStream::Callbacks(), &stream, openmpt_log_func_silent, nullptr,
                               &StoreError, nullptr, nullptr, nullptr, nullptr);
    if (module == nullptr) {
        return nullptr;
    }
    std::unique_ptr<ModuleDecoder> decoder(new (std::nothrow) ModuleDecoder(module));
    if (decoder == nullptr) {
        openmpt_module_destroy(module);
        return nullptr;
    }
    openmpt_module_set_repeat_count(module, kRepeatForever);
    if (!settings.dither) {
        openmpt_module_ctl_set_integer(module, "dither", 0);
    }
    return decoder;
}

ModuleDecoder::~ModuleDecoder() {
    openmpt_module_destroy(m_module);
}

std::size_t ModuleDecoder::Read(std::int32_t rate, std::size_t frames, std::int16_t* out) {
    return openmpt_module_read_interleaved_stereo(m_module, rate, frames, out);
}
