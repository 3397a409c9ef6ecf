// The engine rendered offline through its pull function, as SDL's audio thread would pull it,
// with no device open.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/audio/EngineAudioLibrary.h"
#include "tests/platform/audio/TestSongs.h"
#include "tests/support/Fixtures.h"
#include "tests/support/TempDir.h"

namespace {

constexpr std::int32_t kRate = 44100;
// What SDL asks for per callback.
constexpr std::size_t kPull = 1024;
// Quieter than this over a stretch is silence to a listener.
constexpr double kAudibleRms = 500.0;
// An unfilled slot: LoadModuleAt must leave it alone on failure.
constexpr ModuleHandle kUntouched = 0xBAD;

EngineSettings Exact() {
    EngineSettings settings;
    settings.offlineRate = kRate;
    settings.decoder.dither = false;
    return settings;
}

// `frames` frames pulled in SDL-sized pieces.
std::vector<std::int16_t> Pull(EngineAudioLibrary& engine, std::size_t frames) {
    std::vector<std::int16_t> out(2 * frames);
    for (std::size_t done = 0; done < frames; done += kPull) {
        engine.Render(out.data() + 2 * done, std::min(kPull, frames - done));
    }
    return out;
}

std::size_t Frames(double seconds) {
    return static_cast<std::size_t>(seconds * kRate);
}

std::vector<std::int16_t> Slice(const std::vector<std::int16_t>& s, std::size_t fromFrame,
                                std::size_t frames) {
    return {s.begin() + 2 * fromFrame, s.begin() + 2 * (fromFrame + frames)};
}

// The engine fades over `ramp` frames: a fading song's frame i after the change has the gain
// (ramp - 1 - i) / ramp, an entering one (i + 1) / ramp. These give the largest distance of
// `actual` from that, over the fade: anything above rounding is a cut or a jump.
double FadeOutError(const std::vector<std::int16_t>& actual,
                    const std::vector<std::int16_t>& fading,
                    const std::vector<std::int16_t>& entering, std::size_t ramp) {
    double worst = 0.0;
    for (std::size_t k = 0; k < 2 * ramp; ++k) {
        const double gain = double(ramp - 1 - k / 2) / double(ramp);
        const double expected = fading[k] * gain + (entering.empty() ? 0.0 : entering[k]);
        worst = std::max(worst, std::abs(actual[k] - expected));
    }
    return worst;
}

double FadeInError(const std::vector<std::int16_t>& actual, const std::vector<std::int16_t>& full,
                   std::size_t ramp) {
    double worst = 0.0;
    for (std::size_t k = 0; k < 2 * ramp; ++k) {
        const double gain = double(k / 2 + 1) / double(ramp);
        worst = std::max(worst, std::abs(actual[k] - full[k] * gain));
    }
    return worst;
}

// Off by at most this much from the exact gain: float gains and truncation to 16 bits.
constexpr double kRounding = 2.0;

class EngineRenderTest : public ::testing::Test {
protected:
    ModuleHandle Load(EngineAudioLibrary& engine, const Bytes& file, std::int32_t offset = 0) {
        const std::string path = m_dir.Write("file" + std::to_string(m_files++) + ".bin", file);
        ModuleHandle slot = kNoModule;
        EXPECT_EQ(engine.LoadModuleAt(path.c_str(), &slot, offset), kEngineOk);
        EXPECT_NE(slot, kNoModule);
        return slot;
    }

