#include "nx_world.h"

#include <gtest/gtest.h>

#include <cmath>

#include "physics/physics_world.h"
#include "world/init_physics.h"

std::string CookHull(const std::vector<NxVec3>& points) {
    MemoryStream stream;
    if (!NxCookConvexMesh(TriangleList{points, {}}.describe<NxConvexMeshDesc>(NX_CF_COMPUTE_CONVEX),
                          stream))
        return {};
    return stream.bytes;
}

std::string CookTriangles(const std::vector<NxVec3>& vertices, const std::vector<NxU32>& indices,
                          NxU32 flags) {
    MemoryStream stream;
    if (!NxCookTriangleMesh(TriangleList{vertices, indices}.describe<NxTriangleMeshDesc>(flags),
                            stream))
        return {};
    return stream.bytes;
}

std::vector<NxVec3> BoxCorners(const NxVec3& half, const NxVec3& centre) {
    std::vector<NxVec3> corners;
    for (int i = 0; i < 8; ++i)
        corners.push_back(centre + NxVec3(i & 1 ? half.x : -half.x, i & 2 ? half.y : -half.y,
                                          i & 4 ? half.z : -half.z));
    return corners;
}

std::vector<NxU32> BoxTriangles() {
    return {0, 2, 1, 1, 2, 3, 4, 5, 6, 5, 7, 6, 0, 1, 4, 1, 5, 4,
            2, 6, 3, 3, 6, 7, 0, 4, 2, 2, 4, 6, 1, 3, 5, 3, 7, 5};
}

void GridFloor(float size, int cells, float y, std::vector<NxVec3>& vertices,
               std::vector<NxU32>& indices) {
    float cell = size / cells;
    for (int z = 0; z <= cells; ++z)
        for (int x = 0; x <= cells; ++x)
            vertices.emplace_back(-size / 2 + x * cell, y, -size / 2 + z * cell);
    auto at = [cells](int x, int z) { return static_cast<NxU32>(z * (cells + 1) + x); };
    for (int z = 0; z < cells; ++z) {
        for (int x = 0; x < cells; ++x) {
            // Counter-clockwise seen from above: the top is the outside.
            indices.insert(indices.end(), {at(x, z), at(x, z + 1), at(x + 1, z)});
            indices.insert(indices.end(), {at(x + 1, z), at(x, z + 1), at(x + 1, z + 1)});
        }
    }
}

void RecordingReports::onContactNotify(NxContactPair& pair, NxU32) {
    NxContactStreamIterator it(pair.stream);
    while (it.goNextPair()) {
        ContactRecord record{{pair.actors[0], pair.actors[1]},
                             {it.getShape(0), it.getShape(1)},
                             NxVec3(),
                             it.getNumPatches(),
                             0};
        if (it.goNextPatch()) {
            record.normal = it.getPatchNormal();
            while (it.goNextPoint()) ++record.points;
        }
        contacts.push_back(record);
        order.push_back(0);
    }
}

void RecordingReports::onTrigger(NxShape& triggerShape, NxShape& otherShape, NxTriggerFlag status) {
    triggers.push_back({&triggerShape, &otherShape, status});
    order.push_back(1);
}

std::vector<ContactRecord> RecordingReports::contactsOf(const NxActor* actor) const {
    std::vector<ContactRecord> found;
    for (const ContactRecord& c : contacts)
        if (c.actors[0] == actor || c.actors[1] == actor) found.push_back(c);
    return found;
}

GameWorld::GameWorld() {
    testing::internal::CaptureStdout();  // the material lines
    initPhysics();
    testing::internal::GetCapturedStdout();
    sdk = physicsSDK;
    scene = physicsScene;
    // The game's reports stay registered with their group flags; these take their place.
    scene->setUserTriggerReport(&reports);
    scene->setUserContactReport(&reports);
}

GameWorld::~GameWorld() {
    releasePhysics();
}

NxConvexMesh* GameWorld::hullMesh(const std::vector<NxVec3>& points) {
    MemoryStream stream(CookHull(points));
    return sdk->createConvexMesh(stream);
}

NxTriangleMesh* GameWorld::triangleMesh(const std::vector<NxVec3>& vertices,
                                        const std::vector<NxU32>& indices) {
    MemoryStream stream(CookTriangles(vertices, indices));
    return sdk->createTriangleMesh(stream);
}

namespace {

NxActor* Create(NxScene& scene, NxShapeDesc& shape, const NxVec3& position, NxReal density) {
    NxBodyDesc body;
    NxActorDesc desc;
    desc.shapes.pushBack(&shape);
    if (density != 0) {
        desc.body = &body;
        desc.density = density;
    }
    desc.globalPose.t = position;
    return scene.createActor(desc);
}

}  // namespace

NxActor* GameWorld::sphere(const NxVec3& position, NxReal radius, NxReal density,
                           NxMaterialIndex material) {
    NxSphereShapeDesc shape;
    shape.radius = radius;
    shape.materialIndex = material;
    return Create(*scene, shape, position, density);
}

NxActor* GameWorld::hull(NxConvexMesh* mesh, const NxVec3& position, NxReal density) {
    NxConvexShapeDesc shape;
    shape.meshData = mesh;
    return Create(*scene, shape, position, density);
}

NxActor* GameWorld::box(const NxVec3& half, const NxVec3& position, NxReal density) {
    return hull(hullMesh(BoxCorners(half)), position, density);
}

NxActor* GameWorld::mesh(NxTriangleMesh* mesh, const NxVec3& position, NxReal density) {
    NxTriangleMeshShapeDesc shape;
    shape.meshData = mesh;
    return Create(*scene, shape, position, density);
}

NxActor* GameWorld::plane(const NxVec3& normal, NxReal d) {
    NxPlaneShapeDesc shape;
    shape.normal = normal;
    shape.d = d;
    return Create(*scene, shape, NxVec3(), 0);
}

NxActor* GameWorld::avatar(const NxVec3& position) {
    NxActor* ball = sphere(position, 0.2f, 1.0f, 1);
    ball->setLinearDamping(2.0f);
    ball->setAngularDamping(10.0f);
    return ball;
}

NxActor* GameWorld::triggerBox(const NxVec3& half, const NxVec3& position) {
    NxActor* trigger = box(half, position);
    trigger->getShapes()[0]->setFlag(NX_TRIGGER_ON_ENTER | NX_TRIGGER_ON_LEAVE, true);
    trigger->getShapes()[0]->setGroup(2);
    return trigger;
}

NxActor* GameWorld::floor(int cells) {
    std::vector<NxVec3> vertices;
    std::vector<NxU32> indices;
    GridFloor(40, cells, 0, vertices, indices);
    return mesh(triangleMesh(vertices, indices), NxVec3());
}

void GameWorld::frame(double dt) {
    scene->simulate(static_cast<NxReal>(dt));
    scene->flushStream();
    while (!scene->fetchResults(NX_RIGID_BODY_FINISHED, true)) {
    }
}

void GameWorld::run(double seconds, double dt) {
    int frames = static_cast<int>(std::lround(seconds / dt));
    for (int i = 0; i < frames; ++i) frame(dt);
}
