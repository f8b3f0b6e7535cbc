#include "tools/bench/memory.h"

#include <fstream>
#include <sstream>

#include <unistd.h>

bool residentKiBFromStatm(const std::string& statm, std::uint64_t pageBytes, std::uint64_t& kib) {
    std::istringstream in(statm);
    std::uint64_t sizePages = 0;
    std::uint64_t residentPages = 0;
    if (!(in >> sizePages >> residentPages)) return false;
    kib = residentPages * pageBytes / 1024;
    return true;
}

std::uint64_t currentResidentKiB() {
    std::ifstream file("/proc/self/statm");
    std::string text;
    std::getline(file, text);
    const long page = sysconf(_SC_PAGESIZE);
    std::uint64_t kib = 0;
    return residentKiBFromStatm(text, page > 0 ? static_cast<std::uint64_t>(page) : 4096, kib) ? kib : 0;
}
