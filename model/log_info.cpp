#include "model/log_info.h"

#include <iostream>

void logInfo(const std::string& message) { std::cout << "INFO: " << message << std::endl; }
