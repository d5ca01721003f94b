// Windows sends no signals to end a program with a window: closing it, and the
// session ending, reach the game as close events of its window. Nothing to
// watch.

#include "platform/Signals.h"

namespace bravok {

struct CloseRequests::Watch {};

CloseRequests::CloseRequests(std::function<void()>) {}

CloseRequests::~CloseRequests() = default;

}  // namespace bravok
