#pragma once

// How short and how long the ruler may be made, and how it follows a drag.

// The far end of the bar follows the dragging cursor at this distance.
constexpr int dragReach = 20;
// Neither dragging nor the keyboard makes the bar shorter than this, so that the resize arrow
// and a piece of scale always stay within reach.
constexpr int shortestBar = 20;
// X11 cannot map windows larger than this.
constexpr int longestBar = 32767;
// X11 window coordinates are 16-bit; a stored place beyond them is no place on any desktop, and
// keeping within them lets place plus length never overflow.
constexpr int farthestPlace = 32767;
