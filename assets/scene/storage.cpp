#include <algorithm>
#include <cmath>

#include "assets/mesh/primitives.h"
#include "assets/scene/flight_view.h"
#include "assets/scene/furniture.h"
#include "assets/texture/noise.h"
#include "assets/texture/recipes.h"

namespace {

constexpr float kHalfPi = 1.5707963f;
// Books the flight passes closer than this take the finer atlas.
constexpr float kCloseBookDistance = 3.0f;

// The atlas rectangle of count neighbouring spine cells from cell on, inset
// so that linear filtering stays off the cells around them.
glm::vec4 cellRun(int cell, int count) {
    const int column = cell % kBookAtlasColumns, row = cell / kBookAtlasColumns;
    const glm::vec4 first = atlasCell(column, row, kBookAtlasColumns, kBookAtlasRows);
    const glm::vec4 last = atlasCell(column + count - 1, row, kBookAtlasColumns, kBookAtlasRows);
    const float e = 0.0025f;
    return {first.x + e, first.y + e, last.z - e, last.w - e};
}

// The plain cloth in the middle of a spine cell, for the covers.
glm::vec4 coverOf(const glm::vec4& spine) {
    const float cw = spine.z - spine.x;
    return {spine.x + 0.35f * cw, spine.y, spine.x + 0.5f * cw, spine.w};
}

// A book lying flat, in the frame of a standing one (y = 0 to size.y, spine
// facing +z at z = 0, pages back to z = -size.z) turned onto its +x cover,
// which is left out where it rests on a table or shelf: a book on another
// book, turned against it, overhangs it.
MeshPart makeLyingBook(const glm::vec3& size, int cell, bool withUnderside) {
    const float t = size.x, h = size.y, d = size.z;
    const glm::vec4 spine = cellRun(cell, 1);
    const glm::vec4 pages = cellRun(kBookPageCell, 1);
    const glm::vec4 cover = coverOf(spine);
    MeshPart book;
    appendPart(book, makePictureQuad({0, 0, 0}, {t, 0, 0}, {0, h, 0}, spine));
    appendPart(book, makePictureQuad({0, h, 0}, {t, 0, 0}, {0, 0, -d}, pages));
    appendPart(book, makePictureQuad({0, 0, -d}, {0, 0, d}, {0, h, 0}, cover));
    appendPart(book, makePictureQuad({t, 0, -d}, {-t, 0, 0}, {0, h, 0}, pages));
    appendPart(book, makePictureQuad({0, 0, -d}, {t, 0, 0}, {0, 0, d}, pages));
    if (withUnderside) appendPart(book, makePictureQuad({t, 0, 0}, {0, 0, -d}, {0, h, 0}, cover));
    return book;
}

int randomCell(std::uint32_t seed, std::uint32_t i) {
    return static_cast<int>(hash01(seed, i, 1) * static_cast<float>(kBookPageCell));
}

// Books that stand side by side with the same height, thickness and depth,
// as sets do: one spine quad across as many atlas cells, one top.
struct BookRun {
    float x, width, height, depth;
    int cell, count;
};

// Adds a row's runs: spines, tops, backs, and of each side what the
// neighbour pressed against it does not cover (all of it next to a gap).
void addRuns(ModelBuilder& b, const std::string& material, const glm::mat4& place, const std::vector<BookRun>& runs) {
    const glm::vec4 pages = cellRun(kBookPageCell, 1);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const BookRun& r = runs[i];
        const glm::vec4 spine = cellRun(r.cell, r.count);
        const glm::vec4 cover = coverOf(spine);
        b.add(material, makePictureQuad({r.x, 0, 0}, {r.width, 0, 0}, {0, r.height, 0}, spine), place);
        b.add(material, makePictureQuad({r.x, r.height, 0}, {r.width, 0, 0}, {0, 0, -r.depth}, pages), place);
        b.add(material, makePictureQuad({r.x + r.width, 0, -r.depth}, {-r.width, 0, 0}, {0, r.height, 0}, cover),
              place);
        const BookRun* left = i > 0 && runs[i - 1].x + runs[i - 1].width > r.x - 0.01f ? &runs[i - 1] : nullptr;
        const BookRun* right = i + 1 < runs.size() && runs[i + 1].x < r.x + r.width + 0.01f ? &runs[i + 1] : nullptr;
        // A side at x, facing -x (left) or +x: above the neighbour's height,
        // and behind its back where it is the shallower.
        auto addSide = [&](float x, const BookRun* neighbour, bool facingLeft) {
            const float coveredHeight = neighbour != nullptr ? std::min(neighbour->height, r.height) : 0.0f;
            const float coveredDepth = neighbour != nullptr ? std::min(neighbour->depth, r.depth) : 0.0f;
            // The rectangle from depth z0 back to z1 and from y0 up to y1,
            // with the part of the cover that lies there.
            auto rect = [&](float z0, float z1, float y0, float y1) {
                if (z1 - z0 <= 1e-4f || y1 - y0 <= 1e-4f) return;
                const glm::vec4 uv(cover.x, cover.y + (cover.w - cover.y) * y0 / r.height, cover.z,
                                   cover.y + (cover.w - cover.y) * y1 / r.height);
                const glm::vec3 up(0, y1 - y0, 0);
                if (facingLeft)
                    b.add(material, makePictureQuad({x, y0, -z1}, {0, 0, z1 - z0}, up, uv), place);
                else
                    b.add(material, makePictureQuad({x, y0, -z0}, {0, 0, z0 - z1}, up, uv), place);
            };
            rect(0.0f, r.depth, coveredHeight, r.height);
            rect(coveredDepth, r.depth, 0.0f, coveredHeight);
        };
        addSide(r.x, left, true);
        addSide(r.x + r.width, right, false);
    }
}

