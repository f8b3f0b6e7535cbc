#pragma once

#include <cstddef>
#include <string>

// Writes size bytes to path (created, or emptied first) and closes it,
// checking each step: a full disk shows at a write or only at the close. The
// open does not wait for a FIFO's reader. False with one line, e.g.
// "cannot write /dev/full: No space left on device".
bool writeWholeFile(const std::string& path, const void* data, std::size_t size, std::string& error);
