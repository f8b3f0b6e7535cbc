#pragma once

#include <cstdint>
#include <string>

#include "assets/scene/model_builder.h"

// Furniture and objects, built in their own frame (standing on y = 0, centred
// on the origin, front towards +z) and placed by the given transform.

// Seating.
void addDiningChair(ModelBuilder& b, const glm::mat4& place, const std::string& cushion);
void addArmchair(ModelBuilder& b, const glm::mat4& place, const std::string& cover);
void addSofa(ModelBuilder& b, const glm::mat4& place, float width, const std::string& cover);
void addBench(ModelBuilder& b, const glm::mat4& place, float width);

// Tables (size: x width, y height, z depth).
void addTable(ModelBuilder& b, const glm::mat4& place, const glm::vec3& size);
void addRoundTable(ModelBuilder& b, const glm::mat4& place, float radius, float height);
void addDesk(ModelBuilder& b, const glm::mat4& place);

// Storage: shelves filled with books; seed varies the books.
void addBookcase(ModelBuilder& b, const glm::mat4& place, const glm::vec3& size, int shelves, std::uint32_t seed);
// A row of books standing on y = 0 from x = 0 to at most width, spines towards +z.
// Returns the width used.
float addBookRow(ModelBuilder& b, const glm::mat4& place, float width, float maxHeight, float depth,
                 std::uint32_t seed);
// Books lying flat, one on another.
void addBookStack(ModelBuilder& b, const glm::mat4& place, int count, std::uint32_t seed);
void addChest(ModelBuilder& b, const glm::mat4& place);

// Decor.
void addRug(ModelBuilder& b, const glm::vec3& centre, const glm::vec2& size);
// A framed picture on a wall (place from wallFrame, at the picture's centre);
// cell picks one of the four paintings.
void addPainting(ModelBuilder& b, const glm::mat4& place, const glm::vec2& size, int cell);
void addWallClock(ModelBuilder& b, const glm::mat4& place, float radius);
void addGlobe(ModelBuilder& b, const glm::mat4& place);
void addCandlestick(ModelBuilder& b, const glm::mat4& place, float height);
void addVase(ModelBuilder& b, const glm::mat4& place, const std::string& glaze, float height);
void addBowlOfFruit(ModelBuilder& b, const glm::mat4& place);
void addJug(ModelBuilder& b, const glm::mat4& place);
void addCup(ModelBuilder& b, const glm::mat4& place);
void addLadder(ModelBuilder& b, const glm::mat4& place, float height, float lean);
