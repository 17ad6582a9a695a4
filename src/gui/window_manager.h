// Whether a window manager runs on the display: without one nobody maximises, places or
// activates a window but the program itself.
#pragma once

namespace tallivan::gui {

// True on displays that manage windows themselves (Wayland, the offscreen platform, ...); on
// X11 only while a window manager has announced itself on the root window.
bool windowManagerRunning();

}  // namespace tallivan::gui
