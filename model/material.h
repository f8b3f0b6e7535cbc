#pragma once

#include <GL/glew.h>
#include <glm/glm.hpp>

// A model's material: colour factors from the file and four texture names,
// one per map, whether or not the map's image loaded.
struct Material {
    glm::vec3 diffuse{0.0f};
    glm::vec3 specular{0.0f};
    glm::vec3 emissive{0.0f};
    float shininess = 0.0f;
    GLuint diffuseMap = 0;       // texture unit 0 when drawn
    GLuint normalMap = 0;        // unit 1
    GLuint specularMap = 0;      // unit 2
    GLuint displacementMap = 0;  // unit 3
};
