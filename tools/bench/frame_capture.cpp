#include "tools/bench/frame_capture.h"

#include <array>
#include <cstdio>

#include "scene/room_scene.h"
#include "scene/shadow_transforms.h"
#include "tools/bench/png_file.h"

const char* const kCaptureBuffers[8] = {"final",    "positions", "normals",   "albedo",
                                        "specular", "ssao_raw",  "ssao_blur", "shadow_cube"};

namespace {

// Shadow faces shrink to this size in the cross (1024 would give a 4096 x 3072 picture).
constexpr int kShadowCellSize = 256;

// Leaves the texture binding of the active unit as it found it, so that the
// frames after a capture run exactly as without it.
class TextureBindingGuard {
public:
    explicit TextureBindingGuard(GLenum target) : target_(target) {
        glGetIntegerv(target == GL_TEXTURE_CUBE_MAP ? GL_TEXTURE_BINDING_CUBE_MAP : GL_TEXTURE_BINDING_2D, &saved_);
    }
    ~TextureBindingGuard() { glBindTexture(target_, static_cast<GLuint>(saved_)); }
    TextureBindingGuard(const TextureBindingGuard&) = delete;
    TextureBindingGuard& operator=(const TextureBindingGuard&) = delete;

private:
    GLenum target_;
    GLint saved_ = 0;
};

}  // namespace

FloatTexels readTextureFloat(GLenum target, GLuint texture, GLenum faceOrTarget, GLenum format, int channels) {
    TextureBindingGuard guard(target);
    glBindTexture(target, texture);
    FloatTexels t;
    glGetTexLevelParameteriv(faceOrTarget, 0, GL_TEXTURE_WIDTH, &t.width);
    glGetTexLevelParameteriv(faceOrTarget, 0, GL_TEXTURE_HEIGHT, &t.height);
    t.channels = channels;
    t.values.assign(static_cast<std::size_t>(t.width) * t.height * channels, 0.0f);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(faceOrTarget, 0, format, GL_FLOAT, t.values.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return t;
}

std::vector<std::uint8_t> readTextureRgba8(GLuint texture, int& width, int& height) {
    TextureBindingGuard guard(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 0);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

std::vector<std::uint8_t> readWindowRgba8(int width, int height) {
    GLint readFramebuffer = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 0);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(readFramebuffer));
    return rgba;
}

std::vector<std::string> captureFrame(const RoomScene& scene, const std::string& dir, const std::string& prefix,
                                      std::string& notes) {
    std::vector<std::string> written;
    auto save = [&](const char* buffer, const Image8& image) {
        const std::string path = dir + "/" + prefix + "_" + buffer + ".png";
        if (writePng(path, image)) written.push_back(path);
    };
    auto note = [&](const char* what, const ValueRange& r) {
        char line[128];
        std::snprintf(line, sizeof line, "%s %s %.6f %.6f\n", prefix.c_str(), what, r.min, r.max);
        notes += line;
    };
    const int w = scene.screenWidth;
    const int h = scene.screenHeight;
    save("final", rgbFromRgba8(readWindowRgba8(w, h), w, h));

    std::vector<ValueRange> positionRanges;
    save("positions", mapPerChannelRange(readTextureFloat(GL_TEXTURE_2D, scene.gPosition, GL_TEXTURE_2D, GL_RGB, 3),
                                         positionRanges));
    note("positions_x", positionRanges[0]);
    note("positions_y", positionRanges[1]);
    note("positions_z", positionRanges[2]);
    save("normals", mapOctahedralNormals(readTextureFloat(GL_TEXTURE_2D, scene.gNormal, GL_TEXTURE_2D, GL_RGB, 3)));

    int albedoWidth = 0;
    int albedoHeight = 0;
    const std::vector<std::uint8_t> albedo = readTextureRgba8(scene.gAlbedoSpec, albedoWidth, albedoHeight);
    save("albedo", rgbFromRgba8(albedo, albedoWidth, albedoHeight));
    save("specular", alphaFromRgba8(albedo, albedoWidth, albedoHeight));

    const FloatTexels raw = readTextureFloat(GL_TEXTURE_2D, scene.ssaoColorBuffer, GL_TEXTURE_2D, GL_RED, 1);
    note("ssao_raw", channelRange(raw, 0));
    save("ssao_raw", mapUnitGrey(raw));
    const FloatTexels blurred = readTextureFloat(GL_TEXTURE_2D, scene.ssaoColorBufferBlur, GL_TEXTURE_2D, GL_RED, 1);
    note("ssao_blur", channelRange(blurred, 0));
    save("ssao_blur", mapUnitGrey(blurred));

    std::array<FloatTexels, kShadowFaceCount> faces;
    for (int i = 0; i < kShadowFaceCount; ++i) {
        faces[i] = readTextureFloat(GL_TEXTURE_CUBE_MAP, scene.depthCubeMap, GL_TEXTURE_CUBE_MAP_POSITIVE_X + i,
                                    GL_DEPTH_COMPONENT, 1);
        // Shown as distance along the face's axis over the far plane: the
        // stored depth itself crowds everything beyond a few units near 1.
        for (float& value : faces[i].values) value = shadowDepthToAxisDistance(value) / kShadowFarPlane;
    }
    ValueRange depthRange;
    save("shadow_cube", shadowCross(faces, kShadowCellSize, depthRange));
    note("shadow_depth", depthRange);
    return written;
}
