#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "app/frame_loop.h"
#include "scene/passes/forward.h"
#include "scene/passes/gbuffer.h"
#include "scene/passes/lighting.h"
#include "scene/passes/shadow.h"
#include "scene/passes/ssao.h"
#include "scene/room_facts.h"
#include "scene/room_scene.h"
#include "scene/shadow_transforms.h"
#include "scene/ssao_kernel.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/scene_test_support.h"

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 90;
constexpr float kAspect = static_cast<float>(kWidth) / static_cast<float>(kHeight);
constexpr float kFrameTime = 1.0f / 60.0f;

class SceneFrame : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = makeSceneDirectory("frame");
        writeTestRoom(directory_);
        cwd_ = std::make_unique<ScopedWorkingDirectory>(directory_);
        resizeTestWindow(kWidth, kHeight);
        scene_ = std::make_unique<RoomScene>(kWidth, kHeight);
        scene_->setLampState(LampState::atStart());
        setFixedFrameState();
    }

    // A frame of the loop with the test's own camera, read before any swap.
    void drawFrame(float deltaTime) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        clearFrame();
        camera_.update();
        scene_->render(camera_, deltaTime);
    }

    std::string directory_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
    std::unique_ptr<RoomScene> scene_;
    FloatingCamera camera_{kAspect};
};

glm::mat4 uniformMatrix(GLuint program, const char* name) {
    glm::mat4 m(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), &m[0][0]);
    return m;
}

glm::vec3 uniformVec3(GLuint program, const char* name) {
    glm::vec3 v(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), &v[0]);
    return v;
}

float uniformFloat(GLuint program, const char* name) {
    float f = 0.0f;
    glGetUniformfv(program, glGetUniformLocation(program, name), &f);
    return f;
}

void expectMatNear(const glm::mat4& a, const glm::mat4& b, float tolerance = 1e-5f) {
    for (int c = 0; c < 4; ++c)
        for (int r = 0; r < 4; ++r) EXPECT_NEAR(a[c][r], b[c][r], tolerance) << "[" << c << "][" << r << "]";
}

TEST_F(SceneFrame, TheFirstFrameDoesNotSwingAndALongFrameTurnsAround) {
    const glm::mat4 lampBefore = scene_->lampModelMatrix;
    const glm::mat4 cubeBefore = scene_->lightCubeModelMatrix;
    drawFrame(0.0f);
    EXPECT_EQ(scene_->lampModelMatrix, lampBefore);
    EXPECT_EQ(scene_->lightCubeModelMatrix, cubeBefore);
    EXPECT_EQ(scene_->lightPosition, room::kLightRestPosition);
    EXPECT_EQ(RoomScene::swingState().swingAngle, 0.0f);

    // Five seconds in one frame: the whole turn in one step, past the
    // turn-around angle, the direction flipped once.
    constexpr float kLongFrame = 5.0f;
    drawFrame(kLongFrame);
    const float angle = kLongFrame * kSwingRate;
    ASSERT_GT(angle, room::kSwingTurnAngle);
    EXPECT_FLOAT_EQ(RoomScene::swingState().swingAngle, angle);
    EXPECT_EQ(RoomScene::swingState().swingDirection, -1.0f);
    const glm::vec3& pivot = room::kLampPivot;
    EXPECT_NEAR(scene_->lightPosition.y, pivot.y - room::kLightBelowPivot * std::cos(angle), 1e-4f);
    EXPECT_NEAR(scene_->lightPosition.z, pivot.z - room::kLightBelowPivot * std::sin(angle), 1e-4f);
}

TEST_F(SceneFrame, TheSwingTurnsTheFrameAfterPassingItsLimitAndIsSharedByAllScenes) {
    // Three steps short of the turn-around angle, then frames of one step each.
    const float step = kFrameTime * kSwingRate;
    scene_->setLampState(LampState::swungBy(room::kSwingTurnAngle - 3.0f * step));
    float previousZ = scene_->lightPosition.z;
    int frames = 0;
    while (RoomScene::swingState().swingAngle <= room::kSwingTurnAngle) {
        drawFrame(kFrameTime);
        EXPECT_LT(scene_->lightPosition.z, previousZ) << "frame " << frames;  // swinging towards -z
        previousZ = scene_->lightPosition.z;
        ASSERT_LT(++frames, 20);
    }
    // The frame that passed the limit was drawn with that angle; the next swings back.
    EXPECT_EQ(RoomScene::swingState().swingDirection, -1.0f);
    const float turnAngle = RoomScene::swingState().swingAngle;
    EXPECT_LT(turnAngle, room::kSwingTurnAngle + step + 1e-6f);
    RoomScene other(kWidth, kHeight);
    other.render(camera_, kFrameTime);
    EXPECT_NEAR(RoomScene::swingState().swingAngle, turnAngle - step, 1e-6f);
    drawFrame(kFrameTime);
    EXPECT_GT(scene_->lightPosition.z, previousZ);
}

