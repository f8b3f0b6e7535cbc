#include <cmath>

#include "assets/mesh/primitives.h"
#include "assets/scene/furniture.h"
#include "assets/scene/layout.h"
#include "assets/scene/scene_parts.h"

using namespace layout;

namespace {
constexpr float kHalfPi = 1.5707963f;
constexpr float kPi = 3.14159265f;
}  // namespace

void addDiningGroup(ModelBuilder& b) {
    // The table stands under the lamp, long side along the flight, which
    // passes over it at eye height.
    const glm::vec3 c(0.0f, 0.0f, kLightRestPosition.z);
    const float tableHeight = 0.78f;
    addRug(b, c + glm::vec3(0, 0, 0.1f), {3.4f, 4.6f});
    addTable(b, translation(c), {1.3f, tableHeight, 2.6f});
    for (float side : {-1.0f, 1.0f})
        for (float dz : {-0.6f, 0.6f})
            addDiningChair(b, translation(c + glm::vec3(side * 0.95f, 0, dz)) * rotationY(-side * kHalfPi + 0.06f * dz),
                           "fabric_rust");
    addDiningChair(b, translation(c + glm::vec3(0.05f, 0, -1.75f)) * rotationY(0.1f), "fabric_rust");
    addDiningChair(b, translation(c + glm::vec3(-0.1f, 0, 1.85f)) * rotationY(kPi - 0.15f), "fabric_rust");

    // A still life on the table: tall pieces on the +x half, away from the camera's track.
    const glm::mat4 top = translation(c + glm::vec3(0, tableHeight, 0));
    addBowlOfFruit(b, top * translation({0.15f, 0, 0.1f}));
    addCandlestick(b, top * translation({0.38f, 0, -0.55f}), 0.42f);
    addCandlestick(b, top * translation({0.38f, 0, 0.75f}), 0.36f);
    addVase(b, top * translation({0.3f, 0, -0.15f}) * rotationY(0.5f), "ceramic_blue", 0.38f);
    addJug(b, top * translation({-0.25f, 0, 0.65f}) * rotationY(2.2f));
    addCup(b, top * translation({-0.35f, 0, 0.25f}) * rotationY(0.4f));
    addCup(b, top * translation({-0.1f, 0, 0.95f}) * rotationY(-1.1f));
    addBookStack(b, top * translation({-0.3f, 0, -0.6f}) * rotationY(0.35f), 3, 41u);
    addBookStack(b, top * translation({0.1f, 0, -1.0f}) * rotationY(-0.2f), 2, 43u);
}

void addLibraryWall(ModelBuilder& b) {
    // Three tall bookcases across the far wall, a ladder, and a clock above.
    const glm::mat4 wall = wallFrame({0, 0, kHallFront}, {0, 0, 1});
    const glm::vec3 size(2.8f, 3.6f, 0.45f);
    for (int i = -1; i <= 1; ++i)
        addBookcase(b, wall * translation({static_cast<float>(i) * 2.84f, 0, size.z / 2 + 0.01f}), size, 6,
                    100u + static_cast<std::uint32_t>(i + 1));
    addLadder(b, wall * translation({1.7f, 0, 1.05f}) * rotationY(0.05f), 3.5f, 0.17f);
    // High on the gable, in the band of light between two louvres' shadows,
    // and on the axis of the opening view.
    addWallClock(b, wall * translation({0, 7.55f, 0}), 0.75f);
    // A chest and tall jars in the corners.
    addChest(b, wall * translation({-5.6f, 0, 0.45f}));
    addVase(b, wall * translation({5.4f, 0, 0.5f}), "terracotta", 0.9f);
    addVase(b, wall * translation({6.3f, 0, 0.6f}) * rotationY(1.0f), "terracotta", 0.6f);
}

