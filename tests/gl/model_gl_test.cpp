#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "gpu/shader.h"
#include "io/png_writer.h"
#include "model/bmf_format.h"
#include "model/model.h"
#include "tests/gl/gl_test_context.h"
#include "tests/support/output_lines.h"
#include "tests/support/temp_dir.h"

namespace {

const char* const kMaterialVertexSource =
    "#version 330 core\n"
    "layout(location = 0) in vec3 position;\n"
    "layout(location = 2) in vec2 texCoords;\n"
    "out vec2 uv;\n"
    "void main() { uv = texCoords; gl_Position = vec4(position, 1.0); }\n";
// Uses every material uniform and sampler except "texture_depth1", which it
// lacks on purpose: the draw must cope with a location of -1.
const char* const kMaterialFragmentSource =
    "#version 330 core\n"
    "struct Material { vec3 diffuse; vec3 specular; vec3 emissive; float shininess; };\n"
    "uniform Material material;\n"
    "uniform sampler2D texture_diffuse1;\n"
    "uniform sampler2D texture_normal1;\n"
    "uniform sampler2D texture_specular1;\n"
    "in vec2 uv;\n"
    "out vec4 colour;\n"
    "void main() {\n"
    "  vec3 lit = material.specular * texture(texture_specular1, uv).rgb * texture(texture_normal1, uv).rgb;\n"
    "  colour = vec4(material.diffuse * texture(texture_diffuse1, uv).rgb + material.emissive + lit\n"
    "                + vec3(material.shininess), 1.0);\n"
    "}\n";

struct Rgba {
    std::uint8_t r, g, b, a;
    bool operator==(const Rgba& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};
std::ostream& operator<<(std::ostream& out, const Rgba& c) {
    return out << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ", " << int(c.a) << ")";
}

GLint getInteger(GLenum what) {
    GLint value = 0;
    glGetIntegerv(what, &value);
    return value;
}

GLint boundTexture(GLint unit) {
    const GLint active = getInteger(GL_ACTIVE_TEXTURE);
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    const GLint name = getInteger(GL_TEXTURE_BINDING_2D);
    glActiveTexture(static_cast<GLenum>(active));
    return name;
}

std::vector<Rgba> textureTexels(GLuint texture, int count) {
    std::vector<Rgba> texels(static_cast<std::size_t>(count));
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    return texels;
}

MaterialRecord materialWithPaths(const std::string& diffuse, const std::string& normal, const std::string& specular,
                                 const std::string& displacement) {
    MaterialRecord m;
    m.diffuseMapPath = diffuse;
    m.normalMapPath = normal;
    m.specularMapPath = specular;
    m.displacementMapPath = displacement;
    return m;
}

MaterialRecord materialWithoutImages(const TempDir& dir) {
    return materialWithPaths(dir.file("no-diffuse.png"), dir.file("no-normal.png"), dir.file("no-specular.png"),
                             dir.file("no-depth.png"));
}

// Two triangles over the whole viewport, texture coordinates 0 to 1.
MeshRecord fullScreenQuad(std::uint64_t materialIndex) {
    MeshRecord mesh;
    mesh.materialIndex = materialIndex;
    const float corners[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (const auto& c : corners) {
        Vertex v{};
        v.position = {c[0], c[1], 0.0f};
        v.normal = {0.0f, 0.0f, 1.0f};
        v.texCoords = {(c[0] + 1.0f) / 2.0f, (c[1] + 1.0f) / 2.0f};
        v.tangent = {1.0f, 0.0f, 0.0f};
        mesh.vertices.push_back(v);
    }
    mesh.indices = {0, 1, 2, 2, 1, 3};
    return mesh;
}

// An offscreen colour target, so pixels can be read back reliably.
struct Target {
    static constexpr int kSize = 8;
    GLuint fbo = 0;
    GLuint colour = 0;
    Target() {
        glGenTextures(1, &colour);
        glBindTexture(GL_TEXTURE_2D, colour);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kSize, kSize, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
        glBindTexture(GL_TEXTURE_2D, 0);
        glGenFramebuffers(1, &fbo);
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour, 0);
        glViewport(0, 0, kSize, kSize);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    ~Target() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &fbo);
        glDeleteTextures(1, &colour);
    }
    Rgba pixel(int x, int y) const {
        Rgba c{};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &c);
        return c;
    }
};