TEST_F(SceneFrame, SetsEveryKernelSampleAndTheSsaoParameters) {
    drawFrame(0.0f);
    const GLuint program = scene_->ssaoShader->program;
    const std::string firstSample = indexedUniformName(ssao_pass::kUniformSamplesPrefix, 0);
    GLint active = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &active);
    int sampleArrays = 0;
    for (GLint i = 0; i < active; ++i) {
        char name[64];
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
        if (name == firstSample) {
            EXPECT_EQ(size, static_cast<GLint>(kSsaoKernelSize));
            ++sampleArrays;
        }
    }
    EXPECT_EQ(sampleArrays, 1);
    for (int i = 0; i < static_cast<int>(kSsaoKernelSize); ++i) {
        const std::string name = indexedUniformName(ssao_pass::kUniformSamplesPrefix, i);
        EXPECT_EQ(uniformVec3(program, name.c_str()), *scene_->ssaoKernel[static_cast<std::size_t>(i)]) << name;
    }
    EXPECT_EQ(uniformFloat(program, ssao_pass::kUniformPower), ssao_pass::kPower);
    EXPECT_EQ(uniformFloat(program, ssao_pass::kUniformRadius), ssao_pass::kRadius);
    // The window counted in noise tiles.
    glm::vec2 noiseScale(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, ssao_pass::kUniformNoiseScale), &noiseScale[0]);
    EXPECT_EQ(noiseScale, glm::vec2(kWidth, kHeight) / static_cast<float>(kSsaoNoiseSide));
}

TEST_F(SceneFrame, AnOrthographicSwitchReachesTheGeometryAndSsaoPassesInTheSameFrame) {
    const GLuint geometry = scene_->geometryShader->program;
    drawFrame(0.0f);
    expectMatNear(uniformMatrix(geometry, gbuffer_pass::kUniformProjection), camera_.perspectiveMatrix, 0.0f);
    camera_.projectionMatrix = camera_.orthoMatrix;
    drawFrame(kFrameTime);
    expectMatNear(uniformMatrix(geometry, gbuffer_pass::kUniformProjection), camera_.orthoMatrix, 0.0f);
    expectMatNear(uniformMatrix(scene_->ssaoShader->program, ssao_pass::kUniformProjection), camera_.orthoMatrix, 0.0f);
    expectMatNear(uniformMatrix(geometry, gbuffer_pass::kUniformView), camera_.getViewMatrix(), 0.0f);
}

