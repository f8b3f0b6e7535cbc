#pragma once

// Opening the files that the program and its tools read. A path may name
// anything: a FIFO (whose open blocks until a writer comes), a directory or a
// device that never ends (/dev/zero). So a file is opened without blocking,
// and only a regular file is handed on. A file read whole must also fit in
// memory: a sparse file of a terabyte costs no disk space, and a failed
// allocation for it would end the program.

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
    TooLarge,    // read whole, it would not fit in memory
    ReadFailed,  // opened, but reading it failed
};

struct InputFile {
    FileHandle stream;  // positioned at the start, in binary mode
    std::uint64_t size = 0;
    InputFault fault = InputFault::None;
};

// Opens path for reading if it is a regular file, of any size. On failure
// out.fault says why and error holds one line, e.g.
// "shaders/x.frag is not a regular file (a FIFO)".
bool openInputFile(const std::string& path, InputFile& out, std::string& error);

// The whole file, as openInputFile admits it. A file larger than the
// machine's physical memory is TooLarge unread ("models/x.bmf is
// 1099511627776 bytes, more than the machine's memory of 25276104704
// bytes"), as is one whose bytes cannot be allocated (tooLargeForMemory).
bool readInputFile(const std::string& path, std::vector<std::uint8_t>& bytes, InputFault& fault, std::string& error);
bool readInputFile(const std::string& path, std::string& text, InputFault& fault, std::string& error);

// Bytes that can still be allocated and filled without the kernel reclaiming
// memory by ending a process: the system's available memory, within what the
// process's memory control group still allows. The largest uint64 when the
// system does not say.
std::uint64_t availableMemoryBytes();

// "<path> is <size> bytes, more than the memory left for it": the line for
// a file whose contents, or what is made of them, could not be allocated.
std::string tooLargeForMemory(const std::string& path, std::uint64_t size);
