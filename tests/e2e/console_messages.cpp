#include "tests/e2e/console_messages.h"

#include <sys/stat.h>
#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

const char* const kMessageStarts[] = {
    "File ",
    "Shader compilation error: ",
    "Shader link error: ",
    "INFO: ",
    "Damaged model file ",
    "Framebuffer not complete!",
    "SSAO Framebuffer not complete!",
    "SSAO Blur Framebuffer not complete!",
};
const char* const kMissingMap[4] = {
    "No diffuse map for material ",
    "No normal map found for material ",
    "No specular map found for material ",
    "No displacement map found for material ",
};
constexpr std::size_t kColourBytes = 40;  // diffuse, specular, emissive, shininess

bool startsMessage(const std::string& line) {
    for (const char* start : kMessageStarts)
        if (line.rfind(start, 0) == 0) return true;
    return false;
}

bool isFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool readCount(std::istream& in, std::uint64_t& value) {
    unsigned char bytes[8];
    if (!in.read(reinterpret_cast<char*>(bytes), 8)) return false;
    value = 0;
    for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[i];
    return true;
}

std::string show(const std::vector<std::string>& messages) {
    std::string text;
    for (const std::string& m : messages) text += "  [" + m + "]\n";
    return text;
}

std::string show(const std::vector<ExpectedMessage>& messages) {
    std::string text;
    for (const ExpectedMessage& m : messages) text += "  [" + m.text + (m.withDetail ? "<detail>" : "") + "]\n";
    return text;
}

}  // namespace

const char* const kModelFiles[3] = {
    "models/final_scene/final_scene.bmf",
    "models/lamp2/lamp2.bmf",
    "models/lightCube/light_cube.bmf",
};

std::vector<std::string> groupMessages(const std::vector<std::string>& lines) {
    std::vector<std::string> messages;
    for (const std::string& line : lines) {
        if (messages.empty() || startsMessage(line)) {
            messages.push_back(line);
        } else {
            messages.back() += "\n" + line;
        }
    }
    return messages;
}

ExpectedMessage exactly(const std::string& text) { return {text, false}; }
ExpectedMessage followedByDetail(const std::string& text) { return {text, true}; }

::testing::AssertionResult messagesMatch(const std::vector<std::string>& messages,
                                         const std::vector<ExpectedMessage>& expected) {
    bool same = messages.size() == expected.size();
    for (std::size_t i = 0; same && i < messages.size(); ++i) {
        const ExpectedMessage& e = expected[i];
        if (e.withDetail) {
            same = messages[i].rfind(e.text, 0) == 0 &&
                   messages[i].find_first_not_of(" \n", e.text.size()) != std::string::npos;
        } else {
            same = messages[i] == e.text;
        }
    }
    if (same) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "start-up messages\n" << show(messages) << "expected\n" << show(expected);
}

std::vector<std::vector<std::string>> materialMapPaths(const std::string& modelFile) {
    std::vector<std::vector<std::string>> materials;
    std::ifstream in(modelFile, std::ios::binary);
    std::uint64_t count = 0;
    if (!readCount(in, count)) return materials;
    for (std::uint64_t i = 0; i < count; ++i) {
        if (!in.ignore(kColourBytes)) break;
        std::vector<std::string> paths;
        for (int map = 0; map < 4; ++map) {
            std::uint64_t length = 0;
            if (!readCount(in, length)) break;
            std::string path(length, '\0');
            in.read(path.data(), static_cast<std::streamsize>(length));
            paths.push_back(path.c_str());  // a stored trailing zero byte names the same file
        }
        if (paths.size() != 4) break;
        materials.push_back(paths);
    }
    return materials;
}

std::vector<ExpectedMessage> modelMessages(const std::string& directory, const std::set<std::string>& unreadable,
                                           const std::set<std::string>& damaged) {
    std::vector<ExpectedMessage> messages;
    for (const char* model : kModelFiles) {
        if (damaged.count(model) != 0) {
            messages.push_back(followedByDetail(std::string("Damaged model file ") + model + ": "));
            continue;
        }
        if (!isFile(directory + "/" + model)) {
            messages.push_back(exactly("File not found!"));
            continue;
        }
        const std::vector<std::vector<std::string>> materials = materialMapPaths(directory + "/" + model);
        for (std::size_t i = 0; i < materials.size(); ++i) {
            const std::string number = std::to_string(i);
            messages.push_back(exactly("INFO: Reading material " + number));
            for (int map = 0; map < 4; ++map) {
                const std::string& path = materials[i][static_cast<std::size_t>(map)];
                if (!isFile(directory + "/" + path) || unreadable.count(path) != 0)
                    messages.push_back(exactly(std::string("INFO: ") + kMissingMap[map] + number));
            }
        }
    }
    return messages;
}