TEST_F(SceneFrame, HandsEachPassItsUniforms) {
    aimCamera(camera_, glm::vec3(2.0f, 3.0f, 8.0f), glm::vec3(0.0f, 1.0f, 3.0f));
    drawFrame(0.1f);
    const glm::mat4 view = camera_.getViewMatrix();
    const glm::vec3 lightView = glm::vec3(view * glm::vec4(scene_->lightPosition, 1.0f));

    using namespace lighting_pass;
    const GLuint lighting = scene_->lightingShader->program;
    EXPECT_EQ(uniformVec3(lighting, kUniformPointLightPosition), lightView);
    EXPECT_EQ(uniformVec3(lighting, kUniformPointLightColor), kLightColor);
    EXPECT_EQ(uniformFloat(lighting, kUniformPointLightLinear), kLightLinear);
    EXPECT_EQ(uniformFloat(lighting, kUniformPointLightQuadratic), kLightQuadratic);
    EXPECT_EQ(uniformFloat(lighting, lighting_pass::kUniformFarPlane), kShadowFarPlane);
    EXPECT_EQ(uniformMatrix(lighting, kUniformViewMatrix), view);

    // The shadow pass: its own uniforms survive the model draws (the meshes'
    // material locations belong to the geometry program).
    // The shaders may leave "farPlane" and "lightPos" unread (inactive, location -1).
    const GLuint depth = scene_->depthShader->program;
    if (glGetUniformLocation(depth, shadow_pass::kUniformFarPlane) >= 0) {
        EXPECT_EQ(uniformFloat(depth, shadow_pass::kUniformFarPlane), kShadowFarPlane);
    }
    if (glGetUniformLocation(depth, shadow_pass::kUniformLightPos) >= 0) {
        EXPECT_EQ(uniformVec3(depth, shadow_pass::kUniformLightPos), scene_->lightPosition);
    }
    EXPECT_EQ(uniformMatrix(depth, shadow_pass::kUniformModelMat), scene_->lampModelMatrix);
    const std::vector<glm::mat4> faces = scene_->computeShadowTransforms(
        makeShadowProjection(scene_->shadowWidth, scene_->shadowHeight), scene_->lightPosition);
    for (int i = 0; i < kShadowFaceCount; ++i) {
        const std::string name = indexedUniformName(shadow_pass::kUniformShadowTransformsPrefix, i);
        EXPECT_EQ(uniformMatrix(depth, name.c_str()), faces[static_cast<std::size_t>(i)]) << name;
    }

    // The forward pass: the light cube's transforms.
    const GLuint standard = scene_->standardShader->program;
    expectMatNear(uniformMatrix(standard, forward_pass::kUniformModelViewProjMat),
                  camera_.getViewProjectionMatrix() * scene_->lightCubeModelMatrix);
    expectMatNear(uniformMatrix(standard, forward_pass::kUniformModelViewMat), view * scene_->lightCubeModelMatrix);
    expectMatNear(uniformMatrix(standard, forward_pass::kUniformInverseModelViewMat),
                  glm::transpose(glm::inverse(view * scene_->lightCubeModelMatrix)), 1e-3f);
    const glm::vec3 sent = uniformVec3(standard, forward_pass::kUniformLightPosition);
    EXPECT_NEAR(glm::distance(sent, lightView), 0.0f, 1e-5f);
}

// The numbers and names the demo is built on, written out: the tests above
// compare with the code's own constants, so a changed constant would pass
// them.
TEST_F(SceneFrame, HandsThePassesTheFixedValuesUnderTheFixedNames) {
    EXPECT_EQ(scene_->lightPosition, glm::vec3(0.0f, 2.8f, 3.0f));
    EXPECT_EQ(scene_->lampModelMatrix[3], glm::vec4(0.0f, 4.0f, 3.0f, 1.0f));
    EXPECT_EQ(scene_->lightCubeModelMatrix[0][0], 0.1f);
    EXPECT_EQ(scene_->shadowWidth, 1024);
    EXPECT_EQ(scene_->shadowHeight, 1024);
    EXPECT_EQ(scene_->kernelSize, 32u);
    drawFrame(0.0f);
    const GLuint lighting = scene_->lightingShader->program;
    EXPECT_EQ(uniformVec3(lighting, "pointLight.Color"), glm::vec3(1.0f, 1.0f, 1.0f));
    EXPECT_EQ(uniformFloat(lighting, "pointLight.Linear"), 0.09f);
    EXPECT_EQ(uniformFloat(lighting, "pointLight.Quadratic"), 0.0028f);
    EXPECT_EQ(uniformFloat(lighting, "farPlane"), 25.0f);
    const GLuint ssao = scene_->ssaoShader->program;
    EXPECT_EQ(uniformFloat(ssao, "power"), 1.0f);
    EXPECT_EQ(uniformFloat(ssao, "radius"), 5.0f);
    const struct {
        GLuint program;
        const char* sampler;
        GLint unit;
    } units[] = {
        {lighting, "gPosition", 0}, {lighting, "gNormal", 1},      {lighting, "gAlbedoSpec", 2},
        {lighting, "ssao", 3},      {lighting, "depthCubeMap", 4}, {ssao, "gPosition", 0},
        {ssao, "gNormal", 1},       {ssao, "texNoise", 2},         {scene_->ssaoBlurShader->program, "ssaoInput", 0},
    };
    for (const auto& u : units) {
        GLint unit = -1;
        glGetUniformiv(u.program, glGetUniformLocation(u.program, u.sampler), &unit);
        EXPECT_EQ(unit, u.unit) << u.sampler;
    }
}

