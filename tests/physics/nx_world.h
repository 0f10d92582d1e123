// Test helpers for the physics layer: cooked test meshes, a recorder of reports, and a scene
// set up as the game sets up its world.
#pragma once

#include <string>
#include <vector>

#include "NxCooking.h"
#include "NxPhysics.h"
#include "memory_stream.h"
#include "triangle_list.h"

// Cooked bytes of the hull of `points` and of a triangle list.
std::string CookHull(const std::vector<NxVec3>& points);
std::string CookTriangles(const std::vector<NxVec3>& vertices, const std::vector<NxU32>& indices,
                          NxU32 flags = 0);
// The eight corners of a box with half extents `half` around `centre`.
std::vector<NxVec3> BoxCorners(const NxVec3& half, const NxVec3& centre = NxVec3());
// The twelve outward-facing triangles over BoxCorners' eight corners.
std::vector<NxU32> BoxTriangles();
// A flat square floor at height y, size x size, split into cells x cells quads.
void GridFloor(float size, int cells, float y, std::vector<NxVec3>& vertices,
               std::vector<NxU32>& indices);

struct ContactRecord {
    NxActor* actors[2];
    NxShape* shapes[2];
    NxVec3 normal;
    NxU32 patches;
    NxU32 points;
};
struct TriggerRecord {
    NxShape* trigger;
    NxShape* other;
    NxTriggerFlag status;
};

class RecordingReports : public NxUserContactReport, public NxUserTriggerReport {
public:
    void onContactNotify(NxContactPair& pair, NxU32 events) override;
    void onTrigger(NxShape& triggerShape, NxShape& otherShape, NxTriggerFlag status) override;
    // Contacts that involve this actor.
    std::vector<ContactRecord> contactsOf(const NxActor* actor) const;

    std::vector<ContactRecord> contacts;
    std::vector<TriggerRecord> triggers;
    std::vector<int> order;  // 0 contact, 1 trigger, in delivery order
};

// The game's own physics world (its SDK parameters, gravity (0, -98, 0), the default material
// and materials 1 and 2, start-touch reports for group 0), reporting to a recorder.
class GameWorld {
public:
    GameWorld();
    ~GameWorld();

    NxConvexMesh* hullMesh(const std::vector<NxVec3>& points);
    NxTriangleMesh* triangleMesh(const std::vector<NxVec3>& vertices,
                                 const std::vector<NxU32>& indices);

    // density 0 makes a static actor.
    NxActor* sphere(const NxVec3& position, NxReal radius, NxReal density,
                    NxMaterialIndex material = 0);
    NxActor* hull(NxConvexMesh* mesh, const NxVec3& position, NxReal density);
    // The hull of a box with half extents `half` around `position`.
    NxActor* box(const NxVec3& half, const NxVec3& position, NxReal density = 0);
    NxActor* mesh(NxTriangleMesh* mesh, const NxVec3& position, NxReal density = 0);
    NxActor* plane(const NxVec3& normal, NxReal d);
    // The game's avatar: sphere r 0.2, density 1, material 1, damping 2 / 10.
    NxActor* avatar(const NxVec3& position);
    // A static trigger box as the game makes them: flags enter|leave, group 2.
    NxActor* triggerBox(const NxVec3& half, const NxVec3& position);
    // A flat static floor mesh (y = 0 on top), 40 x 40 units.
    NxActor* floor(int cells = 1);

    // One game frame: simulate, flushStream, fetchResults.
    void frame(double dt);
    // `seconds` of frames of `dt` each.
    void run(double seconds, double dt = 1.0 / 60.0);

    NxPhysicsSDK* sdk;
    NxScene* scene;
    RecordingReports reports;
};
