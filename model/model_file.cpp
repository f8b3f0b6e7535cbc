#include "model/model_file.h"

#include <vector>

#include "model/input_file.h"

std::string readModelFile(const char* path, ModelData& out) {
    out = ModelData();
    // Only a regular file of bounded size: a FIFO would block the open, a
    // device such as /dev/zero would never end.
    std::vector<std::uint8_t> bytes;
    InputFault fault = InputFault::None;
    std::string error;
    if (!readInputFile(path, kMaxModelFileBytes, bytes, fault, error)) {
        return fault == InputFault::TooLarge ? "Model file too large: " + error : "File not found!";
    }
    std::string damage;
    if (!parseModelFile(bytes.data(), bytes.size(), out, damage)) {
        return "Damaged model file " + std::string(path) + ": " + damage;
    }
    return std::string();
}