TEST_F(SceneFrame, LeavesTheStateTheNextFrameExpects) {
    drawFrame(0.0f);
    GLint value = -1;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &value);
    EXPECT_EQ(value, 0);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &value);
    EXPECT_EQ(value, 0);
    glGetIntegerv(GL_CURRENT_PROGRAM, &value);
    EXPECT_EQ(static_cast<GLuint>(value), scene_->standardShader->program);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], kWidth);
    EXPECT_EQ(viewport[3], kHeight);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &value);
    EXPECT_EQ(value, 0);
    glGetIntegerv(GL_ACTIVE_TEXTURE, &value);
    EXPECT_EQ(value, GL_TEXTURE0);
}

TEST_F(SceneFrame, BuildsTheQuadOnceOnFirstUse) {
    EXPECT_EQ(scene_->quadVAO, 0u);
    drawFrame(0.0f);
    const GLuint vao = scene_->quadVAO;
    const GLuint vbo = scene_->quadVBO;
    ASSERT_NE(vao, 0u);
    EXPECT_TRUE(glIsVertexArray(vao));
    // Four vertices of position and texture coordinates.
    constexpr GLint kQuadBytes = 4 * 5 * sizeof(float);
    GLint size = 0;
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    EXPECT_EQ(size, kQuadBytes);
    drawFrame(0.0f);
    EXPECT_EQ(scene_->quadVAO, vao);
    EXPECT_EQ(scene_->quadVBO, vbo);
}

struct PassLog : RenderPassObserver {
    void passBoundary(RenderPass next) override {
        GLint framebuffer = -1;
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
        passes.push_back(next);
        framebuffers.push_back(framebuffer);
    }
    std::vector<RenderPass> passes;
    std::vector<GLint> framebuffers;
};

TEST_F(SceneFrame, TellsAnObserverEveryPassBoundaryInOrder) {
    PassLog log;
    scene_->setPassObserver(&log);
    drawFrame(0.0f);
    scene_->setPassObserver(nullptr);
    const std::vector<RenderPass> expected = {RenderPass::Geometry, RenderPass::Ssao,     RenderPass::SsaoBlur,
                                              RenderPass::Shadow,   RenderPass::Lighting, RenderPass::DepthCopy,
                                              RenderPass::Forward,  RenderPass::FrameEnd};
    EXPECT_EQ(log.passes, expected);
    // Each boundary follows the previous pass's target.
    ASSERT_EQ(log.framebuffers.size(), static_cast<std::size_t>(kFramePassCount + 1));
    EXPECT_EQ(static_cast<GLuint>(log.framebuffers[1]), scene_->gBuffer);
    EXPECT_EQ(static_cast<GLuint>(log.framebuffers[2]), scene_->ssaoFBO);
    EXPECT_EQ(static_cast<GLuint>(log.framebuffers[3]), scene_->ssaoBlurFBO);
    EXPECT_EQ(static_cast<GLuint>(log.framebuffers[4]), scene_->depthMapFBO);
    EXPECT_EQ(log.framebuffers[5], 0);
}

// The light cube's colour on screen: its emission, sRGB-encoded.
bool looksLikeTheLightCube(const Image& image, glm::ivec2 pixel) {
    const std::size_t i = static_cast<std::size_t>((pixel.y * image.width + pixel.x) * 4);
    return image.pixels[i] > 200 && image.pixels[i + 1] > 180 && image.pixels[i + 2] > 150;
}

