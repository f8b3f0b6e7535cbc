#include "model/log_info.h"

#include <iostream>

void logInfo(std::string message) { std::cout << "INFO: " << message << std::endl; }
