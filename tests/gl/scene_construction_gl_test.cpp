#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "gpu/shader.h"
#include "scene/passes/lighting.h"
#include "scene/passes/ssao.h"
#include "scene/room_facts.h"
#include "scene/room_scene.h"
#include "scene/shadow_transforms.h"
#include "scene/ssao_kernel.h"
#include "tests/gl/gl_test_context.h"
#include "tests/gl/scene_test_support.h"

namespace {

constexpr int kWidth = 96;
constexpr int kHeight = 54;

// Captures standard output for the lifetime of the object.
class CaptureStdout {
public:
    CaptureStdout() : previous_(std::cout.rdbuf(buffer_.rdbuf())) {}
    ~CaptureStdout() { std::cout.rdbuf(previous_); }
    std::string text() const { return buffer_.str(); }

private:
    std::stringstream buffer_;
    std::streambuf* previous_;
};

class SceneConstruction : public ::testing::Test {
protected:
    void SetUp() override {
        directory_ = makeSceneDirectory("construction");
        writeTestRoom(directory_);
        cwd_ = std::make_unique<ScopedWorkingDirectory>(directory_);
    }
    std::string directory_;
    std::unique_ptr<ScopedWorkingDirectory> cwd_;
};

std::vector<std::string> attachedSources(GLuint program) {
    GLuint shaders[4] = {0, 0, 0, 0};
    GLsizei count = 0;
    glGetAttachedShaders(program, 4, &count, shaders);
    std::vector<std::string> sources;
    for (GLsizei i = 0; i < count; ++i) {
        GLint length = 0;
        glGetShaderiv(shaders[i], GL_SHADER_SOURCE_LENGTH, &length);
        std::string source(static_cast<std::size_t>(length), '\0');
        glGetShaderSource(shaders[i], length, nullptr, &source[0]);
        source.resize(source.size() > 0 ? source.size() - 1 : 0);  // the terminating NUL
        sources.push_back(source);
    }
    return sources;
}

GLint samplerUnit(GLuint program, const char* name) {
    GLint unit = -1;
    glGetUniformiv(program, glGetUniformLocation(program, name), &unit);
    return unit;
}

GLint textureParameter(GLuint texture, GLenum parameter) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
}

GLint wrapMode(GLuint texture, GLenum which) {
    GLint value = 0;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexParameteriv(GL_TEXTURE_2D, which, &value);
    return value;
}

TEST_F(SceneConstruction, BuildsEachProgramFromItsOwnFilesInMemberOrder) {
    RoomScene scene(kWidth, kHeight);
    struct Expected {
        Shader* shader;
        std::vector<std::string> files;  // in attachment order: geometry, vertex, fragment
    };
    const Expected expected[] = {
        {scene.geometryShader, {"ssao_geometry.vert", "ssao_geometry.frag"}},
        {scene.lightingShader, {"ssao.vert", "ssao_lighting.frag"}},
        {scene.ssaoShader, {"ssao.vert", "ssao.frag"}},
        {scene.ssaoBlurShader, {"ssao.vert", "ssao_blur.frag"}},
        {scene.depthShader, {"depth.geom", "depth.vert", "depth.frag"}},
        {scene.standardShader, {"standard.vert", "standard.frag"}},
    };
    GLuint previous = 0;
    for (const Expected& e : expected) {
        ASSERT_NE(e.shader, nullptr);
        GLint linked = GL_FALSE;
        glGetProgramiv(e.shader->program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE) << e.files.back();
        const std::vector<std::string> sources = attachedSources(e.shader->program);
        ASSERT_EQ(sources.size(), e.files.size()) << e.files.back();
        for (std::size_t i = 0; i < sources.size(); ++i)
            EXPECT_EQ(sources[i], Shader::readFile(("shaders/" + e.files[i]).c_str())) << e.files[i];
        // Program names are handed out in creation order.
        EXPECT_GT(e.shader->program, previous);
        previous = e.shader->program;
    }
}

