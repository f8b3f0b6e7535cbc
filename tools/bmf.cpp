// bmf: inspects model files. Usage: bmf <command> [arguments].
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/bmf_commands.h"

namespace {

const BmfCommand kCommands[] = {
    {"info", "FILE", "print the materials and meshes of a model file", runInfo},
    {"import", "SCENE OUT.bmf [--run-dir DIR]", "convert an OBJ, glTF or other scene into a model file", runImport},
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

int main(int argc, char** argv) {
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
