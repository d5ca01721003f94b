#pragma once

namespace bravok {

// Whether an X display can be opened (DISPLAY set and the server answering).
bool CanOpenXDisplay();

}  // namespace bravok
