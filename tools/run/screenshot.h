// Saves what the window shows as a PNG file.
#pragma once

bool SaveScreenshot(const char* file);
