#include "render/viewport.h"

float viewportWidth = 0.0f;
float viewportHeight = 0.0f;
