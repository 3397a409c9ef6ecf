// Time to save a 5 MB track with ExportMember against dd copying the same byte range, with
// and without dd syncing to disk (ExportMember syncs before it replaces the destination).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "archive/CPackFile.h"
#include "bench/BenchSupport.h"
#include "tools/PackWriter.h"
#include "ui/ExportMember.h"

namespace {
// A large module: well above the typical track, so the copy itself dominates.
constexpr std::size_t kMemberSize = 5 * 1024 * 1024;
// Odd, so a single outlier cannot decide the median.
constexpr int kRuns = 9;

double MedianMilliseconds(const std::function<bool()>& run) {
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        if (!run()) {
            std::fprintf(stderr, "run failed\n");
            std::exit(1);
        }
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    return Median(std::move(times));
}
}  // namespace

int main() {
    const std::string folder = MakeScratchFolder("marivenn-bench");
    Bytes data(kMemberSize);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    }
    Bytes archive;
    std::string error;
    const std::string archivePath = folder + "/marivenn.dat";
    if (!BuildPack({{"BIG.MOD", data}}, archive, error) ||
        !WriteFileReplacing(archivePath, archive, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    CPackFile pack;
    if (pack.Open(archivePath.c_str()) != 0) {
        std::fprintf(stderr, "cannot open %s\n", archivePath.c_str());
        return 1;
    }
    const std::string destination = folder + "/out.mod";
    const std::string range =
        " iflag=skip_bytes,count_bytes skip=" + std::to_string(pack.OffsetOf("BIG.MOD")) +
        " count=" + std::to_string(pack.SizeOf("BIG.MOD"));
    const std::string dd =
        "dd if=" + archivePath + " of=" + destination + range + " bs=1M status=none";

    const double exportMs = MedianMilliseconds(
        [&] { return ExportMember(pack, "BIG.MOD", destination.c_str()).empty(); });
    const double ddMs = MedianMilliseconds([&] { return std::system(dd.c_str()) == 0; });
    const double ddSyncMs =
        MedianMilliseconds([&] { return std::system((dd + " conv=fsync").c_str()) == 0; });

    std::printf("member: %zu bytes, median of %d runs\n", kMemberSize, kRuns);
    std::printf("ExportMember:      %8.2f ms\n", exportMs);
    std::printf("dd:                %8.2f ms  (ratio %.2f)\n", ddMs, exportMs / ddMs);
    std::printf("dd conv=fsync:     %8.2f ms  (ratio %.2f)\n", ddSyncMs, exportMs / ddSyncMs);
    std::printf("dd times include starting a shell and dd.\n");
    std::fclose(pack.m_pFile);
    std::filesystem::remove_all(folder);
    return 0;
}
