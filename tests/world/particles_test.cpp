// The particle system: fixed capacity, packing, motion, types from the settings, sorting.
#include "render/particles.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "support/temp_dir.h"

namespace {

class ParticlesTest : public ::testing::Test {
protected:
    void SetUp() override {
        system = std::make_unique<ParticleSystem>();
        system->ClearParticles();
    }
    void Add(float life, float x = 0) {
        system->AddParticle(x, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 2, 0, life);
    }
    std::unique_ptr<ParticleSystem> system;
};

// Full batches drop new entries; the sort puts the farthest sprite first.
TEST_F(ParticlesTest, FullBatchesDropNewEntriesAndSpritesSortFarthestFirst) {
    system->SetViewerPosition(0, 0, 0);
    system->AddSprite(0, 0, 5, 1, 0);
    system->AddSprite(0, 0, -20, 1, 1);
    system->AddSprite(3, 0, 0, 1, 2);
    system->SortSprites();
    EXPECT_EQ(system->sprite(0).type, 1);
    EXPECT_EQ(system->sprite(1).type, 0);
    EXPECT_EQ(system->sprite(2).type, 2);

    Add(0.0f);  // a particle without life is not added
    EXPECT_EQ(system->particleCount(), 0);
    for (int i = 3; i < ParticleSystem::kMaxSprites + 1; ++i) system->AddSprite(i, 0, 0, 1, 6);
    EXPECT_EQ(system->spriteCount(), 4000);
    EXPECT_EQ(system->sprite(3999).position[0], 3999);
    for (int i = 0; i < ParticleSystem::kMaxParticles + 1; ++i) Add(1.0f, i);
    EXPECT_EQ(system->particleCount(), 4000);
    Add(0.0f);
    Add(-1.0f);
    EXPECT_EQ(system->particleCount(), 4000);
}

// Live particles stay packed in the order they came, and move, slow down and grow with their
// step; a particle reaching exactly 0 ends.
TEST_F(ParticlesTest, LiveParticlesMoveAndStayPackedInOrder) {
    system->AddParticle(0, 0, 0, 10, 0, 0, 0.5f, 1, 2, 3, 4, 7, 0, 5);
    Add(1.25f, 1);
    Add(0.625f, 2);
    Add(2.5f, 3);
    Add(0.375f, 4);
    Add(0.5f, 5);
    system->Update(0.5f);
    ASSERT_EQ(system->particleCount(), 4);
    const Particle& p = system->particle(0);
    float v = 10 * std::pow(0.5f, 0.5f);
    EXPECT_NEAR(p.velocity[0], v, 1e-5);
    EXPECT_NEAR(p.position[0], v * 0.5f, 1e-5);
    EXPECT_FLOAT_EQ(p.size[0], 2.5f);
    EXPECT_FLOAT_EQ(p.size[1], 4.0f);
    EXPECT_FLOAT_EQ(p.life, 4.5f);
    EXPECT_EQ(system->particle(1).position[0], 1);
    EXPECT_EQ(system->particle(2).position[0], 2);
    EXPECT_EQ(system->particle(3).position[0], 3);
    EXPECT_NEAR(system->particle(2).life, 0.125f, 1e-6);
    EXPECT_EQ(system->particle(4).life, -10.0f);  // freed slots are empty again
    system->Update(0.25f);
    ASSERT_EQ(system->particleCount(), 3);
    EXPECT_EQ(system->particle(2).position[0], 3);
    Add(1.0f, 9);  // new particles go behind the live ones
    EXPECT_EQ(system->particle(3).position[0], 9);
}

TEST_F(ParticlesTest, TypesComeFromTheSettingsInSheetCoordinates) {
    TempDir dir;
    dir.write("data/game.ini", "[particle types]\nType0=16, 32, 16, 16\nType3=0,0,256,256\n");
    WorkingDirectory inside(dir.path());
    system->LoadTypes();
    const ParticleType& t = system->particleType(0);
    EXPECT_FALSE(t.invalid);
    EXPECT_NEAR(t.u[0], 0.0675f, 1e-6);  // top left
    EXPECT_NEAR(t.v[0], 0.87f, 1e-6);
    EXPECT_NEAR(t.u[3], 32 / 256.0f - 0.005f, 1e-6);  // bottom right
    EXPECT_NEAR(t.v[3], 1 - 48 / 256.0f + 0.005f, 1e-6);
    EXPECT_NEAR(system->particleType(3).v[2], 0.005f, 1e-6);
    EXPECT_TRUE(system->particleType(1).invalid);
}

}  // namespace
