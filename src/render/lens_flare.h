// The sun's lens flare: when the sun's point survives the depth test against everything drawn so
// far, a row of point sprites is drawn from the sun through the view axis. The sun sits at a
// fixed offset from the eye, like an infinitely distant light.
#pragma once

#include <cstdint>

#include "core/object.h"

class Camera;

class zvLensFlare : public Object {
public:
    zvLensFlare(float offsetX, float offsetY, float offsetZ, Camera* camera);
    void draw() override;
    void ReloadTextures(bool bilinear, bool mipmap);

    // The sun's point passed the last frame's occlusion test.
    bool sunVisible() const { return visible; }

private:
    void LoadTextures(bool bilinear, bool mipmap);
    uint32_t countVisibleSamples();

    float offset[3];
    float sunPosition[3] = {0, 0, 0};
    Camera* camera;
    uint32_t glowTexture = 0, streaksTexture = 0, haloTexture = 0;
    float distance;
    uint32_t query = 0;  // one query object, reused every frame
    bool visible = false;
};
