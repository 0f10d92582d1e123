// Contact reports: the scene tells the user's NxUserContactReport about actor pairs that start
// touching, inside fetchResults. The pair's contact stream lists shape pairs, each with its
// contact patches (a normal), each with its points.
#pragma once

#include "NxVec3.h"

class NxActor;
class NxShape;

enum NxContactPairFlag {
    NX_NOTIFY_ON_START_TOUCH = 1 << 1,
};

struct NxContactPoint {
    NxVec3 point;
    NxReal separation;  // negative when the shapes overlap
};

// The normal points from the second shape of the pair towards the first.
struct NxContactPatch {
    NxVec3 normal;
    NxU32 firstPoint;
    NxU32 numPoints;
};

struct NxContactShapePair {
    NxShape* shapes[2];
    NxU32 firstPatch;
    NxU32 numPatches;
};

// The stream's storage: shape pairs index into the patches, patches into the points.
struct NxContactStream {
    const NxContactShapePair* pairs = nullptr;
    NxU32 numPairs = 0;
    const NxContactPatch* patches = nullptr;
    const NxContactPoint* points = nullptr;
};
typedef const NxContactStream* NxConstContactStream;

class NxContactPair {
public:
    NxActor* actors[2] = {nullptr, nullptr};
    NxConstContactStream stream = nullptr;
};

// Walks a contact stream: goNextPair, then goNextPatch within the pair, then goNextPoint
// within the patch; each returns false when there is no further element.
class NxContactStreamIterator {
public:
    explicit NxContactStreamIterator(NxConstContactStream stream) : stream_(stream) {}

    bool goNextPair() {
        if (stream_ == nullptr || pair_ + 1 >= static_cast<long>(stream_->numPairs)) return false;
        ++pair_;
        patch_ = -1;
        point_ = -1;
        return true;
    }
    bool goNextPatch() {
        if (pair_ < 0 || patch_ + 1 >= static_cast<long>(currentPair().numPatches)) return false;
        ++patch_;
        point_ = -1;
        return true;
    }
    bool goNextPoint() {
        if (patch_ < 0 || point_ + 1 >= static_cast<long>(currentPatch().numPoints)) return false;
        ++point_;
        return true;
    }

    NxU32 getNumPairs() const { return stream_ ? stream_->numPairs : 0; }
    NxShape* getShape(NxU32 index) const { return currentPair().shapes[index]; }
    NxU32 getNumPatches() const { return currentPair().numPatches; }
    const NxVec3& getPatchNormal() const { return currentPatch().normal; }
    NxU32 getNumPoints() const { return currentPatch().numPoints; }
    const NxVec3& getPoint() const { return currentPoint().point; }
    NxReal getSeparation() const { return currentPoint().separation; }

private:
    const NxContactShapePair& currentPair() const { return stream_->pairs[pair_]; }
    const NxContactPatch& currentPatch() const {
        return stream_->patches[currentPair().firstPatch + patch_];
    }
    const NxContactPoint& currentPoint() const {
        return stream_->points[currentPatch().firstPoint + point_];
    }

    NxConstContactStream stream_;
    long pair_ = -1;
    long patch_ = -1;
    long point_ = -1;
};

class NxUserContactReport {
public:
    virtual void onContactNotify(NxContactPair& pair, NxU32 events) = 0;

protected:
    virtual ~NxUserContactReport() = default;
};
