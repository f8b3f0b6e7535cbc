#pragma once

#include <cstdint>
#include <string>

#include "model/bmf_format.h"

// The largest model file read; larger ones are refused unread.
constexpr std::uint64_t kMaxModelFileBytes = 1ull << 30;

// Reads a whole model file and validates it, without touching the GPU. On
// failure out is empty and error the one line to report: "File not found!"
// when the file cannot be opened or read or is not a regular file, "Model
// file too large: <path> is N bytes, above the limit of M", or "Damaged model
// file <path>: <fault>".
bool readModelFile(const char* path, ModelData& out, std::string& error);
