#include "model/model_file.h"

#include <fstream>
#include <vector>

namespace {

constexpr std::size_t kReadChunkBytes = 1 << 16;

}  // namespace

std::string readModelFile(const char* path, ModelData& out) {
    out = ModelData();
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return "File not found!";
    // Read in chunks rather than by the file's size, so that pipes work and
    // a directory (which opens but cannot be read) ends as a stream error.
    std::vector<std::uint8_t> bytes;
    std::vector<char> chunk(kReadChunkBytes);
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk.data(), chunk.data() + in.gcount());
    }
    if (in.bad()) return "File not found!";
    std::string fault;
    if (!parseModelFile(bytes.data(), bytes.size(), out, fault)) {
        return "Damaged model file " + std::string(path) + ": " + fault;
    }
    return std::string();
}
