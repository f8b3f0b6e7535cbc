#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/bmf_format.h"

namespace {

// Builds model-file bytes field by field, so tests can write what the
// writer never would.
struct Bytes {
    std::vector<std::uint8_t> data;

    template <typename T>
    Bytes& put(T value) {
        std::uint8_t raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        data.insert(data.end(), raw, raw + sizeof(T));
        return *this;
    }
    Bytes& u64(std::uint64_t v) { return put(v); }
    Bytes& u32(std::uint32_t v) { return put(v); }
    Bytes& f32(float v) { return put(v); }
    Bytes& path(const std::string& p) {
        u64(p.size());
        data.insert(data.end(), p.begin(), p.end());
        return *this;
    }
    Bytes& factors() {
        for (int i = 0; i < 10; ++i) f32(1.0f);
        return *this;
    }
    Bytes& material() { return factors().path("d").path("n").path("s").path("h"); }
    Bytes& meshHeader(std::uint64_t materialIndex, std::uint64_t vertexCount, std::uint64_t indexCount) {
        return u64(materialIndex).u64(vertexCount).u64(indexCount);
    }
    Bytes& vertices(int count) {
        for (int i = 0; i < count * 11; ++i) f32(static_cast<float>(i));
        return *this;
    }
};

struct Parsed {
    bool ok = false;
    ModelData model;
    std::string error;
};

Parsed parse(const std::vector<std::uint8_t>& bytes) {
    Parsed p;
    p.ok = parseModelFile(bytes.data(), bytes.size(), p.model, p.error);
    return p;
}

void expectRejected(const std::vector<std::uint8_t>& bytes, const std::string& error) {
    const Parsed p = parse(bytes);
    EXPECT_FALSE(p.ok);
    EXPECT_EQ(p.error, error);
    EXPECT_TRUE(p.model.materials.empty());
    EXPECT_TRUE(p.model.meshes.empty());
}

ModelData sampleModel() {
    ModelData model;
    MaterialRecord wood;
    wood.diffuse = {0.5f, 0.25f, 0.125f};
    wood.specular = {1.0f, 2.0f, 3.0f};
    wood.emissive = {0.0f, 0.0f, 4.0f};
    wood.shininess = 32.0f;
    wood.diffuseMapPath = "textures/wood.png";
    wood.normalMapPath = std::string("textures/wood_normal.png\0", 25);  // stored trailing zero byte
    wood.specularMapPath = "none";
    wood.displacementMapPath = "textures\\depth.png";  // separators are kept verbatim
    MaterialRecord metal = wood;
    metal.shininess = 128.0f;
    model.materials = {wood, metal};

    MeshRecord quad;
    quad.materialIndex = 1;
    for (int i = 0; i < 4; ++i) {
        Vertex v{};
        v.position = {float(i), float(i) + 0.5f, -float(i)};
        v.normal = {0.0f, 0.0f, 1.0f};
        v.texCoords = {float(i & 1), float(i >> 1)};
        v.tangent = {1.0f, 0.0f, 0.0f};
        quad.vertices.push_back(v);
    }
    quad.indices = {0, 1, 2, 2, 1, 3, 3};  // one index left over
    MeshRecord nothing;                    // zero vertices, zero indices
    MeshRecord sameMaterial = quad;
    sameMaterial.indices = {0, 1, 2};
    model.meshes = {quad, nothing, sameMaterial};
    return model;
}

void expectSameModel(const ModelData& a, const ModelData& b) {
    ASSERT_EQ(a.materials.size(), b.materials.size());
    for (std::size_t i = 0; i < a.materials.size(); ++i) {
        const MaterialRecord& x = a.materials[i];
        const MaterialRecord& y = b.materials[i];
        EXPECT_EQ(x.diffuse, y.diffuse);
        EXPECT_EQ(x.specular, y.specular);
        EXPECT_EQ(x.emissive, y.emissive);
        EXPECT_EQ(x.shininess, y.shininess);
        EXPECT_EQ(x.diffuseMapPath, y.diffuseMapPath);
        EXPECT_EQ(x.normalMapPath, y.normalMapPath);
        EXPECT_EQ(x.specularMapPath, y.specularMapPath);
        EXPECT_EQ(x.displacementMapPath, y.displacementMapPath);
    }
    ASSERT_EQ(a.meshes.size(), b.meshes.size());
    for (std::size_t j = 0; j < a.meshes.size(); ++j) {
        EXPECT_EQ(a.meshes[j].materialIndex, b.meshes[j].materialIndex);
        EXPECT_EQ(a.meshes[j].indices, b.meshes[j].indices);
        ASSERT_EQ(a.meshes[j].vertices.size(), b.meshes[j].vertices.size());
        if (a.meshes[j].vertices.empty()) continue;
        EXPECT_EQ(std::memcmp(a.meshes[j].vertices.data(), b.meshes[j].vertices.data(),
                              a.meshes[j].vertices.size() * sizeof(Vertex)),
                  0);
    }
}

TEST(BmfReader, PlacesFileFieldsIntoTheInMemoryLayout) {
    Bytes b;
    b.u64(1).f32(1).f32(2).f32(3).f32(4).f32(5).f32(6).f32(7).f32(8).f32(9).f32(10);
    b.path("d").path("nn").path("sss").path("hhhh");
    b.u64(1).meshHeader(0, 1, 3).vertices(1).u32(0).u32(0).u32(0);
    const Parsed p = parse(b.data);
    ASSERT_TRUE(p.ok) << p.error;
    const MaterialRecord& m = p.model.materials.at(0);
    EXPECT_EQ(m.diffuse, glm::vec3(1, 2, 3));
    EXPECT_EQ(m.specular, glm::vec3(4, 5, 6));
    EXPECT_EQ(m.emissive, glm::vec3(7, 8, 9));
    EXPECT_EQ(m.shininess, 10.0f);
    EXPECT_EQ(m.diffuseMapPath, "d");
    EXPECT_EQ(m.normalMapPath, "nn");
    EXPECT_EQ(m.specularMapPath, "sss");
    EXPECT_EQ(m.displacementMapPath, "hhhh");
    // File order: position, normal, tangent, u v; memory keeps texCoords before tangent.
    const Vertex& v = p.model.meshes.at(0).vertices.at(0);
    EXPECT_EQ(v.position, glm::vec3(0, 1, 2));
    EXPECT_EQ(v.normal, glm::vec3(3, 4, 5));
    EXPECT_EQ(v.tangent, glm::vec3(6, 7, 8));
    EXPECT_EQ(v.texCoords, glm::vec2(9, 10));
}

TEST(BmfReader, ValidFilesReadBackWhatWasWritten) {
    const ModelData model = sampleModel();
    std::vector<std::uint8_t> bytes = serializeModelFile(model);
    Parsed p = parse(bytes);
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.error.empty());
    expectSameModel(p.model, model);
    EXPECT_EQ(p.model.meshes[1].vertices.size(), 0u);
    EXPECT_EQ(p.model.meshes[2].materialIndex, p.model.meshes[0].materialIndex);

