#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "model/bmf_format.h"
#include "tests/e2e/process.h"
#include "tests/support/output_lines.h"
#include "tests/support/temp_dir.h"

namespace {

const std::string kBmf = std::string(RTG_RUN_DIR) + "/bmf";
const std::string kUsage =
    "Usage: bmf <command> [arguments]\n"
    "Commands:\n"
    "  info FILE           print the materials and meshes of a model file\n"
    "  import SCENE OUT.bmf [--run-dir DIR] [--allow-outside] convert an OBJ, glTF or other scene into a model file\n";

// A 2 x 1 greyscale image in binary PGM, which the image decoder reads.
const std::string kGreyImage = std::string("P5\n2 1\n255\n") + char(10) + char(20);

ModelData sampleModel() {
    ModelData model;
    MaterialRecord m;
    m.diffuse = {1.0f, 0.5f, 0.25f};
    m.specular = {0.0f, 0.0f, 0.0f};
    m.emissive = {0.0f, 0.0f, 2.0f};
    m.shininess = 32.0f;
    m.diffuseMapPath = "grey.pgm";
    m.normalMapPath = std::string("grey.pgm\0", 9);
    m.specularMapPath = "missing.png";
    m.displacementMapPath = "notes.txt";
    model.materials = {m};
    MeshRecord triangle;
    for (int i = 0; i < 3; ++i) {
        Vertex v{};
        v.position = {float(i), 1.0f - float(i), 0.5f * float(i)};
        triangle.vertices.push_back(v);
    }
    triangle.indices = {0, 1, 2, 2};
    model.meshes = {triangle, MeshRecord()};
    return model;
}

class BmfTool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        dir.write("grey.pgm", kGreyImage);
        dir.write("notes.txt", std::string("not an image"));
    }
    RunResult bmf(const std::vector<std::string>& args) {
        std::vector<std::string> argv = {kBmf};
        argv.insert(argv.end(), args.begin(), args.end());
        return runToCompletion(argv, dir.file(""), 30);
    }
    TempDir dir;
};

TEST_F(BmfTool, BadArgumentsPrintTheUsage) {
    for (const auto& args : std::vector<std::vector<std::string>>{{},
                                                                  {"nonsense"},
                                                                  {"info"},
                                                                  {"info", "a", "b"},
                                                                  {"import", "a"},
                                                                  {"import", "a", "b", "c"},
                                                                  {"import", "a", "b", "--bogus"},
                                                                  {"import", "a", "b", "--run-dir"}}) {
        const RunResult r = bmf(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.output, kUsage);
    }
}

TEST_F(BmfTool, InfoDescribesMaterialsImagesAndMeshes) {
    dir.write("sample.bmf", serializeModelFile(sampleModel()));
    const RunResult r = bmf({"info", "sample.bmf"});
    EXPECT_EQ(r.status, 0);
    const std::vector<std::string> lines = outputLines(r.output);
    ASSERT_EQ(lines.size(), 8u) << r.output;
    EXPECT_EQ(lines[0], "sample.bmf: 1 material, 2 meshes");
    EXPECT_EQ(lines[1], "material 0: diffuse (1, 0.5, 0.25), specular (0, 0, 0), emissive (0, 0, 2), shininess 32");
    EXPECT_EQ(lines[2], "  diffuse map:      grey.pgm (2 x 1, 1 channel)");
    EXPECT_EQ(lines[3], "  normal map:       grey.pgm\\x00 (2 x 1, 1 channel)");
    EXPECT_EQ(lines[4].rfind("  specular map:     missing.png (does not open", 0), 0u) << lines[4];
    EXPECT_EQ(lines[5].rfind("  displacement map: notes.txt (does not open", 0), 0u) << lines[5];
    EXPECT_EQ(lines[6],
              "mesh 0: material 0, 3 vertices, 1 triangle (+1 leftover index), bounds (0, -1, 0) to (2, 1, 1)");
    EXPECT_EQ(lines[7], "mesh 1: material 0, 0 vertices, 0 triangles, no bounds");
}

