#include "gpu/gl_errors.h"

#include <GL/glew.h>

namespace {

constexpr int kMaxErrorsDrained = 16;  // GL keeps at most one flag per error kind

}  // namespace

GlErrorFlags drainGlErrors() {
    GlErrorFlags flags;
    for (int i = 0; i < kMaxErrorsDrained; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        flags.any = true;
        if (error == GL_OUT_OF_MEMORY) flags.outOfMemory = true;
    }
    return flags;
}