constexpr unsigned kHangSeconds = 20;

class ModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.ok());
        const std::string v = dir.write("material.vert", kMaterialVertexSource);
        const std::string f = dir.write("material.frag", kMaterialFragmentSource);
        testing::internal::CaptureStdout();
        shader = new Shader(v.c_str(), nullptr, f.c_str());
        ASSERT_EQ(testing::internal::GetCapturedStdout(), "");
    }
    void TearDown() override {
        glUseProgram(0);
        delete shader;
    }

    std::string writeModel(const std::string& name, const ModelData& model) const {
        return dir.write(name, serializeModelFile(model));
    }
    // A 1 x 2 image: top row first, as image files store it.
    std::string writeImage(const std::string& name, int channels, const std::vector<std::uint8_t>& rows) const {
        const std::string path = dir.file(name);
        std::string error;
        EXPECT_TRUE(writePng(path, Image{1, 2, channels, rows}, error)) << error;
        return path;
    }
    // A black PNG of one bit per pixel, its deflate stream stored rather than
    // compressed, which is quick to write and to read back.
    std::string writeBlackImage(const std::string& name, std::uint32_t width, std::uint32_t height) const {
        const auto u32 = [](std::string& to, std::uint32_t v) {
            for (int shift = 24; shift >= 0; shift -= 8) to += static_cast<char>((v >> shift) & 0xff);
        };
        std::string png = "\x89PNG\r\n\x1a\n";
        u32(png, 13);
        png += "IHDR";
        u32(png, width);
        u32(png, height);
        png += std::string("\x01\0\0\0\0", 5);  // 1 bit, grey, deflate, adaptive filters, no interlace
        u32(png, 0);                            // the checksums, which the decoder skips
        // Each row is its filter byte and the pixels, all 0.
        const std::size_t rawBytes = std::size_t{height} * (1 + (width + 7) / 8);
        const std::size_t blocks = (rawBytes + 65534) / 65535;
        u32(png, static_cast<std::uint32_t>(2 + blocks * 5 + rawBytes + 4));
        png += "IDAT\x78\x01";
        for (std::size_t at = 0; at < rawBytes; at += 65535) {
            const std::size_t n = std::min<std::size_t>(65535, rawBytes - at);
            png += static_cast<char>(at + n == rawBytes ? 1 : 0);  // a stored block, the last one flagged
            png += {static_cast<char>(n & 0xff), static_cast<char>(n >> 8), static_cast<char>(~n & 0xff),
                    static_cast<char>((~n >> 8) & 0xff)};
            png.append(n, '\0');
        }
        u32(png, 0);  // the stream's checksum
        u32(png, 0);  // the chunk's
        u32(png, 0);  // IEND: no data, and its checksum
        png += "IEND";
        u32(png, 0);
        return dir.write(name, png);
    }
    // A copy of the PNG at source with an ancillary chunk of size zero bytes
    // after its header, left as a hole in the file: it costs no disk space.
    std::string withAncillaryChunk(const std::string& source, const std::string& name, std::uint32_t size) const {
        std::ifstream in(source, std::ios::binary);
        const std::string png((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        const std::size_t afterHeader = 8 + 25;  // signature, IHDR chunk
        const unsigned char length[4] = {static_cast<unsigned char>(size >> 24), static_cast<unsigned char>(size >> 16),
                                         static_cast<unsigned char>(size >> 8), static_cast<unsigned char>(size)};
        const std::string path = dir.file(name);
        std::ofstream out(path, std::ios::binary);
        out.write(png.data(), static_cast<std::streamsize>(afterHeader));
        out.write(reinterpret_cast<const char*>(length), 4);
        out << "tEXt";
        out.seekp(size, std::ios::cur);
        out.write("\0\0\0\0", 4);  // its checksum, which the decoder skips
        out.write(png.data() + afterHeader, static_cast<std::streamsize>(png.size() - afterHeader));
        return path;
    }
    // Loads the model and returns what it printed.
    std::string load(Model& model, const std::string& path) {
        testing::internal::CaptureStdout();
        model.load(path.c_str(), shader);
        return testing::internal::GetCapturedStdout();
    }

    TempDir dir;
    Shader* shader = nullptr;
};

TEST_F(ModelTest, UnopenableFileLeavesTheModelEmptyAndDrawingTouchesNothing) {
    Model model;
    EXPECT_EQ(load(model, dir.file("missing.bmf")), "File not found!\n");
    EXPECT_EQ(load(model, dir.file("")), "File not found!\n") << "a directory opens but cannot be read";
    // Only a regular file of bounded size is read: a FIFO without a writer
    // must not block, a device must not be read until memory runs out. A
    // blocked read would hang the test; the alarm ends it instead.
    alarm(kHangSeconds);
    for (const SpecialFile kind : kSpecialFiles) {
        const std::string path = dir.special("special.bmf", kind);
        const std::string expected = kind == SpecialFile::Sparse ? "Model file too large: " + path + " is " +
                                                                       std::to_string(sparseFileBytes()) +
                                                                       " bytes, more than the machine's memory"
                                                                 : "File not found!\n";
        EXPECT_EQ(load(model, path).substr(0, expected.size()), expected) << specialFileName(kind);
    }
    alarm(0);
    EXPECT_TRUE(model.meshes.empty());
    EXPECT_TRUE(model.materials.empty());

    GLuint vao = 0;
    glGenVertexArrays(1, &vao);
    glBindVertexArray(vao);
    glActiveTexture(GL_TEXTURE2);
    model.draw();
    model.drawGeometryOnly();
    EXPECT_EQ(getInteger(GL_VERTEX_ARRAY_BINDING), static_cast<GLint>(vao));
    EXPECT_EQ(getInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE2);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(0);
    glDeleteVertexArrays(1, &vao);
}

TEST_F(ModelTest, FileOfTwoZeroCountsIsAnEmptyModelWhateverFollows) {
    Model model;
    EXPECT_EQ(load(model, writeModel("empty.bmf", ModelData())), "");
    // Bytes after the last mesh record are not part of the model.
    std::vector<std::uint8_t> trailing = serializeModelFile(ModelData());
    trailing.insert(trailing.end(), {0xff, 0x00, 0x07});
    EXPECT_EQ(load(model, dir.write("trailing.bmf", trailing)), "");
    EXPECT_TRUE(model.meshes.empty());
    EXPECT_TRUE(model.materials.empty());
}

TEST_F(ModelTest, MissingMapsAreReportedPerMaterialInMapOrder) {
    ModelData data;
    data.materials = {materialWithoutImages(dir), materialWithoutImages(dir), materialWithoutImages(dir)};
    Model model;
    const std::vector<std::string> out = outputLines(load(model, writeModel("three.bmf", data)));
    std::vector<std::string> expected;
    for (const char* i : {"0", "1", "2"}) {
        expected.push_back(std::string("INFO: Reading material ") + i);
        expected.push_back(std::string("INFO: No diffuse map for material ") + i);
        expected.push_back(std::string("INFO: No normal map found for material ") + i);
        expected.push_back(std::string("INFO: No specular map found for material ") + i);
        expected.push_back(std::string("INFO: No displacement map found for material ") + i);
    }
    EXPECT_EQ(out, expected);
    ASSERT_EQ(model.materials.size(), 3u);
    std::vector<GLuint> names;
    for (const Material& m : model.materials) {
        for (GLuint name : {m.diffuseMap, m.normalMap, m.specularMap, m.displacementMap}) {
            EXPECT_NE(name, 0u);
            for (GLuint seen : names) EXPECT_NE(name, seen);
            names.push_back(name);
        }
    }
    EXPECT_EQ(getInteger(GL_TEXTURE_BINDING_2D), 0);

    // Every file numbers its materials from 0.
    ModelData one;
    one.materials = {materialWithoutImages(dir)};
    Model second;
    EXPECT_EQ(outputLines(load(second, writeModel("one.bmf", one))).at(0), "INFO: Reading material 0");
}

TEST_F(ModelTest, ImagesAreUploadedAsRgba8WithTheTopRowAtVOne) {
    const std::string grey = writeImage("grey.png", 1, {200, 50});
    const std::string colour = writeImage("colour.png", 3, {255, 0, 0, 0, 0, 255});  // red above blue
    const std::string notAnImage = dir.write("text.png", std::string("not an image"));
    ModelData data;
    // The colour path carries a stored trailing zero byte: it names the same file.
    data.materials = {materialWithPaths(grey, colour + std::string(1, '\0'), notAnImage, dir.file("absent.png"))};
    data.materials[0].diffuse = {0.25f, 0.5f, 0.75f};
    data.materials[0].shininess = 8.0f;
    Model model;
    EXPECT_EQ(outputLines(load(model, writeModel("images.bmf", data))),
              (std::vector<std::string>{"INFO: Reading material 0", "INFO: No specular map found for material 0",
                                        "INFO: No displacement map found for material 0"}));
    ASSERT_EQ(model.materials.size(), 1u);
    const Material& m = model.materials[0];
    EXPECT_EQ(m.diffuse, glm::vec3(0.25f, 0.5f, 0.75f));
    EXPECT_EQ(m.shininess, 8.0f);

    // Row 0 of a GL texture is v = 0: the image's bottom row.
    EXPECT_EQ(textureTexels(m.diffuseMap, 2), (std::vector<Rgba>{{50, 50, 50, 255}, {200, 200, 200, 255}}));
    EXPECT_EQ(textureTexels(m.normalMap, 2), (std::vector<Rgba>{{0, 0, 255, 255}, {255, 0, 0, 255}}));

    glBindTexture(GL_TEXTURE_2D, m.diffuseMap);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &value);
    EXPECT_EQ(value, GL_RGBA8);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_LINEAR);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_MIRRORED_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_MIRRORED_REPEAT);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 0) << "no mipmaps";
    glBindTexture(GL_TEXTURE_2D, 0);
}

