#pragma once

// The program's console messages as a user reads them, and what a run with
// a given set of resources must print at start-up.

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

// Lines grouped into messages: a driver's info log printed after a shader
// message runs over several lines, which belong to that message.
std::vector<std::string> groupMessages(const std::vector<std::string>& lines);

struct ExpectedMessage {
    std::string text;
    // text is followed by a detail that is not ours to pin down (the GL
    // driver's log, the reader's description of a fault), but must be there
    bool withDetail = false;
};
ExpectedMessage exactly(const std::string& text);
ExpectedMessage followedByDetail(const std::string& text);

::testing::AssertionResult messagesMatch(const std::vector<std::string>& messages,
                                         const std::vector<ExpectedMessage>& expected);

// The scene's three model files, in the order the scene loads them.
extern const char* const kModelFiles[3];

// What loading the scene's models from directory prints: per model either
// "File not found!" or, per material, its "Reading material" line and one
// line per map whose image is missing or listed in unreadable (paths as
// stored in the model file). Read with a reader of its own, so that the
// program's reader is not its own judge. A model listed in damaged gets the
// one damage line instead.
std::vector<ExpectedMessage> modelMessages(const std::string& directory, const std::set<std::string>& unreadable = {},
                                           const std::set<std::string>& damaged = {});

// The map paths of one material, in file order: diffuse, normal, specular, displacement.
std::vector<std::vector<std::string>> materialMapPaths(const std::string& modelFile);
