// Test programs that need wx's GUI start it on DISPLAY around the tests; listing
// the tests needs no display, so that test discovery works anywhere.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dcscreen.h>
#include <wx/debug.h>
#include <wx/init.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>

#include "platform/SoundService.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    // The tests need no accessibility bridge; left out, its D-Bus connection does not
    // start, nor leave its start-up allocations for the leak checker to report.
    if (!wxGetEnv("NO_AT_BRIDGE", nullptr)) wxSetEnv("NO_AT_BRIDGE", "1");
    bravok::PrepareSoundService();  // the frames under test make sound

    // wx owns the application object (the program's own, if a test names one).
    if (wxApp::GetInitializerFunction() == nullptr) wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr,
                     "wx could not start: these tests need a display (DISPLAY set to a running X "
                     "server); ctest, or scripts/with-xvfb.sh --wm, gives them one of their own\n");
        return 1;
    }
    // A failed wx assertion fails the running test, which goes on, instead of
    // waiting for someone to answer the toolkit's dialog about it.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& function,
                          const wxString& condition, const wxString& message) {
        ADD_FAILURE_AT(file.utf8_str().data(), line)
            << "wx assertion \"" << condition << "\" in " << function << ": " << message;
    });
    // A run on a scaled desktop (scripts/wine-run.sh) makes sure it is one: at
    // 100 % its tests would pass as they do there, and prove nothing.
    wxString dpi;
    const bool scaledAsAsked =
        !wxGetEnv("BRAVOK_WINE_DPI", &dpi) || wxScreenDC().GetPPI().y == wxAtoi(dpi);
    if (!scaledAsAsked)
        std::fprintf(stderr, "the desktop is at %d dots per inch, not %s\n",
                     wxScreenDC().GetPPI().y, dpi.utf8_str().data());
    const bool initialised = scaledAsAsked && wxTheApp->CallOnInit();
    if (!initialised) std::fprintf(stderr, "the wx application did not initialise\n");
    const int status = initialised ? RUN_ALL_TESTS() : 1;
    if (initialised) wxTheApp->OnExit();
    wxEntryCleanup();
    return status;
}