    TempDir m_dir;
    int m_files = 0;
};

TEST_F(EngineRenderTest, GeneratedModuleSoundsFromTheFirstPull) {
    EngineAudioLibrary engine(Exact());
    ASSERT_EQ(engine.StartPlayback(Load(engine, ShortSong())), kEngineOk);
    const std::vector<std::int16_t> out = Pull(engine, Frames(1.0));
    EXPECT_GT(Rms(out, 0, 2 * Frames(0.1)), kAudibleRms);
    EXPECT_GT(Rms(out), kAudibleRms);
}

TEST_F(EngineRenderTest, ModuleAtAnOffsetSoundsLikeTheModuleAloneAndOnlyItsBytesAreKept) {
    const Bytes song = ShortSong();
    // Other members before it and a different song after it, as in an archive.
    const Bytes before = Pattern(1234, 7);
    Bytes file = before;
    file.insert(file.end(), song.begin(), song.end());
    const Bytes after = OtherSong();
    file.insert(file.end(), after.begin(), after.end());

    EngineAudioLibrary alone(Exact());
    EngineAudioLibrary inside(Exact());
    const ModuleHandle aloneHandle = Load(alone, song);
    const ModuleHandle insideHandle = Load(inside, file, static_cast<std::int32_t>(before.size()));
    EXPECT_LE(inside.KeptBytes(insideHandle), song.size());
    alone.StartPlayback(aloneHandle);
    inside.StartPlayback(insideHandle);
    const std::vector<std::int16_t> expected = Pull(alone, Frames(2.5));
    EXPECT_GT(Rms(expected), kAudibleRms);
    EXPECT_EQ(Pull(inside, Frames(2.5)), expected);
}

TEST_F(EngineRenderTest, FailedLoadsGiveTheirCodeAndTextAndLeaveTheSlotAlone) {
    const Bytes song = ShortSong();
    Bytes text(3000, 'a');
    // A module whose sample table and pattern data are cut off.
    const Bytes damaged(song.begin(), song.begin() + 600);
    const std::string directory = m_dir.File("folder");
    std::filesystem::create_directory(directory);
    // Opening a pipe nobody writes to would wait forever.
    const std::string pipe = m_dir.File("pipe");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);

    struct Case {
        const char* what;
        std::string path;
        std::int32_t offset;
        int code;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"missing file", m_dir.File("missing.mod"), 0, kEngineFileNotFound,
         "module file not found"},
        {"folder", directory, 0, kEngineFileUnreadable, "module file cannot be read"},
        {"pipe", pipe, 0, kEngineFileUnreadable, "module file cannot be read"},
        {"offset at the end", m_dir.Write("song.mod", song), static_cast<std::int32_t>(song.size()),
         kEngineOffsetOutsideFile, "module offset lies outside the file"},
        {"negative offset", m_dir.File("song.mod"), -1, kEngineOffsetOutsideFile,
         "module offset lies outside the file"},
        {"text", m_dir.Write("text.txt", text), 0, kEngineNotAModule,
         "not a module, or the module is damaged"},
        {"damaged", m_dir.Write("damaged.mod", damaged), 0, kEngineNotAModule,
         "not a module, or the module is damaged"},
        {"module's tail", m_dir.File("song.mod"), 1100, kEngineNotAModule,
         "not a module, or the module is damaged"},
    };
    EngineAudioLibrary engine(Exact());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ModuleHandle slot = kUntouched;
        const int code = engine.LoadModuleAt(c.path.c_str(), &slot, c.offset);
        EXPECT_EQ(code, c.code);
        EXPECT_EQ(slot, kUntouched);
        char buffer[kErrorTextSize];
        std::memset(buffer, 'x', sizeof buffer);
        engine.DescribeError(code, buffer, kErrorTextSize - 1);
        EXPECT_EQ(std::string(buffer).rfind(c.text, 0), 0u) << buffer;
    }
    ModuleHandle slot = kUntouched;
    EXPECT_EQ(engine.LoadModuleAt(nullptr, &slot, 0), kEngineBadArgument);
    EXPECT_EQ(engine.LoadModuleAt(m_dir.File("song.mod").c_str(), nullptr, 0), kEngineBadArgument);
    EXPECT_EQ(slot, kUntouched);
}