TEST_F(BmfTool, DamagedOrMissingFilesFailWithTheLoadersMessage) {
    ModelData model = sampleModel();
    model.meshes[1].materialIndex = 3;
    dir.write("bad.bmf", serializeModelFile(model));
    RunResult r = bmf({"info", "bad.bmf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "Damaged model file bad.bmf: materialIndex 3 not below materialCount 1\n");

    r = bmf({"info", "nowhere.bmf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "File not found!\n");
}

TEST_F(BmfTool, ImportWritesAModelThatInfoReads) {
    dir.write("quad.obj", std::string("mtllib quad.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
                                      "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nusemtl grey\nf 1/1 2/2 3/3 4/4\n"));
    dir.write("quad.mtl", std::string("newmtl grey\nKd 1 1 1\nmap_Kd grey.pgm\n"));
    RunResult r = bmf({"import", "quad.obj", "quad.bmf"});
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_EQ(r.output, "quad.bmf: 1 material, 1 mesh, 2 triangles; texture paths relative to .\n");

    r = bmf({"info", "quad.bmf"});
    EXPECT_EQ(r.status, 0) << r.output;
    const std::vector<std::string> lines = outputLines(r.output);
    ASSERT_GE(lines.size(), 7u) << r.output;
    EXPECT_EQ(lines[0], "quad.bmf: 1 material, 1 mesh");
    EXPECT_EQ(lines[2], "  diffuse map:      grey.pgm (2 x 1, 1 channel)");
    EXPECT_EQ(lines[3].rfind("  normal map:       no-normal-map/ (does not open", 0), 0u) << lines[3];
    EXPECT_EQ(lines[6].rfind("mesh 0: material 0, 4 vertices, 2 triangles", 0), 0u) << lines[6];

    r = bmf({"import", "nothing.obj", "x.bmf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output.rfind("bmf import: ", 0), 0u) << r.output;
}

// Paths that name no regular file or a file larger than memory, as the
// model, as a map and as the scene to import: each run ends at once with its
// message (a FIFO would block the open, a device would be read forever). The
// scene here has no name the importer knows, so its header alone is read; a
// huge scene it does know may be read to its end.
TEST_F(BmfTool, PathsThatNameNoRegularFileAreRefusedAtOnce) {
    for (const SpecialFile kind : kSpecialFiles) {
        SCOPED_TRACE(specialFileName(kind));
        dir.special("special", kind);
        const bool sparse = kind == SpecialFile::Sparse;
        RunResult r = bmf({"info", "special"});
        EXPECT_EQ(r.status, 1);
        const std::string expected = sparse ? "Model file too large: special is " + std::to_string(sparseFileBytes()) +
                                                  " bytes, more than the machine's memory of "
                                            : "File not found!\n";
        EXPECT_EQ(r.output.substr(0, expected.size()), expected);

        ModelData model = sampleModel();
        model.materials[0].diffuseMapPath = "special";
        dir.write("map.bmf", serializeModelFile(model));
        r = bmf({"info", "map.bmf"});
        EXPECT_EQ(r.status, 0);
        const std::vector<std::string> lines = outputLines(r.output);
        ASSERT_GE(lines.size(), 3u) << r.output;
        // A sparse image is opened, and its first bytes are no image.
        EXPECT_EQ(lines[2].rfind(std::string("  diffuse map:      special (does not open: ") +
                                     (sparse ? "unknown image type" : "special is not a regular file"),
                                 0),
                  0u)
            << lines[2];

        r = bmf({"import", "special", "out.bmf"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.output.rfind(sparse ? "bmf import: " : "bmf import: special is not a regular file", 0), 0u)
            << r.output;
        EXPECT_FALSE(std::filesystem::exists(dir.file("out.bmf")));
    }
}

// Files the scene names are refused like the scene itself; a write that
// fails (here at the end: the device is full) is a failure; text from the
// scene is printed with its control characters escaped.
TEST_F(BmfTool, ImportRefusesNamedFifosReportsWriteFailuresAndEscapesSceneText) {
    dir.special("fifo.mtl", SpecialFile::Fifo);
    dir.write("lib.obj", std::string("mtllib fifo.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl a\nf 1 2 3\n"));
    RunResult r = bmf({"import", "lib.obj", "out.bmf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("fifo.mtl is not a regular file (a FIFO)"), std::string::npos) << r.output;

    dir.special("fifo.bin", SpecialFile::Fifo);
    dir.write("buffer.gltf",
              std::string(R"({"asset": {"version": "2.0"}, "buffers": [{"byteLength": 12, "uri": "fifo.bin"}],
        "bufferViews": [{"buffer": 0, "byteLength": 12}],
        "accessors": [{"bufferView": 0, "componentType": 5126, "count": 1, "type": "VEC3", "min": [0, 0, 0], "max": [0, 0, 0]}],
        "meshes": [{"primitives": [{"attributes": {"POSITION": 0}}]}], "nodes": [{"mesh": 0}], "scenes": [{"nodes": [0]}]})"));
    r = bmf({"import", "buffer.gltf", "out.bmf"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("fifo.bin is not a regular file (a FIFO)"), std::string::npos) << r.output;

    dir.write("escape.obj", std::string("mtllib escape.mtl\nv 0 0 0\nv 1 0 0\nv 1 1 0\nusemtl a\nf 1 2 3\n"));
    dir.write("escape.mtl", std::string("newmtl a\nmap_Kd \x1b[31mred.png\n"));
    r = bmf({"import", "escape.obj", "/dev/full"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.output, "bmf import: cannot write /dev/full: No space left on device\n");
    r = bmf({"import", "escape.obj", "out.bmf"});
    EXPECT_EQ(r.status, 0) << r.output;
    EXPECT_NE(r.output.find("warning: diffuse map \\x1b[31mred.png not found"), std::string::npos) << r.output;
    EXPECT_EQ(r.output.find('\x1b'), std::string::npos);
}

}  // namespace
