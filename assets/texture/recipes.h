#pragma once

#include <glm/glm.hpp>

#include "assets/texture/image.h"

// Procedural surfaces. Each returns the colour, height and specular fields of
// one tileable texture of size x size pixels; the caller sets the world size
// that one tile spans (SurfaceMaps::texSize).

SurfaceMaps blankMaps(int size, float bumpDepth);

// Wood.
SurfaceMaps makeFloorPlanks(int size);                                        // honey oak boards along v
SurfaceMaps makeWood(int size, glm::vec3 light, glm::vec3 dark, float seed);  // furniture grain along u
SurfaceMaps makeTimber(int size);                                             // rough, cracked beams
// Wall panelling, one bay per tile (world units): boards between two half
// stiles at the tile's sides, a rail across from railBottom to railTop up
// the tile; stiles and rail stand relief out of the boards.
struct PanelLayout {
    float bayWidth, stileWidth, railBottom, railTop, relief;
};
SurfaceMaps makePanelling(int size, glm::vec3 light, glm::vec3 dark, float seed, const PanelLayout& layout);

// Mineral.
SurfaceMaps makePlaster(int size, glm::vec3 colour, float seed);
SurfaceMaps makeMarble(int size);
SurfaceMaps makeBrick(int size);  // sooted firebox brick

// Textile and hide.
// A plain weave of threads per tile each way: four texels a thread in the
// final map keeps the weave well below the sampling limit.
SurfaceMaps makeFabric(int size, glm::vec3 colour, float seed, int threads);
SurfaceMaps makeRug(int size);
SurfaceMaps makeLeather(int size);

// Metal and glaze.
SurfaceMaps makeBrushedMetal(int size, glm::vec3 colour, float specular, float seed);
SurfaceMaps makeEnamel(int size, glm::vec3 colour, float seed);
SurfaceMaps makeGilding(int size);
SurfaceMaps makeCeramic(int size, glm::vec3 colour, float seed);

// Pictures and printed things (UVs cover them exactly once).
SurfaceMaps makeBookSpines(int size);  // the book atlas (below)
SurfaceMaps makePaintings(int size);   // 2 x 2 atlas of four paintings
SurfaceMaps makeClockDial(int size);
SurfaceMaps makeGlobe(int size);  // equirectangular: u longitude, v latitude
SurfaceMaps makeBark(int size);
SurfaceMaps makeGlow(int size, glm::vec3 colour);  // bright in the middle: the light's frosted cube

// Atlas cells: where cell (column, row) of a grid of n x n, or of columns x
// rows, lies in UV space (row 0 at the top of the image).
glm::vec4 atlasCell(int column, int row, int n);  // (u0, v0, u1, v1)
glm::vec4 atlasCell(int column, int row, int columns, int rows);
// The book atlas: narrow cells, each about as tall for its width as a book's
// spine; cells are numbered row by row and the last one is page edges.
constexpr int kBookAtlasColumns = 32;
constexpr int kBookAtlasRows = 4;
constexpr int kBookPageCell = kBookAtlasColumns * kBookAtlasRows - 1;