// Only what is no regular file or what the GL cannot take is refused; sizes
// as such are not.
TEST_F(ModelTest, ImagesAreRefusedOnlyWhenNoRegularFileOrAboveTheGlLimit) {
    alarm(kHangSeconds);  // a blocked read would hang the test
    // Material 0: paths that name no regular file.
    std::string paths[4];
    for (int i = 0; i < 4; ++i) paths[i] = dir.special("special" + std::to_string(i) + ".png", kSpecialFiles[i]);
    // Material 1: a sparse file of twice the memory, which must not be read
    // whole; an image wider than the GL allows (uploading it would raise a
    // GL error, which fails the test); an image of 8192 x 8193 pixels; and a
    // 1 x 2 image in a file of 600 MiB, most of it an ancillary chunk.
    const std::string sparse = dir.special("sparse.png", SpecialFile::Sparse);
    const std::string wide = dir.file("wide.png");
    std::string error;
    ASSERT_TRUE(writePng(wide, Image{20000, 2, 1, std::vector<std::uint8_t>(40000, 128)}, error)) << error;
    const std::string manyPixels = writeBlackImage("many-pixels.png", 8192, 8193);
    const std::string largeFile = withAncillaryChunk(writeImage("small.png", 1, {1, 2}), "large-file.png", 600u << 20);

    ModelData data;
    data.materials = {materialWithPaths(paths[0], paths[1], paths[2], paths[3]),
                      materialWithPaths(sparse, wide, manyPixels, largeFile)};
    Model model;
    EXPECT_EQ(outputLines(load(model, writeModel("hostile.bmf", data))),
              (std::vector<std::string>{
                  "INFO: Reading material 0", "INFO: No diffuse map for material 0",
                  "INFO: No normal map found for material 0", "INFO: No specular map found for material 0",
                  "INFO: No displacement map found for material 0", "INFO: Reading material 1",
                  "INFO: No diffuse map for material 1", "INFO: No normal map found for material 1"}));
    alarm(0);
    ASSERT_EQ(model.materials.size(), 2u);
    glBindTexture(GL_TEXTURE_2D, model.materials[1].specularMap);
    GLint width = 0;
    GLint height = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(width, 8192);
    EXPECT_EQ(height, 8193);
    EXPECT_EQ(textureTexels(model.materials[1].displacementMap, 2),
              (std::vector<Rgba>{{2, 2, 2, 255}, {1, 1, 1, 255}}));
}

