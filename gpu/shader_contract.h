#pragma once

// What the system hands to the six GLSL programs read from shaders/ and what
// it expects back. The shader files declare the attribute and colour output
// locations themselves (nothing is bound before linking), so these values
// must match the layout qualifiers in those files. Rendering code uses these
// names instead of literals so that a rename shows up in one place.

#include <string>

#include <GL/glew.h>

// ---- Stage files of the six programs (relative to the working directory) ----

struct ProgramSources {
    const char* vertex;
    const char* geometry;  // null: no geometry stage
    const char* fragment;
};

inline constexpr ProgramSources kGeometryProgramSources{"shaders/ssao_geometry.vert", nullptr,
                                                        "shaders/ssao_geometry.frag"};
inline constexpr ProgramSources kLightingProgramSources{"shaders/ssao.vert", nullptr, "shaders/ssao_lighting.frag"};
inline constexpr ProgramSources kSsaoProgramSources{"shaders/ssao.vert", nullptr, "shaders/ssao.frag"};
inline constexpr ProgramSources kSsaoBlurProgramSources{"shaders/ssao.vert", nullptr, "shaders/ssao_blur.frag"};
inline constexpr ProgramSources kDepthProgramSources{"shaders/depth.vert", "shaders/depth.geom", "shaders/depth.frag"};
inline constexpr ProgramSources kStandardProgramSources{"shaders/standard.vert", nullptr, "shaders/standard.frag"};
// The SSAO program's brute-force twin, built only when a tool asks for it.
inline constexpr ProgramSources kBruteForceSsaoProgramSources{"shaders/ssao.vert", nullptr, "shaders/ssao_full.frag"};

// ---- Vertex inputs ----

// Mesh layout (geometry, depth and standard programs).
inline constexpr GLuint kAttribPosition = 0;
inline constexpr GLuint kAttribNormal = 1;
inline constexpr GLuint kAttribTexCoords = 2;
inline constexpr GLuint kAttribTangent = 3;

// Full-screen quad (SSAO, SSAO blur and lighting programs).
inline constexpr GLuint kQuadAttribPosition = 0;   // vec3
inline constexpr GLuint kQuadAttribTexCoords = 1;  // vec2

// ---- Colour outputs of the geometry program (G-buffer attachments) ----

inline constexpr GLuint kOutputGPosition = 0;
inline constexpr GLuint kOutputGNormal = 1;
inline constexpr GLuint kOutputGAlbedoSpec = 2;

// ---- Samplers: each gets its fixed unit once at set-up ----

struct SamplerUnit {
    const char* name;
    GLint unit;
};

// ---- Material (geometry and standard programs; set by the model draw) ----

inline constexpr const char* kUniformMaterialDiffuse = "material.diffuse";      // vec3
inline constexpr const char* kUniformMaterialSpecular = "material.specular";    // vec3
inline constexpr const char* kUniformMaterialEmissive = "material.emissive";    // vec3
inline constexpr const char* kUniformMaterialShininess = "material.shininess";  // float

inline constexpr SamplerUnit kSamplerMaterialDiffuse{"texture_diffuse1", 0};
inline constexpr SamplerUnit kSamplerMaterialNormal{"texture_normal1", 1};
inline constexpr SamplerUnit kSamplerMaterialSpecular{"texture_specular1", 2};
inline constexpr SamplerUnit kSamplerMaterialDepth{"texture_depth1", 3};  // the displacement map

// ---- Geometry program (G-buffer pass) ----

inline constexpr const char* kUniformProjection = "projection";  // mat4, also in the SSAO program
inline constexpr const char* kUniformView = "view";              // mat4
inline constexpr const char* kUniformModel = "model";            // mat4

// ---- SSAO program ----

inline constexpr const char* kUniformSamplesPrefix = "samples[";  // vec3 each, see indexedUniformName
inline constexpr const char* kUniformPower = "power";             // float
inline constexpr const char* kUniformRadius = "radius";           // float
inline constexpr const char* kUniformNoiseScale = "noiseScale";   // vec2
inline constexpr SamplerUnit kSsaoSamplerUnits[] = {{"gPosition", 0}, {"gNormal", 1}, {"texNoise", 2}};

// ---- SSAO blur program ----

inline constexpr SamplerUnit kSsaoBlurSamplerUnits[] = {{"ssaoInput", 0}};

// ---- Depth program (shadow cube pass; with a geometry stage) ----

inline constexpr const char* kUniformShadowTransformsPrefix = "shadowTransformMats[";  // mat4 each, per cube face
inline constexpr const char* kUniformModelMat = "modelMat";                            // mat4 (not "model")
inline constexpr const char* kUniformLightPos = "lightPos";                            // vec3, world space
inline constexpr const char* kUniformFarPlane = "farPlane";  // float, also in the lighting program

// ---- Lighting program ----

inline constexpr const char* kUniformPointLightPosition = "pointLight.Position";    // vec3, view space
inline constexpr const char* kUniformPointLightColor = "pointLight.Color";          // vec3
inline constexpr const char* kUniformPointLightLinear = "pointLight.Linear";        // float
inline constexpr const char* kUniformPointLightQuadratic = "pointLight.Quadratic";  // float
inline constexpr const char* kUniformViewMatrix = "viewMatrix";                     // mat4
inline constexpr SamplerUnit kLightingSamplerUnits[] = {
    {"gPosition", 0}, {"gNormal", 1}, {"gAlbedoSpec", 2}, {"ssao", 3}};
// Set up with the shadow map it samples.
inline constexpr SamplerUnit kLightingShadowSamplerUnits[] = {{"depthCubeMap", 4}};

// ---- Standard program (forward pass of the light cube; material as above) ----

// Lower-case "position", unlike the lighting program's "pointLight.Position".
inline constexpr const char* kUniformStandardLightPosition = "pointLight.position";  // vec3, view space
inline constexpr const char* kUniformModelViewProjMat = "modelViewProjMat";          // mat4
inline constexpr const char* kUniformModelViewMat = "modelViewMat";                  // mat4
inline constexpr const char* kUniformInverseModelViewMat = "inverseModelViewMat";    // mat4

// The name of element index of an array uniform: prefix + index + "]".
inline std::string indexedUniformName(const char* prefix, int index) { return prefix + std::to_string(index) + "]"; }