TEST_F(EngineRenderTest, ErrorTextIsCutToTheCapacityAndAlwaysTerminated) {
    EngineAudioLibrary engine(Exact());
    for (const int capacity : {0, 1, 6, kErrorTextSize - 1}) {
        SCOPED_TRACE(capacity);
        std::vector<char> buffer(kErrorTextSize + 1, 'x');
        engine.DescribeError(kEngineFileNotFound, buffer.data(), capacity);
        const std::string expected = std::string("module file not found").substr(0, capacity);
        EXPECT_EQ(std::string(buffer.data()), expected);
        EXPECT_EQ(buffer[static_cast<std::size_t>(capacity) + 1], 'x');
    }
    char buffer[kErrorTextSize];
    engine.DescribeError(-42, buffer, kErrorTextSize - 1);
    EXPECT_STREQ(buffer, "unknown error");
}

TEST_F(EngineRenderTest, PauseFadesToSilenceAndResumeContinuesWhereItPaused) {
    EngineAudioLibrary reference(Exact());
    EngineAudioLibrary engine(Exact());
    const Bytes song = ShortSong();
    reference.StartPlayback(Load(reference, song));
    engine.StartPlayback(Load(engine, song));
    const std::size_t ramp = engine.RampFrames();
    ASSERT_GT(ramp, 0u);
    const std::size_t played = Frames(0.5);
    const std::vector<std::int16_t> expected = Pull(reference, played + ramp + Frames(1.0));

    EXPECT_EQ(Pull(engine, played), Slice(expected, 0, played));
    engine.PausePlayback();
    EXPECT_LE(FadeOutError(Pull(engine, ramp), Slice(expected, played, ramp), {}, ramp), kRounding);
    const std::vector<std::int16_t> paused = Pull(engine, Frames(0.7));
    EXPECT_TRUE(std::all_of(paused.begin(), paused.end(), [](std::int16_t s) { return s == 0; }));

    engine.ContinuePlayback();
    const std::vector<std::int16_t> resumed = Pull(engine, Frames(1.0));
    // The song goes on from where the fade out left it, fading in.
    EXPECT_LE(FadeInError(resumed, Slice(expected, played + ramp, ramp), ramp), kRounding);
    EXPECT_EQ(Slice(resumed, ramp, Frames(1.0) - ramp),
              Slice(expected, played + 2 * ramp, Frames(1.0) - ramp));
}

TEST_F(EngineRenderTest, HaltThenStartPlaysFromTheBeginningAlsoAfterAPause) {
    EngineAudioLibrary engine(Exact());
    const ModuleHandle song = Load(engine, ShortSong());
    engine.StartPlayback(song);
    const std::vector<std::int16_t> first = Pull(engine, Frames(1.0));

    for (const bool pauseFirst : {false, true}) {
        SCOPED_TRACE(pauseFirst);
        Pull(engine, Frames(0.3));
        if (pauseFirst) {
            engine.PausePlayback();
            Pull(engine, Frames(0.1));
        }
        engine.HaltPlayback();
        engine.StartPlayback(song);
        const std::vector<std::int16_t> again = Pull(engine, Frames(1.0));
        // Once the old position has faded out, it is the start of the song again.
        const std::size_t ramp = engine.RampFrames();
        EXPECT_EQ(Slice(again, ramp, Frames(1.0) - ramp), Slice(first, ramp, Frames(1.0) - ramp));
    }
}

TEST_F(EngineRenderTest, StartRightAfterHaltFadesTheOldSongOutWhileTheNewOneFadesIn) {
    EngineAudioLibrary engine(Exact());
    EngineAudioLibrary oldSong(Exact());
    EngineAudioLibrary newSong(Exact());
    const ModuleHandle first = Load(engine, ShortSong());
    const ModuleHandle second = Load(engine, OtherSong());
    oldSong.StartPlayback(Load(oldSong, ShortSong()));
    newSong.StartPlayback(Load(newSong, OtherSong()));
    engine.StartPlayback(first);
    const std::size_t played = Frames(0.3);
    const std::size_t ramp = engine.RampFrames();
    EXPECT_EQ(Pull(engine, played), Pull(oldSong, played));

    // As the player's double-click does it: the two calls come back to back.
    engine.HaltPlayback();
    engine.StartPlayback(second);
    const std::vector<std::int16_t> change = Pull(engine, Frames(0.5));
    const std::vector<std::int16_t> entering = Pull(newSong, Frames(0.5));
    EXPECT_LE(FadeOutError(change, Pull(oldSong, ramp), entering, ramp), kRounding);
    EXPECT_EQ(Slice(change, ramp, Frames(0.5) - ramp), Slice(entering, ramp, Frames(0.5) - ramp));
}

