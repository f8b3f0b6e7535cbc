#pragma once

// Screenshots as a user would judge them: how bright, how much of the window
// shows anything, and which way the view moved between two of them. Lighting
// that changes on its own (the swinging lamp) must not read as a move, so the
// motion estimate compares local contrast, not raw brightness.

#include <cstdint>
#include <string>
#include <vector>

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // top row first, 3 bytes per pixel
};

// Luminance of one pixel in [0, 1] (Rec. 601 weights).
float luminance(const Picture& picture, int x, int y);

// Fraction of pixels whose luminance exceeds threshold.
float litFraction(const Picture& picture, float threshold);

// Mean luminance over the whole picture.
float meanLuminance(const Picture& picture);

// How much there is to see: the mean luminance step between neighbouring
// pixels. A blank window, whatever its colour, has none; a furnished room
// has plenty.
float detail(const Picture& picture);

// A global view change from `before` to `after`: content at point p of
// `before` appears at centre + scale * (p - centre) + (dx, dy) in `after`
// (pixels of the full-size picture; y grows downwards). scale > 1: things
// grew (moved towards them); dx > 0: things moved right in the window.
struct ViewMotion {
    float dx = 0.0f;
    float dy = 0.0f;
    float scale = 1.0f;
    float match = 0.0f;       // how well the pictures agree at that motion (correlation, up to 1)
    float stillMatch = 0.0f;  // how well they agree with no motion at all
};

// The part of `before` that is compared, as fractions of its size. By
// default the middle and top: walls, pillars and roof. The floor is left out,
// since its shine follows the viewer and the lamp rather than the view.
struct ViewRegion {
    float left = 0.15f;
    float top = 0.1f;
    float right = 0.85f;
    float bottom = 0.6f;
};

// Which changes the estimate considers. Any: a shift, or a scaling with a
// small shift. The others look for one kind, over a wider range, for moves
// that may be large (a held key moves the camera by a whole frame's time,
// however long the frame took): Shift for turns and sideways or vertical
// moves; Walk for moves forward and back, a scaling with a vertical shift.
enum class ViewChange { Any, Shift, Walk };

ViewMotion estimateViewMotion(const Picture& before, const Picture& after, const ViewRegion& region = {},
                              ViewChange kind = ViewChange::Any);

// A quick look whether the view changed at all (lighting aside), without
// estimating how: the two pictures' local contrast no longer lines up.
bool viewChanged(const Picture& before, const Picture& after);

// True when the best motion is no motion: the view did not change (within a
// pixel and 2 % of scale), whatever the lighting did.
bool isStill(const ViewMotion& motion);

std::string describe(const ViewMotion& motion);

// Writes a binary PPM (for looking at a failing case).
bool writePpm(const std::string& path, const Picture& picture);
