// The generator's output for the tests: zorvan-assetgen is run once per test program into a
// scratch folder, and can be run again for comparisons.
#pragma once

#include <string>

// The folder holding models/ and textures/ from one run (made on first use).
const std::string& GeneratedDir();
// Runs zorvan-assetgen into `dir`; its exit code.
int RunGenerator(const std::string& dir);

std::string ModelPath(const std::string& name);    // GeneratedDir()/models/<name>.ms3d
std::string TexturePath(const std::string& file);  // GeneratedDir()/textures/<file>
