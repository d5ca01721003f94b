// Bravok: a small first-person 3D demo in a window of its own.

#include <wx/app.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/MainApp.h"
#include "platform/SdlSoundService.h"
#include "platform/X11Display.h"

wxIMPLEMENT_APP_NO_MAIN(bravok::CMainApp);

int main(int argc, char** argv) {
    // Mouse-look moves the pointer, which only X allows; under Wayland GTK then
    // goes through XWayland. A backend the user chose is left alone.
    setenv("GDK_BACKEND", "x11", 0);
    if (std::strcmp(std::getenv("GDK_BACKEND"), "x11") == 0 && !bravok::CanOpenXDisplay()) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr,
                     "bravok: cannot open the X display %s%s%s; Bravok needs a graphical "
                     "desktop.\n",
                     display ? "\"" : "(DISPLAY is not set)", display ? display : "",
                     display ? "\"" : "");
        return 1;
    }
    // Before wx, GTK or anything else starts a thread.
    bravok::SdlSoundService::PrepareProcess();
    // wx answers -1 when the game could not start; the shell should see 1.
    const int status = wxEntry(argc, argv);
    return status < 0 ? 1 : status;
}
