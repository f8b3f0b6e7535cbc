#include "tools/bench/frame_capture.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "io/png_writer.h"
#include "scene/room_scene.h"
#include "scene/shadow_transforms.h"
#include "scene/ssao_kernel.h"

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

bool captureFrame(const RoomScene& scene, const std::string& dir, const std::string& prefix, std::string& notes) {
    auto note = [&](const std::string& what, const ValueRange& r) {
        char line[128];
        std::snprintf(line, sizeof line, "%s %s %.6f %.6f\n", prefix.c_str(), what.c_str(), r.min, r.max);
        notes += line;
    };
    const int w = scene.screenWidth;
    const int h = scene.screenHeight;
    bool complete = true;
    for (const PassBuffer& buffer : scene.passBuffers()) {
        const std::string name = buffer.name;
        Image picture;
        switch (buffer.content) {
            case BufferContent::ViewPosition: {
                std::vector<ValueRange> ranges;
                picture = mapPerChannelRange(readTextureFloat(GL_TEXTURE_2D, buffer.texture, GL_TEXTURE_2D, GL_RGB, 3),
                                             ranges);
                note(name + "_x", ranges[0]);
                note(name + "_y", ranges[1]);
                note(name + "_z", ranges[2]);
                break;
            }
            case BufferContent::OctahedralNormal:
                picture =
                    mapOctahedralNormals(readTextureFloat(GL_TEXTURE_2D, buffer.texture, GL_TEXTURE_2D, GL_RGB, 3));
                break;
            case BufferContent::Albedo:
            case BufferContent::SpecularIntensity: {
                int width = 0;
                int height = 0;
                const std::vector<std::uint8_t> rgba = readTextureRgba8(buffer.texture, width, height);
                picture = buffer.content == BufferContent::Albedo ? rgbFromRgba8(rgba, width, height)
                                                                  : alphaFromRgba8(rgba, width, height);
                break;
            }
            case BufferContent::Occlusion: {
                const FloatTexels occlusion = readTextureFloat(GL_TEXTURE_2D, buffer.texture, GL_TEXTURE_2D, GL_RED, 1);
                note(name, channelRange(occlusion, 0));
                picture = mapUnitGrey(occlusion);
                break;
            }
            case BufferContent::PackedOcclusion: {
                FloatTexels occlusion = readTextureFloat(GL_TEXTURE_2D, buffer.texture, GL_TEXTURE_2D, GL_RED, 1);
                // The visibility level alone, without the depth class beside it.
                for (float& value : occlusion.values)
                    value = std::floor(value * 255.0f / kSsaoRawDepthClasses + 0.5f / kSsaoRawDepthClasses) /
                            kSsaoRawVisibilityLevels;
                note(name, channelRange(occlusion, 0));
                picture = mapUnitGrey(occlusion);
                break;
            }
            case BufferContent::ShadowDepth: {
                std::array<FloatTexels, kShadowFaceCount> faces;
                for (int i = 0; i < kShadowFaceCount; ++i) {
                    faces[i] = readTextureFloat(GL_TEXTURE_CUBE_MAP, buffer.texture, GL_TEXTURE_CUBE_MAP_POSITIVE_X + i,
                                                GL_DEPTH_COMPONENT, 1);
                    // Shown as distance along the face's axis over the far plane: the
                    // stored depth itself crowds everything beyond a few units near 1.
                    for (float& value : faces[i].values) value = shadowDepthToAxisDistance(value) / kShadowFarPlane;
                }
                ValueRange depthRange;
                picture = shadowCross(faces, kShadowCellSize, depthRange);
                note("shadow_depth", depthRange);
                break;
            }
            case BufferContent::WindowColor: picture = rgbFromRgba8(readWindowRgba8(w, h), w, h); break;
        }
        std::string ignored;  // the caller reports the frame's pictures as a whole
        complete = writePng(dir + "/" + prefix + "_" + name + ".png", picture, ignored) && complete;
    }
    return complete;
}
