#include "game/key_table.h"

KeyTable* keyTable = nullptr;