// The far atlas aliases up close; the close one would waste texels far away.
const char* bookMaterial(const glm::vec3& where) {
    return flight_view::distanceFromFlight(where) < kCloseBookDistance ? "books_close" : "books";
}

}  // namespace

float addBookRow(ModelBuilder& b, const glm::mat4& place, float width, float maxHeight, float depth,
                 std::uint32_t seed) {
    const std::string material = bookMaterial(flight_view::placed(place, {width / 2, 0, 0}));
    std::vector<BookRun> runs;
    float x = 0.0f;
    float used = 0.0f;
    for (std::uint32_t i = 0;; ++i) {
        const float r0 = hash01(seed, i, 2), r1 = hash01(seed, i, 3), r2 = hash01(seed, i, 4);
        if (r2 < 0.06f) {  // a gap between groups
            x += 0.04f + 0.1f * r0;
            continue;
        }
        const float t = 0.035f + 0.05f * r0 * r0;
        float h = maxHeight * (0.62f + 0.34f * r1);
        // Next to a run of nearly the same height, take its height: the step
        // would show as a sliver, and costs a side.
        if (!runs.empty() && runs.back().x + runs.back().width > x - 0.01f && std::fabs(runs.back().height - h) < 0.06f)
            h = runs.back().height;
        const float d = depth * (0.72f + 0.25f * r2);
        const float remaining = width - x;
        if (remaining < 0.35f && remaining > 0.2f && r1 > 0.4f) {
            // Finish the row with a few books lying flat.
            addBookStack(b, place * translation({x + 0.12f, 0, -depth * 0.45f}), 2 + static_cast<int>(r0 * 3.0f),
                         seed * 31u + i);
            used = width;
            break;
        }
        // One to six books of a kind, as many as fit.
        int count = 1 + static_cast<int>(hash01(seed, i, 5) * 6.0f);
        count = std::min(count, static_cast<int>((remaining + 0.002f) / (t + 0.002f)));
        if (count < 1) {
            used = x;
            break;
        }
        // The run stays within one row of the atlas and off the page-edge cell.
        int cell = randomCell(seed, i);
        const int column = cell % kBookAtlasColumns;
        const int lastColumn =
            cell / kBookAtlasColumns == kBookAtlasRows - 1 ? kBookAtlasColumns - 1 : kBookAtlasColumns;
        if (column + count > lastColumn) cell -= column + count - lastColumn;
        const float runWidth = static_cast<float>(count) * t + static_cast<float>(count - 1) * 0.002f;
        runs.push_back({x, runWidth, h, d, cell, count});
        x += runWidth + 0.002f;
    }
    addRuns(b, material, place, runs);
    return used;
}

