#pragma once

class RulerContext;

// What the desktop lets the ruler do. Under X11 (XWayland included) the ruler places itself and
// stays on top; a Wayland compositor places windows itself and tells no client where they are.
// Under XWayland the compositor may also enlarge the ruler's window itself, which makes it
// neither sharp nor exact to the pixel. The user is told once, after the first frame, so that
// neither the question to the compositor nor the box holds up the ruler.
void tellAboutDesktop(RulerContext &context);
