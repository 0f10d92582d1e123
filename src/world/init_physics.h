// Starts the one physics world of the game: the SDK object with its parameters, the scene, its
// materials and the two report objects that route the scene's events to the game's objects.
#pragma once

void initPhysics();
