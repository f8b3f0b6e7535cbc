// bmf: inspects model files. Usage: bmf <command> [arguments].
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "io/standard_streams.h"
#include "tools/bmf/commands.h"

namespace {

const BmfCommand kCommands[] = {
    {"info", "FILE", "print the materials and meshes of a model file", runInfo},
    {"import", "SCENE OUT.bmf [--run-dir DIR] [--allow-outside]",
     "convert an OBJ, glTF or other scene into a model file", runImport},
};

void printUsage() {
    std::cout << "Usage: bmf <command> [arguments]\nCommands:\n";
    for (const BmfCommand& command : kCommands) {
        const std::string synopsis = std::string(command.name) + " " + command.arguments;
        std::cout << "  " << synopsis << std::string(synopsis.size() < 20 ? 20 - synopsis.size() : 1, ' ')
                  << command.summary << "\n";
    }
    std::cout.flush();
}

}  // namespace

std::string printable(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f && byte != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            out += escaped;
        }
    }
    return out;
}

int main(int argc, char** argv) {
    reopenClosedStandardStreams();
    if (argc >= 2) {
        for (const BmfCommand& command : kCommands) {
            if (std::strcmp(argv[1], command.name) != 0) continue;
            const int status = command.run(std::vector<std::string>(argv + 2, argv + argc));
            if (status == kExitUsage) printUsage();
            return status;
        }
    }
    printUsage();
    return kExitUsage;
}
