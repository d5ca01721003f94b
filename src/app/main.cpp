// Bravok: a small first-person 3D demo in a window of its own.

#include <wx/app.h>

#include <cstdio>

#include "app/MainApp.h"
#include "platform/Display.h"
#include "platform/SoundService.h"

wxIMPLEMENT_APP_NO_MAIN(bravok::CMainApp);

int main(int argc, char** argv) {
    if (const auto problem = bravok::PrepareDisplay()) {
        std::fprintf(stderr, "bravok: %s\n", problem->c_str());
        return 1;
    }
    // Before wx, GTK or anything else starts a thread.
    bravok::PrepareSoundService();
    // wx answers -1 when the game could not start; the shell should see 1.
    const int status = wxEntry(argc, argv);
    return status < 0 ? 1 : status;
}
