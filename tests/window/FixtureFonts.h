// Faces whose names the tests control (made at build time into fixture-fonts\ beside
// the test executable), registered privately for this process before any test runs.
#pragma once

#include <string>
#include <vector>

// The family names of the fixture fonts (fonts/FixtureFaces.h).
extern const char* const kFixtureFaces[];
extern const int kFixtureFaceCount;

// How many fixture font files were registered (0 when they were not built).
int RegisteredFixtureFonts();