TEST_F(EngineRenderTest, SongLoopsPastItsEndWithoutAGap) {
    EngineAudioLibrary engine(Exact());
    engine.StartPlayback(Load(engine, ShortSong()));
    const std::vector<std::int16_t> out = Pull(engine, Frames(3.5 * kShortSongSeconds));
    // The square wave sounds on every row, so anything silent for a millisecond is a gap.
    const std::size_t gap = Frames(0.001);
    std::size_t silent = 0;
    std::size_t longest = 0;
    for (std::size_t frame = engine.RampFrames(); frame < out.size() / 2; ++frame) {
        silent = out[2 * frame] == 0 && out[2 * frame + 1] == 0 ? silent + 1 : 0;
        longest = std::max(longest, silent);
    }
    EXPECT_LT(longest, gap);
    for (int pass = 1; pass <= 3; ++pass) {
        SCOPED_TRACE(pass);
        const std::size_t begin = 2 * Frames(pass * kShortSongSeconds);
        EXPECT_GT(Rms(out, begin, begin + 2 * Frames(0.3)), kAudibleRms);
    }
}

TEST_F(EngineRenderTest, EmptyOrUnknownHandleRendersSilenceAndStopsWhatPlayed) {
    EngineAudioLibrary engine(Exact());
    const ModuleHandle song = Load(engine, ShortSong());
    for (const ModuleHandle handle : {kNoModule, song + 1, ModuleHandle{0xFFFFFFFF}}) {
        SCOPED_TRACE(handle);
        engine.StartPlayback(song);
        EXPECT_GT(Rms(Pull(engine, Frames(0.2))), kAudibleRms);
        engine.StartPlayback(handle);
        Pull(engine, engine.RampFrames());
        const std::vector<std::int16_t> out = Pull(engine, Frames(0.5));
        EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::int16_t s) { return s == 0; }));
    }
}

TEST_F(EngineRenderTest, CallsOutOfOrderAreHarmless) {
    EngineAudioLibrary engine(Exact());
    EXPECT_EQ(engine.ContinuePlayback(), kEngineOk);
    EXPECT_EQ(engine.HaltPlayback(), kEngineOk);
    EXPECT_EQ(engine.PausePlayback(), kEngineOk);
    EXPECT_EQ(engine.PausePlayback(), kEngineOk);
    EXPECT_EQ(engine.ReleaseVoices(), kEngineOk);
    EXPECT_EQ(engine.CloseOutput(), kEngineOk);
    EXPECT_NE(engine.OpenOutput(nullptr), kEngineOk);
    EXPECT_NE(engine.AllocateVoices(-1), kEngineOk);
    engine.Render(nullptr, 100);
    std::vector<std::int16_t> out = Pull(engine, 3000);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](std::int16_t s) { return s == 0; }));

    // A start while paused plays: the pause belongs to what was playing.
    const ModuleHandle song = Load(engine, ShortSong());
    engine.StartPlayback(song);
    engine.StartPlayback(song);
    EXPECT_GT(Rms(Pull(engine, Frames(0.5))), kAudibleRms);
    engine.PausePlayback();
    engine.StartPlayback(song);
    EXPECT_GT(Rms(Pull(engine, Frames(0.5))), kAudibleRms);
}

}  // namespace
