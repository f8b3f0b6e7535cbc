#pragma once

#include <vector>

#include "gpu/shader.h"
#include "model/material.h"
#include "model/mesh.h"

// One loaded model file: its materials with their textures on the GPU and its
// meshes, uploaded and ready to draw. Starts empty; load fills it.
class Model {
public:
    Model() = default;
    ~Model();
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;

    // Reads the model file at path and appends its materials and meshes; the
    // meshes look up their material uniforms in shader's program. The whole
    // file is validated before anything is created on the GPU: a file that
    // cannot be opened prints "File not found!", a damaged one prints
    // "Damaged model file <path>: <fault>", and either leaves the model as it was.
    void load(const char* path, Shader* shader);

    // Draws every mesh with the program in use: binds its buffers, sets its
    // material uniforms and samplers at the mesh's stored locations, binds its
    // four textures to units 0 to 3 and draws. Leaves no vertex array and no
    // element buffer bound and texture unit 0 active.
    void draw();

    // The same draws without any material uniform, sampler or texture call,
    // for programs other than the one the meshes were loaded with (the shadow
    // pass). The stored locations belong to the loading program; used with
    // another program they would address that program's own uniforms (a
    // shininess write could land on its "farPlane") or raise a type-mismatch
    // error. Skipping the calls here, rather than asking GL which program is
    // current, keeps the draw free of queries and cannot touch any uniform.
    // Leaves no vertex array and no element buffer bound.
    void drawGeometryOnly();

    std::vector<Mesh*> meshes;
    std::vector<Material> materials;
};
