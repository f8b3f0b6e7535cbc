// The full-screen quad of the SSAO, blur and lighting passes.
#include "scene/room_scene.h"

namespace {

// The inputs of the quad's programs (SSAO, SSAO blur and lighting).
constexpr GLuint kQuadAttribPosition = 0;   // vec3
constexpr GLuint kQuadAttribTexCoords = 1;  // vec2

// x, y, z in normalised device coordinates, then u, v; a counter-clockwise
// strip so that the quad survives back-face culling.
const float kQuadVertices[4][5] = {
    {-1.0f, 1.0f, 0.0f, 0.0f, 1.0f},
    {-1.0f, -1.0f, 0.0f, 0.0f, 0.0f},
    {1.0f, 1.0f, 0.0f, 1.0f, 1.0f},
    {1.0f, -1.0f, 0.0f, 1.0f, 0.0f},
};
constexpr GLsizei kQuadStride = 5 * sizeof(float);

}  // namespace

void RoomScene::renderQuad() {
    if (quadVAO == 0) {
        glGenVertexArrays(1, &quadVAO);
        glGenBuffers(1, &quadVBO);
        glBindVertexArray(quadVAO);
        glBindBuffer(GL_ARRAY_BUFFER, quadVBO);
        glBufferData(GL_ARRAY_BUFFER, sizeof(kQuadVertices), kQuadVertices, GL_STATIC_DRAW);
        glEnableVertexAttribArray(kQuadAttribPosition);
        glVertexAttribPointer(kQuadAttribPosition, 3, GL_FLOAT, GL_FALSE, kQuadStride, nullptr);
        glEnableVertexAttribArray(kQuadAttribTexCoords);
        glVertexAttribPointer(kQuadAttribTexCoords, 2, GL_FLOAT, GL_FALSE, kQuadStride,
                              reinterpret_cast<const void*>(3 * sizeof(float)));
    }
    glBindVertexArray(quadVAO);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
}
