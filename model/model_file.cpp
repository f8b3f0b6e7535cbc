#include "model/model_file.h"

#include <fstream>
#include <vector>

namespace {

constexpr std::size_t kReadChunkBytes = 1 << 16;

}  // namespace

bool readModelFile(const char* path, ModelData& out, std::string& error) {
    out = ModelData();
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        error = "File not found!";
        return false;
    }
    // Read in chunks rather than by the file's size, so that pipes work and
    // a directory (which opens but cannot be read) ends as a stream error.
    std::vector<std::uint8_t> bytes;
    std::vector<char> chunk(kReadChunkBytes);
    while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
        bytes.insert(bytes.end(), chunk.data(), chunk.data() + in.gcount());
    }
    if (in.bad()) {
        error = "File not found!";
        return false;
    }
    std::string fault;
    if (!parseModelFile(bytes.data(), bytes.size(), out, fault)) {
        error = "Damaged model file " + std::string(path) + ": " + fault;
        return false;
    }
    return true;
}
