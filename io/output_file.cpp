#include "io/output_file.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

bool writeWholeFile(const std::string& path, const void* data, std::size_t size, std::string& error) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0666);
    if (fd < 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const char* next = static_cast<const char*>(data);
    std::size_t left = size;
    while (left > 0) {
        const ssize_t written = write(fd, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            error = "cannot write " + path + ": " + std::strerror(written < 0 ? errno : ENOSPC);
            close(fd);
            return false;
        }
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    if (close(fd) != 0) {
        error = "cannot write " + path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
