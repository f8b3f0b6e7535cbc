// A long run of the real scene, the way rtg's frame loop drives it: neither
// memory nor GL objects may pile up from frame to frame. It runs in-process
// (a hidden window, a debug context that fails the test on any GL error), so
// that it can ask the driver which object names it hands out.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define RTG_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define RTG_ASAN 1
#endif
#endif
#if RTG_ASAN
#include <sanitizer/allocator_interface.h>
#endif

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include "app/frame_loop.h"
#include "scene/room_scene.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/scene_test_support.h"
#include "tools/bench/memory.h"

namespace {

// Frames of the run: the environment's RTG_LONG_RUN_FRAMES when set (a full
// run without rebuilding), else the build's cache variable of that name.
// The first half warms up: the whole flight is flown in it and the driver's
// caches settle. Memory is then watched over the second half, holding at the
// end of the path with the lamp swinging.
constexpr int kDefaultFrames = RTG_LONG_RUN_FRAMES;
constexpr float kStep = 0.12f;    // simulated seconds per frame: the flight takes about 610 frames
constexpr int kMinFrames = 1300;  // a warm-up half that flies the whole path
constexpr int kMaxFrames = 1000000;
constexpr int kSampleEvery = 50;
// Heap bytes in use are exact. An allocation kept every frame, however small,
// sets a new high at every sample; what is merely in use at the moment of a
// sample comes and goes (blips of 96 bytes were seen), and the driver's
// caches may step up now and then (one step of about 110 KiB under
// AddressSanitizer). A container that only grows steps up at each doubling
// of its capacity, so it is caught by the total once that passes the limit.
constexpr int kMaxHeapHighs = 3;
// Under AddressSanitizer freed blocks wait in its quarantine and the heap
// figures wander with it; there LeakSanitizer is the leak check instead.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kHeapIsWatchable = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kHeapIsWatchable = false;
#else
constexpr bool kHeapIsWatchable = true;
#endif
#else
constexpr bool kHeapIsWatchable = true;
#endif
constexpr double kMaxHeapGrowthKiB = 256.0;
// Resident memory wanders by pages and allocator chunks (+-3 MiB under
// AddressSanitizer): the last third of the samples, on average, may not sit
// higher than the first third by more than this.
constexpr double kMaxResidentGrowthKiB = 4096.0;

// Bytes the program holds on the heap right now, by the allocator's own books.
double heapKiB() {
#if RTG_ASAN
    return static_cast<double>(__sanitizer_get_current_allocated_bytes()) / 1024.0;
#else
    const struct mallinfo2 info = mallinfo2();  // the main thread's arena, where the program allocates
    return static_cast<double>(info.uordblks + info.hblkhd) / 1024.0;
#endif
}

// The frames to render, or 0 (with a failure recorded) when the environment
// asks for a count the run cannot use.
int framesOfRun() {
    const char* text = std::getenv("RTG_LONG_RUN_FRAMES");
    if (text == nullptr || *text == '\0') return kDefaultFrames;
    char* end = nullptr;
    errno = 0;
    const long frames = std::strtol(text, &end, 10);
    if (errno != 0 || *end != '\0' || frames < kMinFrames || frames > kMaxFrames) {
        ADD_FAILURE() << "RTG_LONG_RUN_FRAMES='" << text << "': expected a whole number from " << kMinFrames << " to "
                      << kMaxFrames;
        return 0;
    }
    return static_cast<int>(frames);
}

// Gets one fresh name of a kind of GL object and gives it back at once.
struct NameKind {
    const char* kind;
    GLuint (*probe)();
};

// One fresh name from a pair of generate and delete functions.
GLuint probeWith(void (*generate)(GLsizei, GLuint*), void (*remove)(GLsizei, const GLuint*)) {
    GLuint n = 0;
    generate(1, &n);
    remove(1, &n);
    return n;
}

// The lambdas read GLEW's function pointers when called, after GLEW is set up.
const NameKind kKinds[] = {
    {"buffer", [] { return probeWith(glGenBuffers, glDeleteBuffers); }},
    {"texture", [] { return probeWith(glGenTextures, glDeleteTextures); }},
    {"framebuffer", [] { return probeWith(glGenFramebuffers, glDeleteFramebuffers); }},
    {"renderbuffer", [] { return probeWith(glGenRenderbuffers, glDeleteRenderbuffers); }},
    {"vertex array", [] { return probeWith(glGenVertexArrays, glDeleteVertexArrays); }},
    {"query", [] { return probeWith(glGenQueries, glDeleteQueries); }},
    {"program or shader",  // programs and shader objects share one name space
     [] {
         const GLuint n = glCreateProgram();
         glDeleteProgram(n);
         return n;
     }},
};

double mean(const std::vector<double>& values, std::size_t begin, std::size_t end) {
    double sum = 0.0;
    for (std::size_t i = begin; i < end; ++i) sum += values[i];
    return end > begin ? sum / static_cast<double>(end - begin) : 0.0;
}

std::vector<GLuint> probeAll() {
    std::vector<GLuint> names;
    for (const NameKind& k : kKinds) names.push_back(k.probe());
    return names;
}

TEST(LongRun, FramesAfterTheFirstKeepMemoryFlatAndCreateNoGlObjects) {
    // The probes count on the driver handing out names it has not handed out
    // before; without that they could not see an object made and deleted.
    const std::vector<GLuint> first = probeAll();
    const std::vector<GLuint> second = probeAll();
    for (std::size_t k = 0; k < first.size(); ++k)
        ASSERT_EQ(second[k], first[k] + 1) << kKinds[k].kind << " names are reused; the probe cannot count them";

    const int frames = framesOfRun();
    ASSERT_GT(frames, 0);
    const int warmUpFrames = frames / 2;
    RecordProperty("frames", std::to_string(frames));

    ScopedWorkingDirectory runDirectory(RTG_RUN_DIR);
    AppWindow& window = glTestWindow();
    int width = 0, height = 0;
    SDL_GL_GetDrawableSize(window.window, &width, &height);
    RoomScene scene(width, height);
    FrameLoop loop(scene, window.window);

    std::vector<GLuint> afterFirstFrame;
    std::vector<double> heap, resident;
    for (int frame = 0; frame < frames && !HasFailure(); ++frame) {
        // The user's switches on the way, so that every camera path has run
        // before memory is watched.
        if (frame == warmUpFrames / 4 || frame == warmUpFrames / 2) toggleProjection(loop.input(), loop.camera());
        loop.frame(frame == 0 ? 0.0f : kStep);

        if (frame == 0) afterFirstFrame = probeAll();
        if (frame >= warmUpFrames && frame % kSampleEvery == 0) {
            heap.push_back(heapKiB());
            resident.push_back(static_cast<double>(currentResidentKiB()));
        }
    }
    ASSERT_FALSE(HasFailure());
    const Flight& flight = loop.flight();
    EXPECT_TRUE(flight.flying && flight.segmentEnd == flight.finalPoint) << "the flight did not reach its end";

    const std::vector<GLuint> atEnd = probeAll();
    for (std::size_t k = 0; k < atEnd.size(); ++k) {
        // One name went to the probe itself.
        EXPECT_EQ(atEnd[k] - afterFirstFrame[k] - 1, 0u)
            << kKinds[k].kind << " names created during frames 2 to " << frames;
    }

    int heapHighs = 0;
    double highest = heap.front();
    for (double kib : heap) {
        if (kib > highest) ++heapHighs;
        highest = std::max(highest, kib);
    }
    const double heapGrowth = heap.back() - heap.front();
    const std::size_t third = resident.size() / 3;
    const double residentGrowth = mean(resident, resident.size() - third, resident.size()) - mean(resident, 0, third);
    RecordProperty("heap_kib_growth", std::to_string(heapGrowth));
    RecordProperty("resident_kib_growth", std::to_string(residentGrowth));
    const std::string watched = " over frames " + std::to_string(warmUpFrames) + " to " + std::to_string(frames);
    // The figures, for whoever runs it long: the log keeps them.
    std::cout << frames << " frames; heap " << heap.front() << " -> " << heap.back() << " KiB (" << heapHighs
              << " new highs in " << heap.size() << " samples), resident " << resident.front() << " -> "
              << resident.back() << " KiB (last third vs first third " << residentGrowth << " KiB)" << watched
              << std::endl;
    if (kHeapIsWatchable) {
        EXPECT_LE(heapHighs, kMaxHeapHighs)
            << "heap in use reached a new high at " << heapHighs << " of " << heap.size() - 1 << " samples" << watched;
        EXPECT_LT(heapGrowth, kMaxHeapGrowthKiB) << "KiB more heap in use" << watched;
        EXPECT_LT(residentGrowth, kMaxResidentGrowthKiB) << "KiB more resident memory" << watched;
    }
}

}  // namespace
