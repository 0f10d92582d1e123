// The model reader, the cooking tool's description of a model and the cooking itself (a hull and
// a triangle mesh from the model's vertices) on any bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cook/cook_mesh.h"
#include "cook/model_info.h"
#include "fuzz_file.h"
#include "render/ms3d_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = fuzz::WriteInput("model.ms3d", data, size);
    CMS3DFile file;
    if (file.Load(path.c_str())) {
        // Every array a record points at is as long as its count (the sanitizer watches).
        unsigned sum = 0;
        for (int i = 0; i < file.GroupCount(); ++i) {
            ms3d_group_t* group = nullptr;
            file.GroupAt(i, &group);
            for (int t = 0; t < group->numtriangles; ++t) sum += group->triangleIndices[t];
        }
        for (int i = 0; i < file.JointCount(); ++i) {
            ms3d_joint_t* joint = nullptr;
            file.JointAt(i, &joint);
            for (int k = 0; k < joint->numKeyFramesRot; ++k) sum += joint->keyFramesRot[k].time > 0;
            for (int k = 0; k < joint->numKeyFramesTrans; ++k)
                sum += joint->keyFramesTrans[k].time > 0;
        }
        volatile unsigned keep = sum;
        (void)keep;
    }
    // The cooking tool agrees with the reader, and cooks what it reads without a crash.
    std::string json, error;
    if (DescribeModel(path, json, error) != (file.LastRead().brokenPart == nullptr)) std::abort();
    CookModel(path, error);
    return 0;
}