void addBookStack(ModelBuilder& b, const glm::mat4& place, int count, std::uint32_t seed) {
    const std::string material = bookMaterial(flight_view::placed(place));
    float y = 0.0f;
    for (int i = 0; i < count; ++i) {
        const auto k = static_cast<std::uint32_t>(i);
        const float w = 0.18f + 0.08f * hash01(seed, k, 5);  // spine length, lying along x
        const float d = 0.14f + 0.06f * hash01(seed, k, 6);
        const float t = 0.025f + 0.03f * hash01(seed, k, 7);
        const float turn = (hash01(seed, k, 8) - 0.5f) * 0.3f;
        // A standing book turned onto its side: its height runs along x, spine towards +z.
        const glm::mat4 lay = translation({-w / 2, y + t, d / 2}) * rotationZ(-kHalfPi);
        b.add(material, makeLyingBook({t, w, d}, randomCell(seed, k), i > 0), place * rotationY(turn) * lay);
        y += t;
    }
}

void addBookcase(ModelBuilder& b, const glm::mat4& place, const glm::vec3& size, int shelves, std::uint32_t seed) {
    const UvMapping wood = b.uv("oak");
    const float w = size.x, h = size.y, d = size.z;
    const float side = 0.04f;
    const float plinth = 0.1f;
    // The case stands against the wall behind its books and pots, or just
    // off it, and its top against the moulding.
    LayerScope layer(b, DrawLayer::Lining);
    const float bevel = flight_view::showsDetail(0.015f, flight_view::placed(place, {0, h, 0})) ? 0.015f : 0.0f;
    for (float s : {-1.0f, 1.0f})
        b.add("oak", makeBox({side, h, d}, wood, kBottomSide | kTopSide),
              place * translation({s * (w / 2 - side / 2), h / 2, 0}));
    b.add("oak", makeBevelledBox({w + 0.08f, 0.06f, d + 0.05f}, bevel, wood, kBackSide),
          place * translation({0, h + 0.03f, 0.01f}));
    b.add("oak", makeBox({w + 0.04f, 0.05f, d + 0.03f}, wood, kBackSide | kTopSide),
          place * translation({0, h - 0.02f, 0.005f}));
    // Plinth, back, shelves and the middle upright all end inside the sides.
    const unsigned inside = kLeftSide | kRightSide | kBackSide;
    b.add("oak", makeBox({w - 2 * side, plinth, d - 0.02f}, wood, inside | kBottomSide),
          place * translation({0, plinth / 2, 0}));
    b.add("oak", makeQuad({-w / 2 + side, plinth, -d / 2 + 0.01f}, {w - 2 * side, 0, 0}, {0, h - plinth, 0}, wood),
          place);
    const int bays = w > 1.6f ? 2 : 1;
    const float inner = w - 2 * side;
    const float bayWidth = (inner - (bays - 1) * side) / static_cast<float>(bays);
    if (bays == 2)
        b.add("oak", makeBox({side, h - plinth, d - 0.02f}, wood, kBottomSide | kTopSide | kBackSide),
              place * translation({0, plinth + (h - plinth) / 2, 0}));
    const float shelfThickness = 0.025f;
    const float spacing = (h - plinth - 0.04f) / static_cast<float>(shelves);
    for (int i = 1; i < shelves; ++i)
        b.add("oak", makeBox({inner, shelfThickness, d - 0.03f}, wood, inside),
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
    // Chests stand a little off the wall, on low feet.
    const unsigned flat = kBottomSide | kBackSide;
    b.add("oak", makeBevelledBox({1.2f, 0.5f, 0.55f}, 0.015f, wood, 0, flat), place * translation({0, 0.27f, 0}));
    b.add("oak", makeBevelledBox({1.24f, 0.08f, 0.59f}, 0.02f, wood, 0, flat), place * translation({0, 0.56f, 0}));
    // The bands reach into the floor.
    for (float x : {-0.4f, 0.4f})
        b.add("iron", makeBox({0.06f, 0.62f, 0.61f}, b.uv("iron"), kBottomSide), place * translation({x, 0.3f, 0}));
    b.add("iron", makeBox({0.12f, 0.14f, 0.02f}, b.uv("iron"), kBackSide), place * translation({0, 0.45f, 0.285f}));
    for (float x : {-0.45f, 0.45f})
        for (float z : {-0.2f, 0.2f})
            b.add("oak", makeBox({0.1f, 0.02f, 0.1f}, wood, kBottomSide | kTopSide),
                  place * translation({x, 0.01f, z}));
}
