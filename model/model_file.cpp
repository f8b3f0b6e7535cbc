#include "model/model_file.h"

#include <new>
#include <vector>

#include "io/input_file.h"

bool readModelFile(const char* path, ModelData& out, std::string& error) {
    out = ModelData();
    // Only a regular file: a FIFO would block the open, a device such as
    // /dev/zero would never end.
    std::vector<std::uint8_t> bytes;
    InputFault fault = InputFault::None;
    std::string reason;
    if (!readInputFile(path, bytes, fault, reason)) {
        error = fault == InputFault::TooLarge ? "Model file too large: " + reason : "File not found!";
        return false;
    }
    std::string damage;
    try {
        // The records take memory in proportion to the file's bytes, a few
        // times as much for a file of empty records.
        if (!parseModelFile(bytes.data(), bytes.size(), out, damage)) {
            error = "Damaged model file " + std::string(path) + ": " + damage;
            return false;
        }
    } catch (const std::bad_alloc&) {
        out = ModelData();
        error = "Model file too large: " + tooLargeForMemory(path, bytes.size());
        return false;
    }
    return true;
}
