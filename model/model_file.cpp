#include "model/model_file.h"

#include <vector>

#include "model/input_file.h"

bool readModelFile(const char* path, ModelData& out, std::string& error) {
    out = ModelData();
    // Only a regular file of bounded size: a FIFO would block the open, a
    // device such as /dev/zero would never end.
    std::vector<std::uint8_t> bytes;
    InputFault fault = InputFault::None;
    std::string reason;
    if (!readInputFile(path, kMaxModelFileBytes, bytes, fault, reason)) {
        error = fault == InputFault::TooLarge ? "Model file too large: " + reason : "File not found!";
        return false;
    }
    std::string damage;
    if (!parseModelFile(bytes.data(), bytes.size(), out, damage)) {
        error = "Damaged model file " + std::string(path) + ": " + damage;
        return false;
    }
    return true;
}
