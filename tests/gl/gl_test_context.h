#pragma once

#include <string>
#include <vector>

#include <GL/glew.h>

#include "app/window.h"

// The one hidden window and debug GL context of a GL test process, opened by
// the shared test main with the program's own context attributes.
AppWindow& glTestWindow();

// Runs fn while GL errors are expected: they are collected, not failures.
std::vector<std::string> collectGlErrors(void (*fn)(void*), void* context);
