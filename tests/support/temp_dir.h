#pragma once

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// What a path may name besides a plain file: input that must be refused
// without blocking (a FIFO with no writer), without reading forever (devices
// that never end) and without reading it all (a sparse file of twice the
// machine's memory, which costs no disk space).
enum class SpecialFile { Fifo, Directory, DevZero, DevUrandom, Sparse };
constexpr SpecialFile kSpecialFiles[] = {SpecialFile::Fifo, SpecialFile::Directory, SpecialFile::DevZero,
                                         SpecialFile::DevUrandom, SpecialFile::Sparse};

inline std::uint64_t sparseFileBytes() {
    return 2 * static_cast<std::uint64_t>(sysconf(_SC_PHYS_PAGES)) * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
}

// Makes path (which must not exist) a sparse file of size bytes; false on failure.
inline bool makeSparseFile(const std::string& path, std::uint64_t size) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    const bool sized = fd >= 0 && ftruncate(fd, static_cast<off_t>(size)) == 0;
    if (fd >= 0) close(fd);
    return sized;
}

inline const char* specialFileName(SpecialFile kind) {
    switch (kind) {
        case SpecialFile::Fifo: return "fifo";
        case SpecialFile::Directory: return "directory";
        case SpecialFile::DevZero: return "link to /dev/zero";
        case SpecialFile::DevUrandom: return "link to /dev/urandom";
        case SpecialFile::Sparse: return "sparse file of twice the memory";
    }
    return "?";
}

// Makes path (which must not exist) into the kind; false on failure.
inline bool makeSpecialFile(const std::string& path, SpecialFile kind) {
    switch (kind) {
        case SpecialFile::Fifo: return mkfifo(path.c_str(), 0644) == 0;
        case SpecialFile::Directory: return mkdir(path.c_str(), 0755) == 0;
        case SpecialFile::DevZero: return symlink("/dev/zero", path.c_str()) == 0;
        case SpecialFile::DevUrandom: return symlink("/dev/urandom", path.c_str()) == 0;
        case SpecialFile::Sparse: return makeSparseFile(path, sparseFileBytes());
    }
    return false;
}

// A fresh directory under the system's temporary folder, removed with
// everything in it when the object goes away.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "rtg-test-XXXXXX").string();
        if (mkdtemp(&pattern[0]) != nullptr) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool ok() const { return !path_.empty(); }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Writes bytes to name inside the directory; returns the full path.
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }
    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        return write(name, std::string(bytes.begin(), bytes.end()));
    }
    // Makes name inside the directory into the kind, replacing what was there; returns the full path.
    std::string special(const std::string& name, SpecialFile kind) const {
        std::error_code ignored;
        std::filesystem::remove_all(file(name), ignored);
        makeSpecialFile(file(name), kind);
        return file(name);
    }

private:
    std::string path_;
};
