#pragma once

#include <string>

// Writes "INFO: " + message as one flushed line on standard output.
void logInfo(const std::string& message);
