#pragma once

// Opening the files that the program and its tools read. A path may name
// anything: a FIFO (whose open blocks until a writer comes), a directory, a
// device that never ends (/dev/zero) or a sparse file of a terabyte. So a file
// is opened without blocking, and only a regular file no larger than the
// caller's bound is handed on.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

enum class InputFault {
    None,
    Missing,     // does not exist, or cannot be opened at all
    NotRegular,  // a FIFO, directory, device or socket
    TooLarge,    // a regular file above the caller's bound
    ReadFailed,  // opened, but reading it failed
};

struct InputFile {
    FileHandle stream;  // positioned at the start, in binary mode
    std::uint64_t size = 0;
    InputFault fault = InputFault::None;
};

// Opens path for reading if it is a regular file of at most maxBytes. On
// failure out.fault says why and error holds one line, e.g.
// "shaders/x.frag is not a regular file" or
// "models/x.bmf is 2147483648 bytes, above the limit of 1073741824".
bool openInputFile(const std::string& path, std::uint64_t maxBytes, InputFile& out, std::string& error);

// The whole file, as openInputFile admits it.
bool readInputFile(const std::string& path, std::uint64_t maxBytes, std::vector<std::uint8_t>& bytes, InputFault& fault,
                   std::string& error);
