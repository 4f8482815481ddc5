#include "game/screen_flags.h"

ScreenFlags screenFlags;
