#pragma once

#include <string>

#include "model/bmf_format.h"

// Reads a whole model file and validates it, without touching the GPU. On
// failure out is empty and error the one line to report: "File not found!"
// when the file cannot be opened or read or is not a regular file, "Model
// file too large: <path> is N bytes, more than ..." when it or the model made
// of it does not fit in memory, or "Damaged model file <path>: <fault>".
bool readModelFile(const char* path, ModelData& out, std::string& error);