void addSittingArea(ModelBuilder& b) {
    // Sofa group on the -x side, between two columns, facing the middle of the hall.
    const glm::vec3 c(-3.3f, 0.0f, 12.0f);
    addRug(b, c, {3.0f, 3.8f});
    addSofa(b, translation(c + glm::vec3(-1.2f, 0, 0)) * rotationY(kHalfPi), 2.3f, "fabric_teal");
    addTable(b, translation(c + glm::vec3(0.1f, 0, 0)), {0.7f, 0.42f, 1.2f});
    // The armchairs turn in towards the sofa.
    addArmchair(b, translation(c + glm::vec3(1.45f, 0, -1.15f)) * rotationY(-kHalfPi + 0.45f), "fabric_mustard");
    addArmchair(b, translation(c + glm::vec3(1.45f, 0, 1.15f)) * rotationY(-kHalfPi - 0.45f), "fabric_mustard");
    const glm::mat4 top = translation(c + glm::vec3(0.1f, 0.42f, 0));
    addBookStack(b, top * translation({0.05f, 0, -0.3f}) * rotationY(1.2f), 3, 51u);
    addCup(b, top * translation({-0.1f, 0, 0.25f}));
    addVase(b, top * translation({0.1f, 0, 0.35f}), "ceramic_cream", 0.22f);
    addRoundTable(b, translation(c + glm::vec3(-1.35f, 0, 1.6f)), 0.25f, 0.55f);
    addCandlestick(b, translation(c + glm::vec3(-1.35f, 0.55f, 1.6f)), 0.3f);
}

void addStudyCorner(ModelBuilder& b) {
    // A writing desk in the +x aisle with its chair, and a globe in the nave.
    const glm::vec3 desk(6.6f, 0.0f, 12.0f);
    addDesk(b, translation(desk) * rotationY(-kHalfPi));
    addDiningChair(b, translation(desk + glm::vec3(-0.75f, 0, 0.1f)) * rotationY(kHalfPi - 0.3f), "leather");
    const glm::mat4 top = translation(desk + glm::vec3(0, 0.76f, 0));
    addBookStack(b, top * translation({0.1f, 0, -0.5f}) * rotationY(-1.3f), 4, 61u);
    addCandlestick(b, top * translation({0.2f, 0, 0.6f}), 0.34f);
    addCup(b, top * translation({-0.15f, 0, 0.35f}));
    addGlobe(b, translation({4.1f, 0, 10.2f}) * rotationY(0.6f));
    const glm::vec3 shelf(1.5f, 2.6f, 0.4f);
    addBookcase(b, wallFrame({kHallHalfWidth, 0, 16.6f}, {-1, 0, 0}) * translation({0, 0, shelf.z / 2}), shelf, 5, 71u);
    addChest(b, wallFrame({kHallHalfWidth, 0, 7.6f}, {-1, 0, 0}) * translation({0, 0, 0.35f}));
    addVase(b, wallFrame({kHallHalfWidth, 0, 8.6f}, {-1, 0, 0}) * translation({0, 0, 0.4f}), "ceramic_blue", 0.7f);
}

void addHallDecor(ModelBuilder& b) {
    // Paintings hang high on the side walls, between the columns.
    const float y = 3.3f;
    addPainting(b, wallFrame({-kHallHalfWidth, y, 6.0f}, {1, 0, 0}), {1.8f, 1.3f}, 0);
    addPainting(b, wallFrame({-kHallHalfWidth, y, 12.0f}, {1, 0, 0}), {2.2f, 1.5f}, 2);
    addPainting(b, wallFrame({-kHallHalfWidth, y, 19.0f}, {1, 0, 0}), {1.8f, 1.3f}, 1);
    addPainting(b, wallFrame({-kHallHalfWidth, y, 0.0f}, {1, 0, 0}), {1.4f, 1.8f}, 1);
    addPainting(b, wallFrame({kHallHalfWidth, y, 12.0f}, {-1, 0, 0}), {1.8f, 1.3f}, 1);
    addPainting(b, wallFrame({kHallHalfWidth, y, 19.0f}, {-1, 0, 0}), {1.8f, 1.3f}, 0);
    addPainting(b, wallFrame({kHallHalfWidth, y, 5.6f}, {-1, 0, 0}), {1.4f, 1.1f}, 2);
    // Benches and a chest at the back, under the gallery of pictures.
    addBench(b, wallFrame({-kHallHalfWidth, 0, 19.0f}, {1, 0, 0}) * translation({0, 0, 0.35f}), 2.4f);
    addBench(b, wallFrame({kHallHalfWidth, 0, 19.0f}, {-1, 0, 0}) * translation({0, 0, 0.35f}), 2.4f);
    addChest(b, wallFrame({0, 0, kHallBack}, {0, 0, -1}) * translation({2.5f, 0, 0.35f}));
    addChest(b, wallFrame({0, 0, kHallBack}, {0, 0, -1}) * translation({-2.5f, 0, 0.35f}));
    addVase(b, translation({-kHallHalfWidth + 0.5f, 0, 22.4f}), "terracotta", 0.8f);
    addVase(b, translation({kHallHalfWidth - 0.5f, 0, 22.4f}), "terracotta", 0.8f);
}
