// Every Linux test program starts with the environment the tests are written
// for, whether ctest starts it or a developer does from the build folder:
// Mesa renders in software on one thread (quiet under the sanitizers), EGL
// opens its surfaceless platform, and sound goes nowhere instead of looking
// for a sound server that may not answer. A value set by hand is kept.

#include <cstdlib>

namespace {

struct TestEnvironment {
    TestEnvironment() {
        setenv("LP_NUM_THREADS", "0", 0);
        setenv("EGL_PLATFORM", "surfaceless", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        setenv("GDK_BACKEND", "x11", 0);
    }
};

// Set before main, and so before any library reads them.
const TestEnvironment environment;

}  // namespace
