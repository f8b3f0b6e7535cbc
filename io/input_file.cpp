#include "io/input_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <limits>
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

constexpr std::uint64_t kUnknown = std::numeric_limits<std::uint64_t>::max();

// The first number in a small text file (a kernel interface); kUnknown when
// it cannot be read or is no number ("max").
std::uint64_t numberInFile(const std::string& path) {
    std::ifstream in(path);
    std::uint64_t value = 0;
    return in >> value ? value : kUnknown;
}

// "MemAvailable:   24109968 kB" of /proc/meminfo, in bytes.
std::uint64_t systemAvailableBytes() {
    std::ifstream in("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (in >> key >> kib >> unit)
        if (key == "MemAvailable:") return kib * 1024;
    return kUnknown;
}

// A counter of a control group's memory.stat ("inactive_file 123"); 0 when
// it is not there.
std::uint64_t statValue(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string name;
    std::uint64_t value = 0;
    while (in >> name >> value)
        if (name == key) return value;
    return 0;
}

// What the memory control group of the process still allows (version 1 or
// 2), counting the page cache it could drop as free; kUnknown when it sets
// no limit or cannot be read.
std::uint64_t controlGroupHeadroomBytes() {
    std::ifstream in("/proc/self/cgroup");
    std::string line;
    while (std::getline(in, line)) {
        std::string dir;
        std::string limit;
        std::string usage;
        std::string inactiveFile;
        const std::size_t v1 = line.find(":memory:");
        if (v1 != std::string::npos) {
            dir = "/sys/fs/cgroup/memory" + line.substr(v1 + 8);
            limit = "/memory.limit_in_bytes";
            usage = "/memory.usage_in_bytes";
            inactiveFile = "total_inactive_file";
        } else if (line.rfind("0::", 0) == 0) {
            dir = "/sys/fs/cgroup" + line.substr(3);
            limit = "/memory.max";
            usage = "/memory.current";
            inactiveFile = "inactive_file";
        } else {
            continue;
        }
        const std::uint64_t max = numberInFile(dir + limit);
        std::uint64_t used = numberInFile(dir + usage);
        if (max == kUnknown || used == kUnknown) continue;
        used -= std::min(used, statValue(dir + "/memory.stat", inactiveFile));
        return max > used ? max - used : 0;
    }
    return kUnknown;
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

std::uint64_t availableMemoryBytes() { return std::min(systemAvailableBytes(), controlGroupHeadroomBytes()); }

std::string tooLargeForMemory(const std::string& path, std::uint64_t size) {
    return path + " is " + std::to_string(size) + " bytes, more than the memory left for it";
}
