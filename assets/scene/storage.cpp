#include <algorithm>

#include "assets/mesh/primitives.h"
#include "assets/scene/furniture.h"
#include "assets/texture/noise.h"
#include "assets/texture/recipes.h"

namespace {

constexpr float kHalfPi = 1.5707963f;

glm::vec4 insetCell(int cell) {
    glm::vec4 r = atlasCell(cell % kBookAtlasCells, cell / kBookAtlasCells, kBookAtlasCells);
    // Keep linear filtering away from the neighbouring cells.
    const float e = 0.003f;
    return {r.x + e, r.y + e, r.z - e, r.w - e};
}

// A book standing on y = 0 from x = 0 to size.x, spine facing +z at z = 0 and
// the pages back to z = -size.z. Faces that a shelf hides are left out unless all is set.
MeshPart makeBook(const glm::vec3& size, int cell, bool all) {
    const float t = size.x, h = size.y, d = size.z;
    const glm::vec4 spine = insetCell(cell);
    const glm::vec4 pages = insetCell(kBookPageCell);
    const float cw = spine.z - spine.x;
    const glm::vec4 cover(spine.x + 0.35f * cw, spine.y, spine.x + 0.65f * cw, spine.w);
    MeshPart book;
    appendPart(book, makePictureQuad({0, 0, 0}, {t, 0, 0}, {0, h, 0}, spine));
    appendPart(book, makePictureQuad({0, h, 0}, {t, 0, 0}, {0, 0, -d}, pages));
    appendPart(book, makePictureQuad({t, 0, 0}, {0, 0, -d}, {0, h, 0}, cover));
    appendPart(book, makePictureQuad({0, 0, -d}, {0, 0, d}, {0, h, 0}, cover));
    if (all) {
        appendPart(book, makePictureQuad({t, 0, -d}, {-t, 0, 0}, {0, h, 0}, pages));
        appendPart(book, makePictureQuad({0, 0, -d}, {t, 0, 0}, {0, 0, d}, cover));
    }
    return book;
}

int bookCell(std::uint32_t seed, std::uint32_t i) {
    return static_cast<int>(hash01(seed, i, 1) * static_cast<float>(kBookPageCell));
}

}  // namespace

float addBookRow(ModelBuilder& b, const glm::mat4& place, float width, float maxHeight, float depth,
                 std::uint32_t seed) {
    float x = 0.0f;
    for (std::uint32_t i = 0;; ++i) {
        const float r0 = hash01(seed, i, 2), r1 = hash01(seed, i, 3), r2 = hash01(seed, i, 4);
        if (r2 < 0.06f) {  // a gap between groups
            x += 0.04f + 0.1f * r0;
            continue;
        }
        const float t = 0.035f + 0.05f * r0 * r0;
        const float h = maxHeight * (0.62f + 0.34f * r1);
        const float d = depth * (0.72f + 0.25f * r2);
        const float remaining = width - x;
        if (remaining < 0.35f && remaining > 0.2f && r1 > 0.4f) {
            // Finish the row with a few books lying flat.
            addBookStack(b, place * translation({x + 0.12f, 0, -depth * 0.45f}), 2 + static_cast<int>(r0 * 3.0f),
                         seed * 31u + i);
            return width;
        }
        if (t > remaining) return x;
        b.add("books", makeBook({t, h, d}, bookCell(seed, i), false), place * translation({x, 0, 0}));
        x += t + 0.002f;
    }
}

void addBookStack(ModelBuilder& b, const glm::mat4& place, int count, std::uint32_t seed) {
    float y = 0.0f;
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<std::uint32_t>(i);
        const float w = 0.18f + 0.08f * hash01(seed, k, 5);  // spine length, lying along x
        const float d = 0.14f + 0.06f * hash01(seed, k, 6);
        const float t = 0.025f + 0.03f * hash01(seed, k, 7);
        const float turn = (hash01(seed, k, 8) - 0.5f) * 0.3f;
        // A standing book turned onto its side: its height runs along x, spine towards +z.
        const glm::mat4 lay = translation({-w / 2, y + t, d / 2}) * rotationZ(-kHalfPi);
        b.add("books", makeBook({t, w, d}, bookCell(seed, k), true), place * rotationY(turn) * lay);
        y += t;
    }
}

