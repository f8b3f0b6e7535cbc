#pragma once

#include <cstdint>
#include <string>

// Resident set size in KiB from the text of /proc/self/statm (pages: size,
// resident, shared, ...); false when the text is not in that form.
bool residentKiBFromStatm(const std::string& statm, std::uint64_t pageBytes, std::uint64_t& kib);

// The process's resident set size now, in KiB (0 where /proc is missing).
std::uint64_t currentResidentKiB();
