#include "io/input_file.h"

#include <cerrno>
#include <cstring>
#include <new>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* kindOf(mode_t mode) {
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a plain file";
}

bool refuse(InputFault fault, const std::string& line, InputFile& out, std::string& error) {
    out.stream.reset();
    out.size = 0;
    out.fault = fault;
    error = line;
    return false;
}

// Physical memory; 0 where the system does not say.
std::uint64_t physicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

template <typename Bytes>
bool readWhole(const std::string& path, Bytes& bytes, InputFault& fault, std::string& error) {
    bytes.clear();
    InputFile file;
    if (!openInputFile(path, file, error)) {
        fault = file.fault;
        return false;
    }
    // Beyond physical memory the allocation below would either fail or, where
    // memory is overcommitted, succeed and be killed while filling it.
    const std::uint64_t memory = physicalMemoryBytes();
    if (memory != 0 && file.size > memory) {
        fault = InputFault::TooLarge;
        error = path + " is " + std::to_string(file.size) + " bytes, more than the machine's memory of " +
                std::to_string(memory) + " bytes";
        return false;
    }
    try {
        // Only the size seen at the open: a file that grows meanwhile is not
        // followed, one that shrinks gives what is there.
        bytes.resize(static_cast<std::size_t>(file.size));
    } catch (const std::bad_alloc&) {
        fault = InputFault::TooLarge;
        error = tooLargeForMemory(path, file.size);
        return false;
    }
    const std::size_t got = bytes.empty() ? 0 : std::fread(&bytes[0], 1, bytes.size(), file.stream.get());
    if (std::ferror(file.stream.get()) != 0) {
        const int readErrno = errno;
        bytes.clear();
        fault = InputFault::ReadFailed;
        error = path + ": " + std::strerror(readErrno);
        return false;
    }
    bytes.resize(got);
    fault = InputFault::None;
    return true;
}

}  // namespace

bool openInputFile(const std::string& path, InputFile& out, std::string& error) {
    out = InputFile();
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        const int openErrno = errno;
        struct stat info {};
        // A socket cannot be opened at all, but it is there.
        if (stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode))
            return refuse(InputFault::NotRegular, path + " is not a regular file (" + kindOf(info.st_mode) + ")", out,
                          error);
        return refuse(InputFault::Missing, path + ": " + std::strerror(openErrno), out, error);
    }
    struct stat info {};
    if (fstat(fd, &info) != 0) {
        const int statErrno = errno;
        close(fd);
        return refuse(InputFault::ReadFailed, path + ": " + std::strerror(statErrno), out, error);
    }
    if (!S_ISREG(info.st_mode)) {
        close(fd);
        return refuse(InputFault::NotRegular, path + " is not a regular file (" + kindOf(info.st_mode) + ")", out,
                      error);
    }
    // Reads of a regular file do not block; clear the flag all the same so
    // that the stream behaves as a plainly opened one.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    std::FILE* stream = fdopen(fd, "rb");
    if (stream == nullptr) {
        const int openErrno = errno;
        close(fd);
        return refuse(InputFault::ReadFailed, path + ": " + std::strerror(openErrno), out, error);
    }
    out.stream.reset(stream);
    out.size = static_cast<std::uint64_t>(info.st_size);
    return true;
}

bool readInputFile(const std::string& path, std::vector<std::uint8_t>& bytes, InputFault& fault, std::string& error) {
    return readWhole(path, bytes, fault, error);
}

bool readInputFile(const std::string& path, std::string& text, InputFault& fault, std::string& error) {
    return readWhole(path, text, fault, error);
}

std::string tooLargeForMemory(const std::string& path, std::uint64_t size) {
    return path + " is " + std::to_string(size) + " bytes, more than the memory left for it";
}
