// Writes the bundled scene (three model files and their textures) into the
// directory given, which is normally the demo's runnable directory.
#include <chrono>
#include <iostream>

#include "assets/generate.h"
#include "io/standard_streams.h"

int main(int argc, char** argv) {
    reopenClosedStandardStreams();
    if (argc != 2) {
        std::cout << "Usage: rtg-assets OUTPUT_DIR" << std::endl;
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    GenerationReport report;
    std::string error;
    if (!generateAssets(argv[1], report, error)) {
        std::cout << "rtg-assets: " << error << std::endl;
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::size_t total = 0;
    for (std::size_t i = 0; i < report.modelPaths.size(); ++i) {
        std::cout << report.modelPaths[i] << ": " << report.triangleCounts[i] << " triangles" << std::endl;
        total += report.triangleCounts[i];
    }
    std::cout << "rtg-assets: " << report.filesWritten << " files, " << report.bytesWritten / 1024 << " KiB, " << total
              << " triangles in " << seconds << " s" << std::endl;
    return 0;
}
