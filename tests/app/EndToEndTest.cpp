// The whole program on the demo soundtrack with the real audio engine and SDL's disk driver:
// the first track must sound, and must have been started before the player window shows.
// The disk driver writes into a FIFO that a thread reads, so the captured samples arrive as
// the engine renders them.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "archive/CPackFile.h"
#include "platform/audio/EngineAudioLibrary.h"
#include "platform/ui/CWinApp.h"
#include "playback/TrackList.h"
#include "tests/support/TempDir.h"

namespace {
constexpr std::size_t kRate = 44100;
// Enough of the first track to tell it from the others.
constexpr std::size_t kCompareFrames = kRate;

// The real engine, noting whether the first track was started.
class WatchedEngine final : public AudioLibrary {
public:
    int StartLibrary() override { return engine.StartLibrary(); }
    int OpenOutput(const AudioOutputInfo* info) override { return engine.OpenOutput(info); }
    int AllocateVoices(std::int32_t count) override { return engine.AllocateVoices(count); }
    int LoadModuleAt(const char* path, ModuleHandle* slot, std::int32_t offset) override {
        return engine.LoadModuleAt(path, slot, offset);
    }
    int DescribeError(int code, char* buffer, int capacity) override {
        return engine.DescribeError(code, buffer, capacity);
    }
    int StartPlayback(ModuleHandle module) override {
        firstTrackStarted = firstTrackStarted || (module != kNoModule && module == pModule[0]);
        return engine.StartPlayback(module);
    }
    int HaltPlayback() override { return engine.HaltPlayback(); }
    int PausePlayback() override { return engine.PausePlayback(); }
    int ContinuePlayback() override { return engine.ContinuePlayback(); }
    int ReleaseVoices() override { return engine.ReleaseVoices(); }
    int CloseOutput() override { return engine.CloseOutput(); }

    EngineAudioLibrary engine;
    bool firstTrackStarted = false;
};

// Everything the disk driver wrote, from the first non-zero sample on.
class Capture {
public:
    void Read(int fd) {
        std::int16_t buffer[4096];
        ssize_t got = 0;
        while ((got = read(fd, buffer, sizeof buffer)) > 0) {
            std::int16_t* end = buffer + got / static_cast<ssize_t>(sizeof(std::int16_t));
            std::lock_guard lock(m_mutex);
            std::int16_t* from = buffer;
            if (m_samples.empty()) {
                from = std::find_if(buffer, end, [](std::int16_t s) { return s != 0; });
                from -= (from - buffer) % 2;  // keep whole stereo frames
            }
            m_samples.insert(m_samples.end(), from, end);
        }
    }
    std::size_t Frames() {
        std::lock_guard lock(m_mutex);
        return m_samples.size() / 2;
    }
    std::vector<std::int16_t> Samples() {
        std::lock_guard lock(m_mutex);
        return m_samples;
    }

private:
    std::mutex m_mutex;
    std::vector<std::int16_t> m_samples;
};

WatchedEngine* g_engine = nullptr;
Capture* g_capture = nullptr;
bool g_windowShown = false;
bool g_startedBeforeWindow = false;

// At the first window shown: was the first track already started? Then the window stays
// until a second of its sound has been captured, and is closed like Exit.
class WindowWatch final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() != QEvent::Show || g_windowShown || widget == nullptr ||
            !widget->isWindow()) {
            return false;
        }
        g_windowShown = true;
        g_startedBeforeWindow = g_engine->firstTrackStarted;
        auto* poll = new QTimer(widget);
        auto waited = std::make_shared<int>(0);
        QObject::connect(poll, &QTimer::timeout, widget, [widget, waited] {
            constexpr int kPollMs = 20;
            constexpr int kGiveUpMs = 10000;
            *waited += kPollMs;
            if (g_capture->Frames() >= kCompareFrames + kRate / 10 || *waited > kGiveUpMs) {
                widget->close();
            }
        });
        poll->start(20);
        return false;
    }
};

void WatchWindows() {
    // Owned by the application, so it goes when the application does.
    auto* watch = new WindowWatch;
    watch->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(watch);
}
Q_COREAPP_STARTUP_FUNCTION(WatchWindows)

TEST(EndToEndTest, FirstDemoTrackSoundsThroughTheDiskDriverFromBeforeTheWindow) {
    TempDir dir;
    std::filesystem::copy_file(MARIVENN_DEMO_ARCHIVE, dir.File("marivenn.dat"));
    dir.Enter();
    const std::string fifo = dir.File("audio.fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // Reading and writing: opens at once, and reads never end before the driver opens it.
    const int fd = open(fifo.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    Capture capture;
    g_capture = &capture;
    std::thread reader([&capture, fd] { capture.Read(fd); });
    reader.detach();  // blocked in read until the process ends
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", fifo.c_str(), 1);

    WatchedEngine engine;
    g_engine = &engine;
    InstallAudioLibrary(&engine);
    std::string exe = "marivenn";
    char* argv[] = {exe.data(), nullptr};
    AfxWinMain(1, argv);
    InstallAudioLibrary(nullptr);

    EXPECT_TRUE(g_windowShown);
    EXPECT_TRUE(g_startedBeforeWindow);
    const std::vector<std::int16_t> captured = capture.Samples();
    ASSERT_GE(captured.size() / 2, kCompareFrames) << "too little sound was captured";

    // The same track rendered offline from the archive, without dither.
    EngineSettings settings;
    settings.decoder.dither = false;
    EngineAudioLibrary offline(settings);
    ModuleHandle handle = kNoModule;
    ASSERT_EQ(
        offline.LoadModuleAt("marivenn.dat", &handle, thePack.OffsetOf(pTrackList[0].szFileName)),
        0);
    offline.StartPlayback(handle);
    std::vector<std::int16_t> expected(2 * (kCompareFrames + offline.RampFrames()));
    offline.Render(expected.data(), expected.size() / 2);
    const auto first =
        std::find_if(expected.begin(), expected.end(), [](std::int16_t s) { return s != 0; });
    const std::size_t lead = static_cast<std::size_t>(first - expected.begin()) / 2 * 2;

    // Dither moves a sample by a step or two; anything else is another sound.
    constexpr int kTolerance = 4;
    std::size_t differing = 0;
    for (std::size_t i = 2 * offline.RampFrames(); i < 2 * kCompareFrames; ++i) {
        differing += std::abs(captured[i] - expected[lead + i]) > kTolerance ? 1 : 0;
    }
    EXPECT_EQ(differing, 0u) << "the captured sound is not the first track from its start";
}
}  // namespace
