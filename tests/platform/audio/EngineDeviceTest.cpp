// The engine behind a real SDL device, and without one. The disk driver writes what the
// audio thread pulls into a file, so the samples the player would send to a sound card can be
// read back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/audio/EngineAudioLibrary.h"
#include "tests/platform/audio/TestSongs.h"
#include "tests/support/TempDir.h"

namespace {

// The disk driver writes at the pace of a sound card; a generous bound for a busy machine.
constexpr auto kPatience = std::chrono::seconds(20);
// A quarter of a second of stereo 16-bit sound at 44.1 kHz.
constexpr std::uintmax_t kWantedBytes = 44100;

TEST(EngineDeviceTest, StartUpSequenceSendsTheSongToTheDevice) {
    TempDir dir;
    const std::string output = dir.File("device.raw");
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "disk", 1), 0);
    ASSERT_EQ(setenv("SDL_DISKAUDIOFILE", output.c_str(), 1), 0);
    const std::string song = dir.Write("song.mod", ShortSong());

    EngineAudioLibrary engine;
    ASSERT_EQ(engine.StartLibrary(), kEngineOk);
    const AudioOutputInfo info{kDefaultDevice, kFormat16BitStereo, 44100};
    ASSERT_EQ(engine.OpenOutput(&info), kEngineOk);
    ModuleHandle slot = kNoModule;
    ASSERT_EQ(engine.LoadModuleAt(song.c_str(), &slot, 0), kEngineOk);
    ASSERT_EQ(engine.AllocateVoices(32), kEngineOk);
    ASSERT_EQ(engine.StartPlayback(slot), kEngineOk);

    std::error_code ignored;
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (std::filesystem::file_size(output, ignored) < kWantedBytes &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    engine.HaltPlayback();
    engine.ReleaseVoices();
    engine.CloseOutput();

    const Bytes raw = ReadBytes(output);
    ASSERT_GE(raw.size(), kWantedBytes);
    std::vector<std::int16_t> samples(raw.size() / sizeof(std::int16_t));
    std::memcpy(samples.data(), raw.data(), samples.size() * sizeof(std::int16_t));
    EXPECT_GT(Rms(samples), 500.0);
}

TEST(EngineDeviceTest, WithoutAnyAudioDriverOutputFailsAndTheRestWorksSilently) {
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "no-such-driver", 1), 0);
    TempDir dir;
    const std::string song = dir.Write("song.mod", ShortSong());

    EngineAudioLibrary engine;
    EXPECT_EQ(engine.StartLibrary(), kEngineAudioUnavailable);
    const AudioOutputInfo info{kDefaultDevice, kFormat16BitStereo, 44100};
    EXPECT_EQ(engine.OpenOutput(&info), kEngineAudioUnavailable);
    ModuleHandle slot = kNoModule;
    ASSERT_EQ(engine.LoadModuleAt(song.c_str(), &slot, 0), kEngineOk);
    EXPECT_EQ(engine.AllocateVoices(32), kEngineOk);
    EXPECT_EQ(engine.StartPlayback(slot), kEngineOk);
    EXPECT_EQ(engine.PausePlayback(), kEngineOk);
    EXPECT_EQ(engine.ContinuePlayback(), kEngineOk);
    std::vector<std::int16_t> out(2 * 4096);
    engine.Render(out.data(), 4096);
    EXPECT_GT(Rms(out), 500.0);
    EXPECT_EQ(engine.HaltPlayback(), kEngineOk);
    EXPECT_EQ(engine.ReleaseVoices(), kEngineOk);
    EXPECT_EQ(engine.CloseOutput(), kEngineOk);
}

TEST(EngineDeviceTest, ChangingTracksWhileTheAudioThreadPullsIsSafe) {
    // The dummy driver pulls on its own thread at the pace of a sound card.
    ASSERT_EQ(setenv("SDL_AUDIODRIVER", "dummy", 1), 0);
    TempDir dir;
    const std::string first = dir.Write("first.mod", ShortSong());
    const std::string second = dir.Write("second.mod", OtherSong());

    EngineAudioLibrary engine;
    engine.StartLibrary();
    const AudioOutputInfo info{kDefaultDevice, kFormat16BitStereo, 44100};
    ASSERT_EQ(engine.OpenOutput(&info), kEngineOk);
    ModuleHandle songs[2] = {kNoModule, kNoModule};
    ASSERT_EQ(engine.LoadModuleAt(first.c_str(), &songs[0], 0), kEngineOk);
    ASSERT_EQ(engine.LoadModuleAt(second.c_str(), &songs[1], 0), kEngineOk);
    for (int i = 0; i < 200; ++i) {
        engine.HaltPlayback();
        engine.StartPlayback(songs[i % 2]);
        if (i % 3 == 0) {
            engine.PausePlayback();
            std::this_thread::sleep_for(std::chrono::microseconds(300));
            engine.ContinuePlayback();
        }
        if (i % 50 == 0) {
            // Reopening swaps the device while a song plays.
            ASSERT_EQ(engine.OpenOutput(&info), kEngineOk);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    engine.HaltPlayback();
    engine.ReleaseVoices();
    engine.CloseOutput();
}

}  // namespace