TEST_F(ModelTest, DrawSetsEachMeshsMaterialAndLeavesTheDocumentedState) {
    const std::string image = writeImage("red-over-blue.png", 3, {255, 0, 0, 0, 0, 255});
    ModelData data;
    data.materials = {materialWithPaths(image, image, image, image), materialWithoutImages(dir)};
    data.materials[0].diffuse = {1.0f, 1.0f, 1.0f};
    data.materials[1].diffuse = {0.1f, 0.2f, 0.3f};
    data.materials[1].specular = {0.4f, 0.5f, 0.6f};
    data.materials[1].emissive = {0.0f, 0.0f, 0.0f};
    data.materials[1].shininess = 0.0f;
    MeshRecord nothing;  // zero vertices and indices: binds its state, draws 0 indices
    nothing.materialIndex = 1;
    MeshRecord leftover = fullScreenQuad(1);
    leftover.indices = {0, 1, 2, 3};  // the fourth index forms no triangle
    data.meshes = {fullScreenQuad(1), nothing, leftover, fullScreenQuad(0)};
    Model model;
    load(model, writeModel("draw.bmf", data));
    ASSERT_EQ(model.meshes.size(), 4u);

    // Meshes of one material share its texture names.
    const Material& shared = model.materials[1];
    for (int j : {0, 1, 2}) {
        EXPECT_EQ(model.meshes[j]->material.diffuseMap, shared.diffuseMap);
        EXPECT_EQ(model.meshes[j]->material.displacementMap, shared.displacementMap);
    }
    EXPECT_EQ(model.meshes[3]->material.normalMap, model.materials[0].normalMap);
    const Mesh& last = *model.meshes[3];
    EXPECT_EQ(last.shader, shader);
    EXPECT_EQ(last.indexCount, 6u);
    EXPECT_EQ(last.materialShininessLocation, glGetUniformLocation(shader->program, "material.shininess"));
    EXPECT_EQ(last.normalSamplerLocation, glGetUniformLocation(shader->program, "texture_normal1"));
    EXPECT_NE(last.materialDiffuseLocation, -1);
    EXPECT_EQ(last.depthSamplerLocation, -1);

    Target target;
    glUseProgram(shader->program);
    glActiveTexture(GL_TEXTURE3);
    model.draw();

    EXPECT_EQ(getInteger(GL_CURRENT_PROGRAM), static_cast<GLint>(shader->program));
    EXPECT_EQ(getInteger(GL_DRAW_FRAMEBUFFER_BINDING), static_cast<GLint>(target.fbo));
    EXPECT_EQ(getInteger(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(getInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(getInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE0);
    for (const Mesh* mesh : model.meshes) {
        glBindVertexArray(mesh->vertexBuffer->vao);
        EXPECT_EQ(getInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0) << "no vertex array keeps an element buffer";
    }
    glBindVertexArray(0);
    const Material& lastMaterial = model.materials[0];
    EXPECT_EQ(boundTexture(0), static_cast<GLint>(lastMaterial.diffuseMap));
    EXPECT_EQ(boundTexture(1), static_cast<GLint>(lastMaterial.normalMap));
    EXPECT_EQ(boundTexture(2), static_cast<GLint>(lastMaterial.specularMap));
    EXPECT_EQ(boundTexture(3), static_cast<GLint>(lastMaterial.displacementMap));
    GLfloat diffuse[3] = {};
    glGetUniformfv(shader->program, last.materialDiffuseLocation, diffuse);
    EXPECT_EQ(glm::vec3(diffuse[0], diffuse[1], diffuse[2]), glm::vec3(1.0f));
    GLfloat specular[3] = {};
    glGetUniformfv(shader->program, last.materialSpecularLocation, specular);
    EXPECT_EQ(specular[0], 0.0f) << "the last mesh's values stay set";
    GLint unit = -1;
    glGetUniformiv(shader->program, last.normalSamplerLocation, &unit);
    EXPECT_EQ(unit, 1);
    glGetUniformiv(shader->program, last.specularSamplerLocation, &unit);
    EXPECT_EQ(unit, 2);

    // The last quad covers the first: its texture's top row (red) at the top.
    EXPECT_EQ(target.pixel(3, Target::kSize - 1), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(target.pixel(3, 0), (Rgba{0, 0, 255, 255}));
}

TEST_F(ModelTest, GeometryOnlyDrawKeepsAnotherProgramsUniforms) {
    ModelData data;
    data.materials = {materialWithoutImages(dir)};
    data.materials[0].shininess = 7.0f;
    data.meshes = {fullScreenQuad(0)};
    Model model;
    load(model, writeModel("shadow.bmf", data));
    ASSERT_EQ(model.meshes.size(), 1u);

    // A depth-like program whose "farPlane" sits at the very location the
    // meshes hold for "material.shininess"; it draws farPlane / 100 as red.
    constexpr float kFarPlane = 25.0f;
    constexpr int kFarPlaneRed = 64;  // a quarter of 255, rounded
    const GLint clash = model.meshes[0]->materialShininessLocation;
    ASSERT_GE(clash, 0);
    const std::string v = dir.write("depth.vert",
                                    "#version 330 core\n"
                                    "layout(location = 0) in vec3 position;\n"
                                    "void main() { gl_Position = vec4(position, 1.0); }\n");
    const std::string f = dir.write("depth.frag",
                                    "#version 430 core\n"
                                    "layout(location = " +
                                        std::to_string(clash) +
                                        ") uniform float farPlane;\n"
                                        "out vec4 colour;\n"
                                        "void main() { colour = vec4(farPlane / 100.0, 0.0, 0.0, 1.0); }\n");
    testing::internal::CaptureStdout();
    Shader depth(v.c_str(), nullptr, f.c_str());
    ASSERT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(glGetUniformLocation(depth.program, "farPlane"), clash);

    Target target;
    glUseProgram(depth.program);
    glUniform1f(clash, kFarPlane);
    glActiveTexture(GL_TEXTURE5);
    glBindTexture(GL_TEXTURE_2D, 0);
    model.drawGeometryOnly();  // any GL error here fails the test
    GLfloat farPlane = 0.0f;
    glGetUniformfv(depth.program, clash, &farPlane);
    EXPECT_EQ(farPlane, kFarPlane);
    EXPECT_EQ(target.pixel(4, 4).r, kFarPlaneRed) << "the geometry was drawn with its farPlane";
    EXPECT_EQ(getInteger(GL_VERTEX_ARRAY_BINDING), 0);
    EXPECT_EQ(getInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(getInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE5) << "no texture state is touched";
    glActiveTexture(GL_TEXTURE0);

    // The material draw with this program would overwrite farPlane, which is
    // why the shadow pass must not use it.
    const auto errors = collectGlErrors([](void* m) { static_cast<Model*>(m)->draw(); }, &model);
    glGetUniformfv(depth.program, clash, &farPlane);
    EXPECT_EQ(farPlane, 7.0f);
    EXPECT_FALSE(errors.empty()) << "locations the depth program lacks are errors too";
}

TEST_F(ModelTest, DamagedFilesAreRejectedBeforeAnythingReachesTheGpu) {
    const std::string image = writeImage("image.png", 1, {1, 2});
    ModelData valid;
    valid.materials = {materialWithPaths(image, image, image, image), materialWithPaths(image, image, image, image)};
    valid.meshes = {fullScreenQuad(1), MeshRecord()};

    struct Case {
        std::string name;
        std::vector<std::uint8_t> bytes;
        std::string fault;
    };
    std::vector<Case> cases;
    auto damaged = [&](const std::string& name, auto change, const std::string& fault) {
        ModelData data = valid;
        change(data);
        cases.push_back({name, serializeModelFile(data), fault});
    };
    damaged(
        "zero-diffuse.bmf", [](ModelData& d) { d.materials[1].diffuseMapPath.clear(); }, "diffuseMapPathLength > 0");
    damaged(
        "zero-normal.bmf", [](ModelData& d) { d.materials[1].normalMapPath.clear(); }, "normalMapPathLength > 0");
    damaged(
        "zero-specular.bmf", [](ModelData& d) { d.materials[1].specularMapPath.clear(); }, "specularMapPathLength > 0");
    damaged(
        "zero-displacement.bmf", [](ModelData& d) { d.materials[1].displacementMapPath.clear(); },
        "displacementMapPathLength > 0");
    damaged(
        "material-index.bmf", [](ModelData& d) { d.meshes[1].materialIndex = 3; },
        "materialIndex 3 not below materialCount 2");
    damaged(
        "index.bmf", [](ModelData& d) { d.meshes[0].indices[5] = 4; }, "index 4 not below vertexCount 4");

    std::vector<std::uint8_t> truncated = serializeModelFile(valid);
    truncated.pop_back();
    cases.push_back({"truncated.bmf", truncated, "file ends inside mesh 1 header (needs 24 bytes, 23 remain)"});
    // The last mesh has no data, so its vertexCount and indexCount end the file.
    std::vector<std::uint8_t> tooManyVertices = serializeModelFile(valid);
    const std::uint64_t vertexCount = kMaxVertexCount + 1;
    std::memcpy(&tooManyVertices[tooManyVertices.size() - 16], &vertexCount, 8);
    cases.push_back({"vertex-limit.bmf", tooManyVertices, "vertexCount 4294967296 above the limit 4294967295"});
    std::vector<std::uint8_t> indicesBeyondFile = serializeModelFile(valid);
    const std::uint64_t indexCount = 1000;
    std::memcpy(&indicesBeyondFile[indicesBeyondFile.size() - 8], &indexCount, 8);
    cases.push_back({"beyond-file.bmf", indicesBeyondFile,
                     "file ends inside mesh 1 data (vertexCount 0, indexCount 1000) (needs 4000 bytes, 0 remain)"});

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = dir.write(c.name, c.bytes);
        Model model;
        // Material 0 is sound: had anything been created before validation,
        // its "Reading material 0" line would show.
        EXPECT_EQ(load(model, path), "Damaged model file " + path + ": " + c.fault + "\n");
        EXPECT_TRUE(model.meshes.empty());
        EXPECT_TRUE(model.materials.empty());
    }

    // The same file without damage loads.
    Model model;
    const std::vector<std::string> out = outputLines(load(model, writeModel("valid.bmf", valid)));
    EXPECT_EQ(out, (std::vector<std::string>{"INFO: Reading material 0", "INFO: Reading material 1"}));
    EXPECT_EQ(model.meshes.size(), 2u);
}

TEST_F(ModelTest, DestroyingAModelReleasesItsBuffersAndTextures) {
    const std::string image = writeImage("image.png", 1, {1, 2});
    ModelData data;
    data.materials = {materialWithPaths(image, image, image, image)};
    data.meshes = {fullScreenQuad(0)};
    Model* model = new Model;
    load(*model, writeModel("owned.bmf", data));
    ASSERT_EQ(model->meshes.size(), 1u);
    const GLuint texture = model->materials[0].diffuseMap;
    const GLuint vertices = model->meshes[0]->vertexBuffer->id;
    const GLuint indices = model->meshes[0]->indexBuffer->id;
    EXPECT_TRUE(glIsTexture(texture));
    EXPECT_TRUE(glIsBuffer(vertices));
    delete model;
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsBuffer(vertices));
    EXPECT_FALSE(glIsBuffer(indices));
}

}  // namespace