    // Trailing bytes are not part of the model, whatever they hold.
    for (std::uint8_t junk : {0x00, 0xff, 0x07}) bytes.push_back(junk);
    p = parse(bytes);
    ASSERT_TRUE(p.ok) << p.error;
    expectSameModel(p.model, model);
}

TEST(BmfReader, EmptyModelIsTwoZeroCounts) {
    const Parsed p = parse(Bytes().u64(0).u64(0).data);
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_TRUE(p.model.materials.empty());
    EXPECT_TRUE(p.model.meshes.empty());
}

TEST(BmfReader, ParsingReplacesWhatTheOutputHeld) {
    ModelData out = sampleModel();
    std::string error = "stale";
    const std::vector<std::uint8_t> empty = Bytes().u64(0).u64(0).data;
    ASSERT_TRUE(parseModelFile(empty.data(), empty.size(), out, error));
    EXPECT_TRUE(out.materials.empty());
    EXPECT_TRUE(error.empty());
    out = sampleModel();
    EXPECT_FALSE(parseModelFile(nullptr, 0, out, error));
    EXPECT_TRUE(out.meshes.empty());
}

TEST(BmfReader, EveryTruncationIsRejected) {
    const std::vector<std::uint8_t> bytes = serializeModelFile(sampleModel());
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        ModelData out;
        std::string error;
        ASSERT_FALSE(parseModelFile(bytes.data(), size, out, error)) << "prefix of " << size << " bytes";
        const bool namesShortFile =
            error.rfind("file ends inside ", 0) == 0 || error.find(" more than the remaining ") != std::string::npos;
        EXPECT_TRUE(namesShortFile) << error;
        EXPECT_TRUE(out.materials.empty() && out.meshes.empty());
    }
}

