#include "app/hud.h"

#include <cstdio>

#include "app/globals.h"
#include "app/level.h"
#include "app/settings.h"
#include "player/avatar.h"
#include "render/lens_flare.h"
#include "render/model.h"
#include "render/particles.h"
#include "render/sky_box.h"
#include "scene/model_object.h"

void ReloadTextures(bool bilinear, bool mipmap) {
    std::printf("Lade Texturen...           ");
    char skyboxDir[256];
    ReadString(kLevelFile, "level", "skyboxDir", skyboxDir, sizeof skyboxDir);
    skyBox->ReloadTextures(skyboxDir, bilinear, mipmap);
    particles->ReloadTexture("textures\\sprites.bmp", bilinear, mipmap);
    lensFlare->ReloadTextures(bilinear, mipmap);
    avatar->reloadTexture(bilinear, mipmap);
    // A model shared by several objects is reloaded once per object.
    for (Object* object : objects)
        if (auto* modelObject = dynamic_cast<ModelObject*>(object))
            modelObject->model->ReloadTextures(bilinear, mipmap);
    std::printf("Fertig!\n");
}
