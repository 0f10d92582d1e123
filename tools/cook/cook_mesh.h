// Cooking a MilkShape model into the physics layer's collision files.
#pragma once

#include <string>

// Writes "<base>.convex" (the hull of all vertices) and "<base>.concave" (the triangles) beside
// `ms3dPath`, where <base> is the path without its ".ms3d". Triangles that name a missing vertex
// are left out. False with `error` set when the file cannot be read or cooked.
bool CookModel(const std::string& ms3dPath, std::string& error);