void addBookcase(ModelBuilder& b, const glm::mat4& place, const glm::vec3& size, int shelves, std::uint32_t seed) {
    const UvMapping wood = b.uv("oak");
    const float w = size.x, h = size.y, d = size.z;
    const float side = 0.04f;
    const float plinth = 0.1f;
    // The case stands against the wall behind its books and pots.
    LayerScope layer(b, DrawLayer::Lining);
    for (float s : {-1.0f, 1.0f})
        b.add("oak", makeBevelledBox({side, h, d}, 0.008f, wood), place * translation({s * (w / 2 - side / 2), h / 2, 0}));
    b.add("oak", makeBevelledBox({w + 0.08f, 0.06f, d + 0.05f}, 0.015f, wood), place * translation({0, h + 0.03f, 0.01f}));
    b.add("oak", makeBevelledBox({w + 0.04f, 0.05f, d + 0.03f}, 0.01f, wood), place * translation({0, h - 0.02f, 0.005f}));
    b.add("oak", makeBox({w - 2 * side, plinth, d - 0.02f}, wood), place * translation({0, plinth / 2, 0}));
    b.add("oak", makeQuad({-w / 2 + side, plinth, -d / 2 + 0.01f}, {w - 2 * side, 0, 0}, {0, h - plinth, 0}, wood),
          place);
    const int bays = w > 1.6f ? 2 : 1;
    const float inner = w - 2 * side;
    const float bayWidth = (inner - (bays - 1) * side) / static_cast<float>(bays);
    if (bays == 2)
        b.add("oak", makeBox({side, h - plinth, d - 0.02f}, wood), place * translation({0, plinth + (h - plinth) / 2, 0}));
    const float shelfThickness = 0.025f;
    const float spacing = (h - plinth - 0.04f) / static_cast<float>(shelves);
    for (int i = 1; i < shelves; ++i)
        b.add("oak", makeBox({inner, shelfThickness, d - 0.03f}, wood),
              place * translation({0, plinth + spacing * static_cast<float>(i), 0}));
    b.setLayer(DrawLayer::Free);
    for (int i = 0; i < shelves; ++i) {
        const float y = plinth + spacing * static_cast<float>(i);
        const float top = y + (i > 0 ? shelfThickness / 2 : 0.0f);
        for (int bay = 0; bay < bays; ++bay) {
            const float left = -w / 2 + side + static_cast<float>(bay) * (bayWidth + side);
            const auto rowSeed = seed * 97u + static_cast<std::uint32_t>(i * 7 + bay);
            const glm::mat4 row = place * translation({left + 0.01f, top, d / 2 - 0.03f});
            float rowWidth = bayWidth - 0.02f;
            // Now and then a bay holds a short row and a pot instead of a full row.
            if (i > 0 && hash01(rowSeed, 0, 11) < 0.18f) {
                const float potHeight = std::min(0.3f, spacing - 0.08f);
                addVase(b, row * translation({rowWidth - 0.16f, 0, -d / 2 + 0.03f}),
                        hash01(rowSeed, 0, 12) < 0.5f ? "ceramic_blue" : "terracotta", potHeight);
                rowWidth *= 0.55f;
            }
            addBookRow(b, row, rowWidth, spacing - shelfThickness - 0.03f, d - 0.06f, rowSeed);
        }
    }
}

void addChest(ModelBuilder& b, const glm::mat4& place) {
    const UvMapping wood = b.uv("oak");
    b.add("oak", makeBevelledBox({1.2f, 0.5f, 0.55f}, 0.015f, wood), place * translation({0, 0.27f, 0}));
    b.add("oak", makeBevelledBox({1.24f, 0.08f, 0.59f}, 0.02f, wood), place * translation({0, 0.56f, 0}));
    for (float x : {-0.4f, 0.4f})
        b.add("iron", makeBox({0.06f, 0.62f, 0.61f}, b.uv("iron")), place * translation({x, 0.3f, 0}));
    b.add("iron", makeBox({0.12f, 0.14f, 0.02f}, b.uv("iron")), place * translation({0, 0.45f, 0.285f}));
    for (float x : {-0.45f, 0.45f})
        for (float z : {-0.2f, 0.2f})
            b.add("oak", makeBox({0.1f, 0.04f, 0.1f}, wood), place * translation({x, 0.02f, z}));
}
