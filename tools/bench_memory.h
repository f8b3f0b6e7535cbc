#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Resident set size in KiB from the text of /proc/self/statm (pages: size,
// resident, shared, ...), or nothing when the text is not in that form.
std::optional<std::uint64_t> residentKiBFromStatm(const std::string& statm, std::uint64_t pageBytes);

// The process's resident set size now, in KiB (0 where /proc is missing).
std::uint64_t currentResidentKiB();
