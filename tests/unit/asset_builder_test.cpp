#include <stdexcept>

#include <gtest/gtest.h>
#include <glm/gtc/matrix_transform.hpp>

#include "assets/mesh/primitives.h"
#include "assets/preview/rasterizer.h"
#include "assets/scene/model_builder.h"

TEST(ModelBuilder, MergesGeometryPerMaterialInOrderOfFirstUse) {
    ModelBuilder b("models/x/textures");
    b.add("walnut", makeBox({1, 1, 1}));
    b.add("brass", makeBox({1, 1, 1}));
    b.add("walnut", makeBox({1, 1, 1}), translation({2, 0, 0}));
    b.add("oak", makeBox({1, 1, 1}));
    const ModelData model = b.build();
    ASSERT_EQ(model.materials.size(), 3u);
    ASSERT_EQ(model.meshes.size(), 3u);
    EXPECT_EQ(model.materials[0].diffuseMapPath, "models/x/textures/walnut_diffuse.png");
    EXPECT_EQ(model.materials[1].displacementMapPath, "models/x/textures/brass_displacement.png");
    EXPECT_EQ(model.meshes[0].materialIndex, 0u);
    EXPECT_EQ(model.meshes[0].indices.size(), 2u * 36u);  // both walnut boxes in one mesh
    // Indices of the second box point past the first box's vertices.
    EXPECT_EQ(model.meshes[0].indices[36], 24u);
    EXPECT_EQ(model.meshes[2].materialIndex, 2u);
    EXPECT_EQ(b.textureSets(), (std::vector<std::string>{"walnut", "brass", "oak"}));
    EXPECT_THROW(b.add("unobtainium", makeBox({1, 1, 1})), std::invalid_argument);
    // A layer drawn later gets meshes of its own after all earlier layers' meshes.
    {
        const LayerScope shell(b, DrawLayer::Shell);
        b.add("walnut", makeBox({1, 1, 1}));
    }
    b.add("iron", makeBox({1, 1, 1}));
    const ModelData layered = b.build();
    ASSERT_EQ(layered.meshes.size(), 5u);
    EXPECT_EQ(layered.meshes[3].materialIndex, 3u);  // iron, still in the first layer
    EXPECT_EQ(layered.meshes[4].materialIndex, 0u);
}

TEST(Lathe, SplitsNormalsAtSharpCornersOnly) {
    // A cylinder's rims are 90-degree corners: each gets two rings of its own.
    const MeshPart cylinder = makeCylinder(1.0f, 1.0f, 8, true);
    EXPECT_EQ(cylinder.vertices.size(), 6u * 9u);
    // A gently bent profile shares its middle ring.
    const MeshPart bent = makeLathe({{1.0f, 0.0f}, {1.1f, 1.0f}, {1.0f, 2.0f}}, 8);
    EXPECT_EQ(bent.vertices.size(), 3u * 9u);
    EXPECT_THROW(makeLathe({{1.0f, 0.0f}, {1.0f, 0.0f}}, 8), std::invalid_argument);
}

namespace {

// Clip-space corners of a screen-filling triangle pair at NDC depth z.
std::vector<glm::vec4> fullScreen(float z) { return {{-1, -1, z, 1}, {3, -1, z, 1}, {-1, 3, z, 1}}; }

}  // namespace

TEST(PreviewRasterizer, KeepsTheNearestSurfaceAndCullsBackFaces) {
    DepthTarget target(8, 8);
    int drawn = 0;
    auto count = [&](int, int, const glm::vec3&) { ++drawn; };
    const std::vector<glm::vec4> far = fullScreen(0.5f), near = fullScreen(-0.5f);
    rasterTriangle(target, near.data(), true, count);
    EXPECT_EQ(drawn, 64);
    drawn = 0;
    rasterTriangle(target, far.data(), true, count);  // behind: every pixel fails the depth test
    EXPECT_EQ(drawn, 0);
    // The same triangle wound the other way is seen from behind.
    DepthTarget fresh(8, 8);
    const glm::vec4 back[3] = {near[0], near[2], near[1]};
    rasterTriangle(fresh, back, true, count);
    EXPECT_EQ(drawn, 0);
    rasterTriangle(fresh, back, false, count);
    EXPECT_EQ(drawn, 64);
}

TEST(PreviewRasterizer, ClipsTrianglesCrossingTheNearPlane) {
    // One corner behind the eye: the visible part still fills its pixels, with
    // weights that interpolate the original corners.
    DepthTarget target(16, 16);
    // A stretch of floor below the eye that runs on behind the camera.
    const glm::mat4 projection = glm::perspective(1.5707964f, 1.0f, 0.1f, 100.0f);
    const glm::vec4 tri[3] = {projection * glm::vec4(-1, -0.5f, -2, 1), projection * glm::vec4(1, -0.5f, -2, 1),
                              projection * glm::vec4(0, -0.5f, 1, 1)};
    int drawn = 0;
    rasterTriangle(target, tri, false, [&](int, int, const glm::vec3& w) {
        ++drawn;
        EXPECT_NEAR(w.x + w.y + w.z, 1.0f, 1e-4f);
        EXPECT_GE(std::min(w.x, std::min(w.y, w.z)), -1e-4f);
    });
    // The floor fills the lower half of the view, where it comes nearest.
    EXPECT_GT(drawn, 16 * 4);
}
