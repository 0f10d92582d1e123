// Debug geometry of a scene: colours are packed 0x00RRGGBB. The scene draws nothing into it
// (no visualisation parameter is ever set), so all three lists are empty.
#pragma once

#include "NxVec3.h"

struct NxDebugPoint {
    NxVec3 p;
    NxU32 color;
};
struct NxDebugLine {
    NxVec3 p0, p1;
    NxU32 color;
};
struct NxDebugTriangle {
    NxVec3 p0, p1, p2;
    NxU32 color;
};

class NxDebugRenderable {
public:
    NxU32 getNbPoints() const { return 0; }
    const NxDebugPoint* getPoints() const { return nullptr; }
    NxU32 getNbLines() const { return 0; }
    const NxDebugLine* getLines() const { return nullptr; }
    NxU32 getNbTriangles() const { return 0; }
    const NxDebugTriangle* getTriangles() const { return nullptr; }
};
