// `zorvan-cook preview`: renders models in a grid with the game's own renderer and saves the
// contact sheet as a PNG. Needs a display (or Xvfb) for its hidden window.
#pragma once

#include <string>
#include <vector>

bool RenderPreview(const std::string& png, const std::vector<std::string>& models,
                   std::string& error);
