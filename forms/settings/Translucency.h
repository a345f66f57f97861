#pragma once

// Whether the window system can show a window partly transparent. On X11 that takes a
// compositing manager; without one the ruler's transparency setting has no visible effect.
// Other window systems always composite.
bool windowsCanBeTranslucent();
