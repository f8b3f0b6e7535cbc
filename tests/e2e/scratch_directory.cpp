#include "tests/e2e/scratch_directory.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "tests/e2e/rtg_session.h"

namespace fs = std::filesystem;

namespace {

void copyTree(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
        const fs::path target = to / entry.path().filename();
        if (entry.is_directory()) {
            copyTree(entry.path(), target);
            continue;
        }
        std::error_code linkFailed;
        fs::create_hard_link(entry.path(), target, linkFailed);
        if (linkFailed) fs::copy_file(entry.path(), target);
    }
}

}  // namespace

ScratchDirectory::ScratchDirectory(const std::string& name) {
    const fs::path path = fs::path(RTG_E2E_SCRATCH_DIR) / name;
    fs::remove_all(path);
    fs::create_directories(path);
    for (const char* resource : {"shaders", "models"}) copyTree(fs::path(runDirectory()) / resource, path / resource);
    path_ = path.string();
}

ScratchDirectory::~ScratchDirectory() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    if (test != nullptr && test->result()->Failed()) return;
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

bool ScratchDirectory::exists(const std::string& relative) const { return fs::exists(file(relative)); }

void ScratchDirectory::remove(const std::string& relative) { fs::remove_all(file(relative)); }

void ScratchDirectory::replace(const std::string& relative, const std::string& bytes) {
    // Unlink first: the name may be a hard link to the original.
    fs::remove(file(relative));
    std::ofstream out(file(relative), std::ios::binary);
    out << bytes;
}

std::string ScratchDirectory::read(const std::string& relative) const {
    std::ifstream in(file(relative), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}