TEST_F(SceneFrame, TheLightCubeIsHiddenBehindGeometryAndDrawnOverTheSceneInFront) {
    // In front: nothing between the eye and the cube, the room behind it.
    aimCamera(camera_, kCameraFacingLight, scene_->lightPosition);
    drawFrame(0.0f);
    Image front = readWindow(kWidth, kHeight);
    const glm::ivec2 centre = projectToPixel(camera_, scene_->lightPosition, kWidth, kHeight);
    EXPECT_TRUE(looksLikeTheLightCube(front, centre));

    // The copied depth is the G-buffer's: the window holds the scene's depth,
    // not the lighting quad's, next to the cube as well.
    std::vector<GLuint> windowDepth(kWidth * kHeight), sceneDepth(kWidth * kHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, windowDepth.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, scene_->gBuffer);
    glReadPixels(0, 0, kWidth, kHeight, GL_DEPTH_STENCIL, GL_UNSIGNED_INT_24_8, sceneDepth.data());
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    int compared = 0;
    for (std::size_t i = 0; i < windowDepth.size(); i += 7) {
        const glm::ivec2 p(static_cast<int>(i % kWidth), kHeight - 1 - static_cast<int>(i / kWidth));
        if (glm::length(glm::vec2(p - centre)) < 12.0f) continue;  // where the cube itself was drawn
        // The blit may round through another depth layout: one step of 2^-24 apart at most.
        const long difference = static_cast<long>(windowDepth[i] >> 8) - static_cast<long>(sceneDepth[i] >> 8);
        EXPECT_LE(std::labs(difference), 1L) << "pixel " << p.x << "," << p.y;
        ++compared;
    }
    EXPECT_GT(compared, 1000);
    EXPECT_LT(sceneDepth[kWidth * kHeight / 2] >> 8, 0xFFFFFFu);  // there is geometry in view

    // Behind the pillar: the same cube on screen is covered by the pillar.
    aimCamera(camera_, kCameraBehindPillar, scene_->lightPosition);
    drawFrame(0.0f);
    Image behind = readWindow(kWidth, kHeight);
    const glm::ivec2 hidden = projectToPixel(camera_, scene_->lightPosition, kWidth, kHeight);
    EXPECT_FALSE(looksLikeTheLightCube(behind, hidden));
    EXPECT_LT(brightness(behind, hidden.x, hidden.y), 0.5f);
}

TEST_F(SceneFrame, ThePillarShadowsTheWallBehindIt) {
    // The light is level with the pillar, which shades the back wall (z = -6) behind it.
    const glm::vec3 shaded(0.0f, 2.8f, -6.0f);
    const glm::vec3 lit(4.5f, 2.8f, -6.0f);
    aimCamera(camera_, glm::vec3(4.0f, 5.0f, 9.0f), glm::vec3(2.0f, 2.8f, -6.0f));
    drawFrame(0.0f);
    const Image image = readWindow(kWidth, kHeight);
    const glm::ivec2 a = projectToPixel(camera_, shaded, kWidth, kHeight);
    const glm::vec2 b = projectToPixel(camera_, lit, kWidth, kHeight);
    ASSERT_TRUE(a.x >= 0 && a.x < kWidth && a.y >= 0 && a.y < kHeight);
    ASSERT_TRUE(b.x >= 0 && b.x < kWidth && b.y >= 0 && b.y < kHeight);
    EXPECT_LT(brightness(image, a.x, a.y) * 2.0f, brightness(image, static_cast<int>(b.x), static_cast<int>(b.y)));
}

TEST_F(SceneFrame, TheShadowCubeHoldsDepthsThatTurnBackIntoDistancesAlongEachFaceAxis) {
    drawFrame(0.0f);
    // From the light at (0, 2.8, 3): walls square to the face axes, the
    // table top below and the pillar's near face towards -z. A plane square
    // to a face's axis lies at one distance along it over the whole face.
    const struct {
        int face;
        float distance;
    } expected[] = {{0, 6.0f}, {1, 6.0f}, {3, 1.9f}, {4, 7.0f}, {5, 1.9f}};
    std::vector<float> texels(static_cast<std::size_t>(kShadowMapSize) * kShadowMapSize);
    glBindTexture(GL_TEXTURE_CUBE_MAP, scene_->depthCubeMap);
    for (const auto& e : expected) {
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + e.face, 0, GL_DEPTH_COMPONENT, GL_FLOAT, texels.data());
        const float centre = texels[static_cast<std::size_t>(kShadowMapSize / 2) * kShadowMapSize + kShadowMapSize / 2];
        EXPECT_NEAR(shadowDepthToAxisDistance(centre), e.distance, 1e-3f) << "face " << e.face;
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}

TEST_F(SceneFrame, AnOrthographicViewLightsGeometryBehindTheEye) {
    // The eye inside the pillar, looking along -z: its face towards +z lies
    // 1.1 units behind the eye, inside the orthographic volume (near plane
    // -10), and faces the light 1.9 units beyond it. (The light cube, further
    // behind, covers the middle of the window.)
    camera_.projectionMatrix = camera_.orthoMatrix;
    aimCamera(camera_, glm::vec3(0.0f, 2.8f, 0.0f), glm::vec3(0.0f, 2.8f, -3.0f));
    drawFrame(0.0f);
    const Image image = readWindow(kWidth, kHeight);
    const glm::ivec2 p = projectToPixel(camera_, glm::vec3(0.4f, 2.5f, 1.1f), kWidth, kHeight);
    EXPECT_GT(brightness(image, p.x, p.y), 0.4f);
}

