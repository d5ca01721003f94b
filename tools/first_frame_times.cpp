// Where the game's first frame goes: a library preloaded into the game
// (LD_PRELOAD) that notes when the process started, when the mesh file was
// first opened and last closed (reading: the game opens it by open() and closes
// its streams by fclose), when each display list was begun and
// ended (compiling; the model's is the last), and when the first buffer swap
// returned. At that swap it writes one line of milliseconds since the process
// started to the file FIRST_FRAME_TIMES names (scripts/first-frame.sh):
//
//   toolkit T read R0 R1 compile C0 C1 swap S
//
// toolkit: until the first list is begun, when the window is there and the
// scene is made; read: the mesh's first open and last close; compile: the
// model's list begun and ended; swap: the first swap's return.
//
// Then it makes the empty file FIRST_FRAME_DRAWN names: preloaded into the
// game and into the bare program alike, it marks the same moment in both.

#include <dlfcn.h>
#include <sys/types.h>

#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

// The process's start, near enough: preloaded libraries are set up before main.
const Clock::time_point g_start = Clock::now();

double Since() {
    return std::chrono::duration<double, std::milli>(Clock::now() - g_start).count();
}

std::mutex g_mutex;  // guards everything below
double g_firstList = -1, g_listBegun = -1, g_listEnded = -1, g_readBegun = -1, g_readEnded = -1;
int g_meshFiles[64] = {};  // the descriptor + 1 of each mesh file open now; 0: none
bool g_swapped = false;

template <typename Function>
Function Next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool IsMesh(const char* path) {
    const std::size_t length = std::strlen(path);
    return length >= 4 && std::strcmp(path + length - 4, ".vtx") == 0;
}

int Opened(int fd, const char* path) {
    if (fd < 0 || !IsMesh(path)) return fd;
    std::scoped_lock lock(g_mutex);
    if (g_readBegun < 0) g_readBegun = Since();
    for (int& slot : g_meshFiles)
        if (slot == 0) {
            slot = fd + 1;
            break;
        }
    return fd;
}

}  // namespace

extern "C" {

int open(const char* path, int flags, ...) {
    static const auto next = Next<int (*)(const char*, int, ...)>("open");
    va_list rest;
    va_start(rest, flags);
    const auto mode = static_cast<mode_t>(va_arg(rest, int));
    va_end(rest);
    return Opened(next(path, flags, mode), path);
}

int open64(const char* path, int flags, ...) {
    static const auto next = Next<int (*)(const char*, int, ...)>("open64");
    va_list rest;
    va_start(rest, flags);
    const auto mode = static_cast<mode_t>(va_arg(rest, int));
    va_end(rest);
    return Opened(next(path, flags, mode), path);
}

int fclose(FILE* file) {
    static const auto next = Next<int (*)(FILE*)>("fclose");
    {
        std::scoped_lock lock(g_mutex);
        for (int& slot : g_meshFiles)
            if (slot != 0 && slot == fileno(file) + 1) {
                slot = 0;
                g_readEnded = Since();
            }
    }
    return next(file);
}

void glNewList(unsigned list, unsigned mode) {
    static const auto next = Next<void (*)(unsigned, unsigned)>("glNewList");
    {
        std::scoped_lock lock(g_mutex);
        g_listBegun = Since();
        if (g_firstList < 0) g_firstList = g_listBegun;
    }
    next(list, mode);
}

void glEndList() {
    static const auto next = Next<void (*)()>("glEndList");
    next();
    std::scoped_lock lock(g_mutex);
    g_listEnded = Since();
}

void glXSwapBuffers(void* display, unsigned long drawable) {
    static const auto next = Next<void (*)(void*, unsigned long)>("glXSwapBuffers");
    next(display, drawable);
    std::scoped_lock lock(g_mutex);
    if (g_swapped) return;
    g_swapped = true;
    const double swapped = Since();
    const auto openFile = Next<FILE* (*)(const char*, const char*)>("fopen");
    const auto closeFile = Next<int (*)(FILE*)>("fclose");
    if (const char* path = std::getenv("FIRST_FRAME_TIMES"))
        if (FILE* out = openFile(path, "w")) {
            std::fprintf(out, "toolkit %.0f read %.0f %.0f compile %.0f %.0f swap %.0f\n",
                         g_firstList, g_readBegun, g_readEnded, g_listBegun, g_listEnded, swapped);
            closeFile(out);
        }
    // Made last, so that whoever waits for it finds the times written.
    if (const char* path = std::getenv("FIRST_FRAME_DRAWN"))
        if (FILE* out = openFile(path, "w")) closeFile(out);
}

}  // extern "C"
