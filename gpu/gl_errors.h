#pragma once

// What GL's error flags held when they were read.
struct GlErrorFlags {
    bool any = false;
    bool outOfMemory = false;  // GL_OUT_OF_MEMORY among them
};

// Reads GL's error flags until none is left, which clears them: a step can
// then tell its own errors from those raised before it.
GlErrorFlags drainGlErrors();
