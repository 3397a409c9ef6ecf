// The pull path allocates nothing: SDL's audio thread must never wait on the heap. Every
// allocation made through operator new in this process is counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

#include "platform/audio/EngineAudioLibrary.h"
#include "tests/platform/audio/TestSongs.h"
#include "tests/support/TempDir.h"

namespace {
std::atomic<long> g_allocations{0};
}  // namespace

// Every form of new and delete the code can reach, on malloc and free, so allocation and
// release always match whichever form is used.
namespace {
void* Allocate(std::size_t size) noexcept {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    return std::malloc(size == 0 ? 1 : size);
}

void* AllocateOrThrow(std::size_t size) {
    if (void* block = Allocate(size)) {
        return block;
    }
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](std::size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}

namespace {

TEST(EngineAllocationTest, RenderingAllocatesNothingInAnyState) {
    TempDir dir;
    EngineAudioLibrary engine;
    ModuleHandle songs[2] = {kNoModule, kNoModule};
    ASSERT_EQ(engine.LoadModuleAt(dir.Write("a.mod", ShortSong()).c_str(), &songs[0], 0), 0);
    ASSERT_EQ(engine.LoadModuleAt(dir.Write("b.mod", OtherSong()).c_str(), &songs[1], 0), 0);
    std::vector<std::int16_t> out(2 * 1024);

    struct Step {
        const char* what;
        void (*change)(EngineAudioLibrary&, const ModuleHandle*);
    };
    const Step steps[] = {
        {"nothing started", [](EngineAudioLibrary&, const ModuleHandle*) {}},
        {"first start",
         [](EngineAudioLibrary& e, const ModuleHandle* s) { e.StartPlayback(s[0]); }},
        {"playing", [](EngineAudioLibrary&, const ModuleHandle*) {}},
        {"pause", [](EngineAudioLibrary& e, const ModuleHandle*) { e.PausePlayback(); }},
        {"resume", [](EngineAudioLibrary& e, const ModuleHandle*) { e.ContinuePlayback(); }},
        {"track change",
         [](EngineAudioLibrary& e, const ModuleHandle* s) {
             e.HaltPlayback();
             e.StartPlayback(s[1]);
         }},
        {"halt", [](EngineAudioLibrary& e, const ModuleHandle*) { e.HaltPlayback(); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        step.change(engine, songs);
        const long before = g_allocations.load();
        for (int pull = 0; pull < 20; ++pull) {
            engine.Render(out.data(), 1024);
        }
        EXPECT_EQ(g_allocations.load() - before, 0);
    }
}

}  // namespace
