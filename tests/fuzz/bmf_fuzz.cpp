// libFuzzer target over the model-file reader. Any bytes must either parse
// or be rejected with one error, without reading outside the input,
// overflowing or allocating for counts the input cannot hold. What parses
// must write back to exactly the bytes it came from (trailing bytes aside)
// and hold only in-range material and vertex indices.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "model/bmf_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ModelData model;
    std::string error;
    if (!parseModelFile(data, size, model, error)) {
        if (error.empty() || error.find('\n') != std::string::npos) std::abort();
        if (!model.materials.empty() || !model.meshes.empty()) std::abort();
        return 0;
    }
    if (!error.empty()) std::abort();
    for (const MeshRecord& mesh : model.meshes) {
        if (mesh.materialIndex >= model.materials.size()) std::abort();
        if (mesh.vertices.size() > kMaxVertexCount || mesh.indices.size() > kMaxIndexCount) std::abort();
        for (std::uint32_t index : mesh.indices) {
            if (index >= mesh.vertices.size()) std::abort();
        }
    }
    const std::vector<std::uint8_t> bytes = serializeModelFile(model);
    if (bytes.size() > size || std::memcmp(bytes.data(), data, bytes.size()) != 0) std::abort();
    return 0;
}
