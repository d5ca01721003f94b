#pragma once

// The display the game draws on, in the game's own terms; one backend per
// system (x11/, win32/) says how. The toolkit's own connection is passed in
// (NativeDisplay), so the game asks over the connection it already has.

#include <optional>
#include <string>

#include "platform/NativeWindow.h"

namespace bravok {

// Readies the process for the display, before the toolkit starts, and says
// whether there is one: nothing when the game can open its window, or a
// sentence for the player saying why it cannot. A word for the player on how
// the display is used goes to the error output from here.
std::optional<std::string> PrepareDisplay();

// Whether the display offers OpenGL at all.
bool DisplayHasOpenGL(NativeDisplay display);

// Leaves the calling thread with no OpenGL context current, so the context is
// current only inside the handlers that draw. The toolkit offers no way to
// release a context.
void MakeNoContextCurrent();

struct VisualTraits {
    int depth = 0;              // colour bits per pixel
    bool colourMapped = false;  // colours come from a colour map: needs a palette
};

// What the drawable of an OpenGL window is like.
VisualTraits DescribeVisual(const NativeWindow& window);

// Which of a pair of keys (the two Shifts, the two Ctrls) a key event came
// from, told by the hardware key, whatever modifiers are held. `rawKeyFlags`
// are the toolkit's raw flags of the event.
enum class KeySide { Left, Right };
KeySide SideOfKey(NativeDisplay display, unsigned rawKeyFlags);

}  // namespace bravok