TEST(BmfReader, TruncationMessagesNameTheField) {
    expectRejected(Bytes().u32(0).data, "file ends inside materialCount (needs 8 bytes, 4 remain)");
    expectRejected(Bytes().u64(0).data, "file ends inside meshCount (needs 8 bytes, 0 remain)");
    // 79 bytes: room for one material by count, but its normal map path is cut.
    Bytes cutPath;
    cutPath.u64(1).factors().path("d").u64(40).path("ab").path("c");
    expectRejected(cutPath.data, "file ends inside material 0 normalMapPath (needs 40 bytes, 19 remain)");
    Bytes cutMesh;
    cutMesh.u64(0).u64(1).meshHeader(0, 0, 0);
    cutMesh.data.resize(cutMesh.data.size() - 1);
    expectRejected(cutMesh.data, "meshCount 1 more than the remaining 23 bytes can hold");
    Bytes cutData;
    cutData.u64(1).material().u64(1).meshHeader(0, 2, 3).vertices(2).u32(0).u32(1);
    expectRejected(cutData.data,
                   "file ends inside mesh 0 data (vertexCount 2, indexCount 3) (needs 100 bytes, 96 remain)");
}

TEST(BmfReader, ZeroPathLengthNamesTheFailedCondition) {
    const char* conditions[] = {"diffuseMapPathLength > 0", "normalMapPathLength > 0", "specularMapPathLength > 0",
                                "displacementMapPathLength > 0"};
    for (int empty = 0; empty < 4; ++empty) {
        Bytes b;
        b.u64(1).factors();
        for (int map = 0; map < 4; ++map) b.path(map == empty ? "" : "a-long-enough-path");
        b.u64(0);
        expectRejected(b.data, conditions[empty]);
    }
}

TEST(BmfReader, MaterialIndexMustBeBelowMaterialCount) {
    Bytes b;
    b.u64(2).material().material().u64(2).meshHeader(1, 0, 0).meshHeader(3, 0, 0);
    expectRejected(b.data, "materialIndex 3 not below materialCount 2");
    expectRejected(Bytes().u64(0).u64(1).meshHeader(0, 0, 0).data, "materialIndex 0 not below materialCount 0");
}

TEST(BmfReader, IndicesMustStayInsideTheirMesh) {
    Bytes b;
    b.u64(1).material().u64(2).meshHeader(0, 3, 3).vertices(3).u32(0).u32(1).u32(2);
    b.meshHeader(0, 4, 3).vertices(4).u32(3).u32(4).u32(0);  // 4 belongs to no vertex of mesh 1
    expectRejected(b.data, "index 4 not below vertexCount 4");
    Bytes noVertices;
    noVertices.u64(1).material().u64(1).meshHeader(0, 0, 1).u32(0);
    expectRejected(noVertices.data, "index 0 not below vertexCount 0");
}

TEST(BmfReader, CountsBeyondTheUploadLimitsAreRejected) {
    Bytes vertices;
    vertices.u64(1).material().u64(1).meshHeader(0, kMaxVertexCount + 1, 0);
    expectRejected(vertices.data, "vertexCount 4294967296 above the limit 4294967295");
    Bytes indices;
    indices.u64(1).material().u64(1).meshHeader(0, 0, kMaxIndexCount + 1);
    expectRejected(indices.data, "indexCount 1073741824 above the limit 1073741823");
}

TEST(BmfReader, CountsBeyondTheRemainingBytesAreRejectedBeforeAllocating) {
    // Huge counts in tiny files: reading them must neither overflow nor
    // allocate for them (the sanitizer build fails on oversized allocations).
    const std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    expectRejected(Bytes().u64(max).data,
                   "materialCount 18446744073709551615 more than the remaining 0 bytes can hold");
    expectRejected(Bytes().u64(1).factors().data, "materialCount 1 more than the remaining 40 bytes can hold");
    expectRejected(Bytes().u64(0).u64(max / 2).data,
                   "meshCount 9223372036854775807 more than the remaining 0 bytes can hold");
    Bytes bigPath;
    bigPath.u64(1).factors().u64(max).u64(0).u64(0).u64(0).u64(0);
    expectRejected(bigPath.data,
                   "file ends inside material 0 diffuseMapPath (needs 18446744073709551615 bytes, 32 remain)");
    Bytes atLimits;
    atLimits.u64(1).material().u64(1).meshHeader(0, kMaxVertexCount, kMaxIndexCount);
    expectRejected(atLimits.data,
                   "file ends inside mesh 0 data (vertexCount 4294967295, indexCount 1073741823) "
                   "(needs 193273528272 bytes, 0 remain)");
}

}  // namespace
