#include "tools/DemoSoundtrack.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <set>

#include "archive/CPackFile.h"
#include "playback/TrackList.h"
#include "tests/support/ScriptedUiService.h"
#include "tests/support/TempDir.h"

namespace {

constexpr std::int32_t kRate = 44100;
// Anything quieter than this over a whole tune is silence as far as a listener is concerned.
constexpr double kAudibleRms = 500.0;
// Leave room below full scale: a mix this loud would be clipping.
constexpr double kLoudestRms = 12000.0;

struct ModuleDeleter {
    void operator()(openmpt_module* m) const { openmpt_module_destroy(m); }
};

TEST(DemoSoundtrackTest, TunesAreValidModulesThatSoundAndLastASensibleTime) {
    const std::vector<DemoTune> tunes = ComposeDemoTunes();
    ASSERT_GE(tunes.size(), 3u);
    std::set<std::string> names;
    for (const DemoTune& tune : tunes) {
        SCOPED_TRACE(tune.fileName);
        EXPECT_TRUE(names.insert(tune.fileName).second);
        EXPECT_TRUE(CheckMemberName(tune.fileName).empty());
        EXPECT_TRUE(CheckTitle(tune.title).empty());

        Bytes bytes;
        std::string error;
        ASSERT_TRUE(WriteModule(tune.song, bytes, error)) << error;
        const std::unique_ptr<openmpt_module, ModuleDeleter> module(
            openmpt_module_create_from_memory2(bytes.data(), bytes.size(), nullptr, nullptr,
                                               nullptr, nullptr, nullptr, nullptr, nullptr));
        ASSERT_NE(module, nullptr);
        const double seconds = openmpt_module_get_duration_seconds(module.get());
        EXPECT_GE(seconds, 20.0);
        EXPECT_LE(seconds, 180.0);

        std::vector<std::int16_t> buffer(2 * 4096);
        double sum = 0;
        std::size_t frames = 0;
        std::size_t got = 0;
        while ((got = openmpt_module_read_interleaved_stereo(module.get(), kRate, 4096,
                                                             buffer.data())) > 0) {
            for (std::size_t i = 0; i < 2 * got; ++i) {
                sum += double(buffer[i]) * buffer[i];
            }
            frames += got;
        }
        EXPECT_NEAR(double(frames) / kRate, seconds, 1.0);
        const double rms = std::sqrt(sum / double(2 * std::max<std::size_t>(frames, 1)));
        EXPECT_GT(rms, kAudibleRms);
        EXPECT_LT(rms, kLoudestRms);
    }
}

TEST(DemoSoundtrackTest, ArchiveListsEveryTuneInItsCatalogue) {
    Bytes archive;
    std::string error;
    ASSERT_TRUE(BuildDemoArchive(archive, error)) << error;
    TempDir dir;
    ScriptedUiService ui;
    const std::string path = dir.Write("marivenn.dat", archive);
    CPackFile pack;
    ASSERT_EQ(pack.Open(path.c_str()), 0);

    const std::vector<DemoTune> tunes = ComposeDemoTunes();
    const std::int32_t catalogue = pack.OffsetOf("music.dat");
    ASSERT_GT(catalogue, 0);
    std::int32_t count = 0;
    std::memcpy(&count, archive.data() + catalogue, sizeof count);
    ASSERT_EQ(count, static_cast<std::int32_t>(tunes.size()));
    for (std::size_t i = 0; i < tunes.size(); ++i) {
        TrackRecord record{};
        std::memcpy(&record, archive.data() + catalogue + 4 + i * sizeof record, sizeof record);
        EXPECT_EQ(record.szFileName, tunes[i].fileName);
        EXPECT_EQ(record.szTitle, tunes[i].title);
        Bytes module;
        ASSERT_TRUE(WriteModule(tunes[i].song, module, error));
        const std::int32_t offset = pack.OffsetOf(record.szFileName);
        ASSERT_GT(offset, 0);
        ASSERT_EQ(pack.SizeOf(record.szFileName), static_cast<std::int32_t>(module.size()));
        EXPECT_EQ(0, std::memcmp(archive.data() + offset, module.data(), module.size()));
    }
}

}  // namespace