TEST_F(SceneFrame, AOneTexelMapIsSampledLikeAnyOther) {
    // The walls' material names maps that do not exist; give it a one-texel
    // red diffuse image instead.
    scene_.reset();
    Image red{1, 1, 4, {255, 0, 0, 255}};
    ASSERT_TRUE(writePng("models/final_scene/textures/missing_diffuse.png", red));
    scene_ = std::make_unique<RoomScene>(kWidth, kHeight);
    aimCamera(camera_, glm::vec3(0.0f, 2.0f, 6.0f), glm::vec3(4.0f, 2.0f, -6.0f));
    drawFrame(0.0f);
    std::vector<std::uint8_t> albedo(static_cast<std::size_t>(kWidth) * kHeight * 4);
    glBindTexture(GL_TEXTURE_2D, scene_->gAlbedoSpec);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, albedo.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    // The factor (0.75, 0.72, 0.68) times red, stored as the square root.
    const std::size_t centre = (static_cast<std::size_t>(kHeight / 2) * kWidth + kWidth / 2) * 4;
    EXPECT_NEAR(albedo[centre], 221, 2);
    EXPECT_EQ(albedo[centre + 1], 0);
    EXPECT_EQ(albedo[centre + 2], 0);
}

TEST_F(SceneFrame, PointsBeyondTheShadowFarPlaneAreShadowedOnlyBehindWhatTheMapHolds) {
    // The cube map holds nothing beyond 25 units. A floor point 26 units from
    // the light (outside the room, whose walls face inwards and so cast
    // nothing towards it) is lit where nothing nearer lies on its direction,
    // and shadowed where the pillar, 22 units from the light, does.
    aimCamera(camera_, glm::vec3(0.0f, 3.0f, -5.5f), glm::vec3(0.0f, 0.0f, -2.0f));
    const glm::vec3 floorPoint(0.0f, 0.0f, -2.0f);
    auto floorBrightness = [&](const glm::vec3& light) {
        LampState lamp = scene_->lampState();
        lamp.lightCubeModelMatrix =
            glm::scale(glm::translate(glm::mat4(1.0f), light), glm::vec3(room::kLightCubeScale));
        lamp.lightPosition = light;
        scene_->setLampState(lamp);
        drawFrame(0.0f);
        const Image image = readWindow(kWidth, kHeight);
        const glm::ivec2 p = projectToPixel(camera_, floorPoint, kWidth, kHeight);
        return brightness(image, p.x, p.y);
    };
    const float ambientOnly = floorBrightness(glm::vec3(0.0f, -5.0f, -2.0f));  // below the floor
    // 26 units out along the line from the floor point through the pillar's
    // centre, and the same distance out the other way, clear of it.
    const float beyondFar = kShadowFarPlane + 1.0f;
    const glm::vec3 throughPillar = floorPoint + beyondFar * glm::normalize(kPillarCentre - floorPoint);
    const glm::vec3 clear = floorPoint + beyondFar * glm::normalize(glm::vec3(0.0f, 19.4f, -17.3f));
    const float behindPillar = floorBrightness(throughPillar);
    const float open = floorBrightness(clear);
    EXPECT_GT(glm::distance(throughPillar, kPillarCentre), 20.0f);
    EXPECT_LT(glm::distance(throughPillar, kPillarCentre), 24.0f);
    EXPECT_GT(open, ambientOnly + 0.05f);
    EXPECT_NEAR(behindPillar, ambientOnly, 0.01f);
}

TEST_F(SceneFrame, FliesTheWholePathWithoutAGlError) {
    // The debug callback fails the test on any GL error; the flight runs to
    // its end with long steps, and the projection switches halfway.
    Flight flight;
    int frames = 0;
    float deltaTime = 0.0f;
    while (frames < 400) {
        flight.step(camera_, deltaTime);
        if (frames == 40) camera_.projectionMatrix = camera_.orthoMatrix;
        if (frames == 60) camera_.projectionMatrix = camera_.perspectiveMatrix;
        drawFrame(deltaTime);
        deltaTime = 0.5f;
        ++frames;
        if (flight.segmentEnd == flight.finalPoint) break;
    }
    EXPECT_EQ(flight.segmentEnd, flight.finalPoint);
    EXPECT_LT(frames, 400);
}

}  // namespace
