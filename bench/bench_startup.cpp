// Start-up figures of the real player: time from process start to the first audible sample
// and to the player window shown, and the resident memory then, for archives of 3, 28 and
// 99 generated tracks. Each run is a fresh process (the player's objects are process-wide):
// the bench starts itself as a child that runs the real start-up with SDL's disk driver
// writing into a FIFO, which a thread reads to see the first non-zero sample as it is
// produced; the first window shown is recorded and closed, which ends the player.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "app/RunPlayer.h"
#include "bench/BenchSupport.h"
#include "tools/DemoSoundtrack.h"
#include "tools/PackWriter.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
// Odd, so the median is one run's figure.
constexpr int kRuns = 7;
constexpr int kTrackCounts[] = {3, 28, 99};

const Clock::time_point g_processStart = Clock::now();
std::atomic<double> g_firstSampleMs{-1};
double g_windowMs = -1;
long g_windowRssKb = -1;

double MsSinceStart() {
    return std::chrono::duration<double, std::milli>(Clock::now() - g_processStart).count();
}

// Reads the audio FIFO until it closes, noting when the first non-zero sample arrived.
void ReadAudio(int fd) {
    std::int16_t buffer[4096];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) > 0) {
        if (g_firstSampleMs.load() >= 0) {
            continue;
        }
        const std::size_t samples = static_cast<std::size_t>(got) / sizeof(std::int16_t);
        if (std::any_of(buffer, buffer + samples, [](std::int16_t s) { return s != 0; })) {
            g_firstSampleMs = MsSinceStart();
        }
    }
    close(fd);
}

// Notes the first window the user would see and closes it, which ends the modal run.
class WindowProbe final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && g_windowMs < 0) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow()) {
                g_windowMs = MsSinceStart();
                g_windowRssKb = ResidentKilobytes();
                // The window stays until the first sound has arrived, or for two seconds.
                auto* poll = new QTimer(widget);
                const double shown = g_windowMs;
                QObject::connect(poll, &QTimer::timeout, widget, [widget, shown] {
                    if (g_firstSampleMs.load() >= 0 || MsSinceStart() - shown > 2000) {
                        widget->close();
                    }
                });
                poll->start(5);
            }
        }
        return false;
    }
};

void InstallWindowProbe() {
    QCoreApplication::instance()->installEventFilter(new WindowProbe);
}
Q_COREAPP_STARTUP_FUNCTION(InstallWindowProbe)

int RunChild(char* self, const std::string& folder, const std::string& fifo,
             const std::string& report) {
    // Opened for reading and writing, which Linux allows on a FIFO without waiting for a
    // writer, and which keeps reads from seeing an end before SDL's disk driver opens it.
    const int fd = open(fifo.c_str(), O_RDWR);
    if (fd < 0) {
        std::perror("fifo");
        return 1;
    }
    std::thread reader(ReadAudio, fd);
    reader.detach();
    fs::current_path(folder);
    char* argv[] = {self, nullptr};
    RunPlayer(1, argv);
    {
        std::ofstream out(report);
        out << g_firstSampleMs.load() << ' ' << g_windowMs << ' ' << g_windowRssKb << '\n';
    }
    _exit(0);  // the audio thread may still be blocked on the FIFO
}

struct RunFigures {
    double firstSampleMs = -1;
    double windowMs = -1;
    long rssKb = -1;
};

bool RunOnce(const std::string& self, const std::string& folder, RunFigures& figures) {
    const std::string fifo = folder + "/audio.fifo";
    const std::string report = folder + "/report.txt";
    fs::remove(fifo);
    fs::remove(report);
    if (mkfifo(fifo.c_str(), 0600) != 0) {
        std::perror("mkfifo");
        return false;
    }
    const pid_t child = fork();
    if (child == 0) {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", fifo.c_str(), 1);
        if (std::getenv("DISPLAY") == nullptr) {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
        }
        execl(self.c_str(), self.c_str(), "--child", folder.c_str(), fifo.c_str(), report.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::ifstream in(report);
    return static_cast<bool>(in >> figures.firstSampleMs >> figures.windowMs >> figures.rssKb);
}

// An archive of `count` tracks: the demo's tunes over and over, each under its own name.
bool BuildArchive(const std::string& folder, int count, std::size_t& moduleBytes) {
    const std::vector<DemoTune> tunes = ComposeDemoTunes();
    std::vector<PackMember> members;
    std::vector<CatalogueEntry> tracks;
    moduleBytes = 0;
    std::string error;
    for (int i = 0; i < count; ++i) {
        const DemoTune& tune = tunes[static_cast<std::size_t>(i) % tunes.size()];
        Bytes module;
        if (!WriteModule(tune.song, module, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return false;
        }
        char name[24];
        std::snprintf(name, sizeof name, "TRACK%02d.MOD", i + 1);
        moduleBytes += module.size();
        tracks.push_back({name, tune.title});
        members.push_back({name, std::move(module)});
    }
    Bytes catalogue;
    Bytes archive;
    if (!BuildCatalogue(tracks, catalogue, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    members.insert(members.begin(), {"MUSIC.DAT", std::move(catalogue)});
    if (!BuildPack(members, archive, error) ||
        !WriteFileReplacing(folder + "/marivenn.dat", archive, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    return true;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::strcmp(argv[1], "--child") == 0) {
        return RunChild(argv[0], argv[2], argv[3], argv[4]);
    }
    const std::string self = fs::canonical("/proc/self/exe").string();
    const std::string root = MakeScratchFolder("marivenn-startup");
    std::printf("Start-up of the player, median of %d runs (SDL disk driver, Qt %s)\n", kRuns,
                std::getenv("DISPLAY") != nullptr ? "on the display" : "offscreen");
    std::printf("%6s  %12s  %14s  %14s  %12s\n", "tracks", "module KiB", "first sample ms",
                "window ms", "resident MiB");
    for (int count : kTrackCounts) {
        const std::string folder = root + "/" + std::to_string(count);
        fs::create_directories(folder);
        std::size_t moduleBytes = 0;
        if (!BuildArchive(folder, count, moduleBytes)) {
            return 1;
        }
        std::vector<double> samples, windows;
        std::vector<long> rss;
        for (int run = 0; run < kRuns; ++run) {
            RunFigures figures;
            if (!RunOnce(self, folder, figures)) {
                std::fprintf(stderr, "run %d with %d tracks failed\n", run, count);
                return 1;
            }
            samples.push_back(figures.firstSampleMs);
            windows.push_back(figures.windowMs);
            rss.push_back(figures.rssKb);
        }
        std::printf("%6d  %12.1f  %14.1f  %14.1f  %12.1f\n", count, moduleBytes / 1024.0,
                    Median(samples), Median(windows), Median(rss) / 1024.0);
    }
    fs::remove_all(root);
    return 0;
}
