// Keyboard and mouse. The callbacks record which keys and buttons are held; the game step acts on
// those states once per step. One-shot keys act in the callback itself.
#pragma once

#include <cstdint>

extern bool keyForward, keyBackward, keyLeft, keyRight, keyJump;
extern bool keyFreeForward, keyFreeBackward, keyFreeLeft, keyFreeRight, keyFreeUp, keyFreeDown;
extern bool fireLeftHeld, fireRightHeld;
// Pointer offset from the window centre: positive left of and above the centre.
extern int32_t mouseDX, mouseDY;

void Keyboard(unsigned char key, int x, int y);
void KeyboardUp(unsigned char key, int x, int y);
void SpecialKeys(int key, int x, int y);
void MouseButton(int button, int state, int x, int y);
void MouseMotion(int x, int y);
