#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "scene/object_transforms.h"

namespace {

TEST(ObjectTransforms, IdentityCameraPassesTheModelAndLightThrough) {
    const glm::mat4 identity(1.0f);
    const ObjectTransforms t = computeObjectTransforms(identity, identity, identity, {0.0f, 2.8f, 3.0f});
    EXPECT_EQ(t.modelViewProj, identity);
    EXPECT_EQ(t.modelView, identity);
    EXPECT_EQ(t.normalMatrix, identity);
    EXPECT_EQ(t.lightView, glm::vec3(0.0f, 2.8f, 3.0f));
}

TEST(ObjectTransforms, NormalMatrixIsTheTransposedInverse) {
    const glm::mat4 identity(1.0f);
    const glm::mat4 model = glm::translate(identity, glm::vec3(1.0f, 2.0f, 3.0f));
    const ObjectTransforms t = computeObjectTransforms(identity, identity, model, glm::vec3(0.0f));
    // The translation lands in the bottom row, negated; the last column stays (0, 0, 0, 1).
    EXPECT_EQ(t.normalMatrix[0][3], -1.0f);
    EXPECT_EQ(t.normalMatrix[1][3], -2.0f);
    EXPECT_EQ(t.normalMatrix[2][3], -3.0f);
    EXPECT_EQ(t.normalMatrix[3], glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));

    // A non-uniform scale: normals must stay perpendicular to surfaces.
    const glm::mat4 view = glm::lookAt(glm::vec3(1, 2, 5), glm::vec3(0), glm::vec3(0, 1, 0));
    const glm::mat4 projection = glm::perspective(0.8f, 1.5f, 0.1f, 100.0f);
    const glm::mat4 squash = glm::scale(glm::rotate(identity, 0.7f, glm::vec3(0, 1, 0)), glm::vec3(3, 1, 0.5f));
    const ObjectTransforms s = computeObjectTransforms(view, projection * view, squash, glm::vec3(1, 1, 1));
    const glm::vec3 tangent = glm::vec3(s.modelView * glm::vec4(1, 1, 0, 0));
    const glm::vec3 normal = glm::vec3(s.normalMatrix * glm::vec4(1, -1, 0, 0));  // perpendicular before
    EXPECT_NEAR(glm::dot(tangent, normal), 0.0f, 1e-5f);
    EXPECT_EQ(s.modelViewProj, projection * view * squash);
    const glm::vec4 lightView = view * glm::vec4(1, 1, 1, 1);
    EXPECT_NEAR(glm::distance(s.lightView, glm::vec3(lightView)), 0.0f, 1e-6f);
}

}  // namespace
