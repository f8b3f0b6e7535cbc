#pragma once

#include <string>

#include "model/bmf_format.h"

// Reads a whole model file and validates it, without touching the GPU.
// Returns an empty string on success; otherwise out is empty and the result
// is the one line to report: "File not found!" when the file cannot be
// opened or read, or "Damaged model file <path>: <fault>".
std::string readModelFile(const char* path, ModelData& out);
