#include "tools/bench/pass_method.h"

bool isSoftwareRenderer(const std::string& glRenderer) {
    for (const char* name : {"llvmpipe", "softpipe", "SVGA3D"}) {
        if (glRenderer.find(name) != std::string::npos) return true;
    }
    return false;
}
