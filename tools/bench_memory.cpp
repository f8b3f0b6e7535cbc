#include "tools/bench_memory.h"

#include <fstream>
#include <sstream>

#include <unistd.h>

std::optional<std::uint64_t> residentKiBFromStatm(const std::string& statm, std::uint64_t pageBytes) {
    std::istringstream in(statm);
    std::uint64_t sizePages = 0;
    std::uint64_t residentPages = 0;
    if (!(in >> sizePages >> residentPages)) return std::nullopt;
    return residentPages * pageBytes / 1024;
}

std::uint64_t currentResidentKiB() {
    std::ifstream file("/proc/self/statm");
    std::string text;
    std::getline(file, text);
    const long page = sysconf(_SC_PAGESIZE);
    return residentKiBFromStatm(text, page > 0 ? static_cast<std::uint64_t>(page) : 4096).value_or(0);
}