TEST_F(SceneConstruction, ReportsMissingShadersInProgramOrderBeforeTheModels) {
    const std::string empty = makeSceneDirectory("no_files");
    std::filesystem::remove(empty + "/shaders");
    ScopedWorkingDirectory inEmpty(empty);
    CaptureStdout output;
    // Unlinked programs make glUseProgram fail; that is the expected outcome here.
    collectGlErrors([](void*) { RoomScene scene(kWidth, kHeight); }, nullptr);
    std::vector<std::string> lines;
    std::istringstream in(output.text());
    for (std::string line; std::getline(in, line);)
        if (line.rfind("File ", 0) == 0) lines.push_back(line);
    const std::vector<std::string> expected = {
        "File shaders/ssao_geometry.vert not found",
        "File shaders/ssao_geometry.frag not found",
        "File shaders/ssao.vert not found",
        "File shaders/ssao_lighting.frag not found",
        "File shaders/ssao.vert not found",
        "File shaders/ssao.frag not found",
        "File shaders/ssao.vert not found",
        "File shaders/ssao_blur.frag not found",
        "File shaders/depth.vert not found",
        "File shaders/depth.frag not found",
        "File shaders/depth.geom not found",
        "File shaders/standard.vert not found",
        "File shaders/standard.frag not found",
        "File not found!",
        "File not found!",
        "File not found!",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(SceneConstruction, PlacesTheLampAndTheLightCube) {
    RoomScene scene(kWidth, kHeight);
    EXPECT_EQ(scene.lightPosition, room::kLightRestPosition);
    const glm::mat4& cube = scene.lightCubeModelMatrix;
    EXPECT_EQ(cube[0][0], room::kLightCubeScale);
    EXPECT_EQ(cube[1][1], room::kLightCubeScale);
    EXPECT_EQ(cube[2][2], room::kLightCubeScale);
    EXPECT_EQ(cube[3], glm::vec4(room::kLightRestPosition, 1.0f));
    EXPECT_EQ(cube[0][1], 0.0f);
    EXPECT_EQ(scene.lampModelMatrix, glm::translate(glm::mat4(1.0f), room::kLampPivot));
    EXPECT_EQ(scene.sceneModelMatrix, glm::mat4(1.0f));
    EXPECT_EQ(scene.shadowWidth, kShadowMapSize);
    EXPECT_EQ(scene.shadowHeight, kShadowMapSize);
    EXPECT_EQ(scene.quadVAO, 0u);
    // The models loaded: the test room has two meshes, the lamp and the cube one each.
    EXPECT_EQ(scene.sceneModel.meshes.size(), 2u);
    EXPECT_EQ(scene.lampModel.meshes.size(), 1u);
    EXPECT_EQ(scene.lightCubeModel.meshes.size(), 1u);
    // The room and lamp take their material locations from the geometry program, the cube from the standard one.
    EXPECT_EQ(scene.sceneModel.meshes[0]->shader, scene.geometryShader);
    EXPECT_EQ(scene.lampModel.meshes[0]->shader, scene.geometryShader);
    EXPECT_EQ(scene.lightCubeModel.meshes[0]->shader, scene.standardShader);
}

TEST_F(SceneConstruction, CreatesTheRenderTargetsWithTheirSizesAndFormats) {
    RoomScene scene(kWidth, kHeight);
    for (GLuint texture :
         {scene.gPosition, scene.gNormal, scene.gAlbedoSpec, scene.ssaoColorBuffer, scene.ssaoColorBufferBlur}) {
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_WIDTH), kWidth);
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_HEIGHT), kHeight);
    }
    EXPECT_EQ(textureParameter(scene.gPosition, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB16F);
    EXPECT_EQ(textureParameter(scene.gNormal, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB16F);
    EXPECT_EQ(textureParameter(scene.gAlbedoSpec, GL_TEXTURE_RED_SIZE), 8);
    EXPECT_EQ(textureParameter(scene.gAlbedoSpec, GL_TEXTURE_ALPHA_SIZE), 8);
    EXPECT_EQ(textureParameter(scene.ssaoColorBuffer, GL_TEXTURE_RED_SIZE), 8);
    EXPECT_EQ(textureParameter(scene.ssaoColorBuffer, GL_TEXTURE_GREEN_SIZE), 0);
    EXPECT_EQ(wrapMode(scene.gPosition, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrapMode(scene.gPosition, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    EXPECT_EQ(wrapMode(scene.noiseTexture, GL_TEXTURE_WRAP_S), GL_REPEAT);

    // Every framebuffer is complete; the G-buffer writes its three targets and
    // its depth matches the window's (24-bit depth, 8-bit stencil), so the
    // depth copy can work.
    for (GLuint fbo : {scene.gBuffer, scene.ssaoFBO, scene.ssaoBlurFBO, scene.depthMapFBO}) {
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE)) << fbo;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, scene.gBuffer);
    for (int i = 0; i < 3; ++i) {
        GLint buffer = 0;
        glGetIntegerv(GL_DRAW_BUFFER0 + i, &buffer);
        EXPECT_EQ(buffer, GL_COLOR_ATTACHMENT0 + i);
    }
    GLint depthBits = 0, stencilBits = 0, objectType = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE,
                                          &depthBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_STENCIL_SIZE,
                                          &stencilBits);
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE,
                                          &objectType);
    EXPECT_EQ(depthBits, 24);
    EXPECT_EQ(stencilBits, 8);
    EXPECT_EQ(objectType, GL_RENDERBUFFER);

    // The shadow cube: six square depth faces, attached whole (layered).
    glBindFramebuffer(GL_FRAMEBUFFER, scene.depthMapFBO);
    GLint layered = GL_FALSE;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_LAYERED,
                                          &layered);
    EXPECT_EQ(layered, GL_TRUE);
    glBindTexture(GL_TEXTURE_CUBE_MAP, scene.depthCubeMap);
    for (int face = 0; face < kShadowFaceCount; ++face) {
        GLint width = 0, depthSize = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_TEXTURE_DEPTH_SIZE, &depthSize);
        EXPECT_EQ(width, kShadowMapSize);
        EXPECT_GE(depthSize, 16);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST_F(SceneConstruction, FillsTheKernelAndUploadsTheNoiseInRowOrder) {
    RoomScene scene(kWidth, kHeight);
    std::mt19937 engine(5489u);
    const std::vector<glm::vec3> kernel = generateSsaoKernel(engine, kSsaoKernelSize);
    const std::vector<glm::vec3> noise = generateSsaoNoise(engine);
    ASSERT_EQ(scene.ssaoKernel.size(), kSsaoKernelSize);
    EXPECT_EQ(scene.kernelSize, kSsaoKernelSize);
    for (std::size_t i = 0; i < kernel.size(); ++i) EXPECT_EQ(*scene.ssaoKernel[i], kernel[i]) << i;

    std::vector<glm::vec3> uploaded(kSsaoNoiseCount);
    glBindTexture(GL_TEXTURE_2D, scene.noiseTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_FLOAT, uploaded.data());
    EXPECT_EQ(textureParameter(scene.noiseTexture, GL_TEXTURE_WIDTH), static_cast<GLint>(kSsaoNoiseSide));
    EXPECT_EQ(uploaded, noise);
}

