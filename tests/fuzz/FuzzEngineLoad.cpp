// The audio engine loading a module from an offset in a hostile file, then playing a little
// of whatever loaded, through a fresh engine per input so memory stays flat.
//
// The first two input bytes, little-endian, give the offset; the rest is the file. Offsets at
// or past the end of the file are fuzzed too.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio/EngineAudioLibrary.h"
#include "tests/fuzz/FuzzScratch.h"

namespace {
constexpr std::size_t kOffsetBytes = 2;
// A few SDL buffers' worth: enough to run the decoder through its first rows and a fade.
constexpr std::size_t kRenderFrames = 1024;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kOffsetBytes) {
        return 0;
    }
    const std::int32_t offset = data[0] | data[1] << 8;
    const std::string path = ScratchFolder() + "/module.bin";
    if (!WriteBytes(path, data + kOffsetBytes, size - kOffsetBytes)) {
        return 0;
    }

    EngineSettings settings;
    settings.decoder.dither = false;
    EngineAudioLibrary engine(settings);
    ModuleHandle slot = kNoModule;
    const int code = engine.LoadModuleAt(path.c_str(), &slot, offset);
    char text[kErrorTextSize];
    engine.DescribeError(code, text, kErrorTextSize - 1);
    if (code != kEngineOk) {
        return 0;
    }
    static std::vector<std::int16_t> out(2 * kRenderFrames);
    engine.StartPlayback(slot);
    engine.Render(out.data(), kRenderFrames);
    engine.PausePlayback();
    engine.Render(out.data(), kRenderFrames);
    engine.ContinuePlayback();
    engine.StartPlayback(slot);
    engine.Render(out.data(), kRenderFrames);
    engine.HaltPlayback();
    return 0;
}