TEST_F(SceneConstruction, PointsEverySamplerAtItsUnitAndLeavesTheStandardProgramBound) {
    RoomScene scene(kWidth, kHeight);
    GLint program = 0, drawFramebuffer = -1, readFramebuffer = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &drawFramebuffer);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &readFramebuffer);
    EXPECT_EQ(static_cast<GLuint>(program), scene.standardShader->program);
    EXPECT_EQ(drawFramebuffer, 0);
    EXPECT_EQ(readFramebuffer, 0);

    // Each program's samplers at the units its pass binds their textures to.
    const struct {
        GLuint program;
        std::vector<SamplerUnit> samplers;
    } programs[] = {
        {scene.lightingShader->program,
         {std::begin(lighting_pass::kSamplerUnits), std::end(lighting_pass::kSamplerUnits)}},
        {scene.lightingShader->program,
         {std::begin(lighting_pass::kShadowSamplerUnits), std::end(lighting_pass::kShadowSamplerUnits)}},
        {scene.ssaoShader->program, {std::begin(ssao_pass::kSamplerUnits), std::end(ssao_pass::kSamplerUnits)}},
        {scene.ssaoBlurShader->program,
         {std::begin(ssao_pass::kBlurSamplerUnits), std::end(ssao_pass::kBlurSamplerUnits)}},
    };
    for (const auto& p : programs)
        for (const SamplerUnit& sampler : p.samplers) EXPECT_EQ(samplerUnit(p.program, sampler.name), sampler.unit);
}

TEST_F(SceneConstruction, TeardownDeletesTheSixProgramsAndNothingElse) {
    const GLuint bystander = glCreateProgram();
    std::vector<GLuint> programs;
    std::vector<GLuint> meshBuffers;
    {
        RoomScene scene(kWidth, kHeight);
        for (Shader* shader : {scene.geometryShader, scene.lightingShader, scene.ssaoShader, scene.ssaoBlurShader,
                               scene.depthShader, scene.standardShader})
            programs.push_back(shader->program);
        for (Model* model : {&scene.sceneModel, &scene.lampModel, &scene.lightCubeModel})
            for (Mesh* mesh : model->meshes) meshBuffers.push_back(mesh->vertexBuffer->id);
        glUseProgram(0);  // a program in use would only be flagged for deletion
    }
    for (GLuint program : programs) EXPECT_FALSE(glIsProgram(program)) << program;
    for (GLuint buffer : meshBuffers) EXPECT_FALSE(glIsBuffer(buffer)) << buffer;
    EXPECT_TRUE(glIsProgram(bystander));
    glDeleteProgram(bystander);
}

TEST_F(SceneConstruction, ReportsIncompleteFramebuffersAndCarriesOn) {
    CaptureStdout output;
    // A zero-sized window gives zero-sized attachments: incomplete targets.
    collectGlErrors([](void*) { RoomScene scene(0, 0); }, nullptr);
    const std::string text = output.text();
    EXPECT_NE(text.find("Framebuffer not complete!\n"), std::string::npos) << text;
    EXPECT_NE(text.find("SSAO Framebuffer not complete!\n"), std::string::npos) << text;
    EXPECT_NE(text.find("SSAO Blur Framebuffer not complete!\n"), std::string::npos) << text;
}

}  // namespace
