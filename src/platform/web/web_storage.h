#pragma once

// The game's folder in the browser's storage: the page mounts it as emscripten's
// IndexedDB file system and reads prefs.txt into it before the game starts
// (start.js); a file reaches the storage when it is renamed into place.

// Keeps the file from in the browser's storage under the name to, replacing what
// is kept under that name and forgetting anything kept under from, in one write
// transaction, and waits a few seconds at most for it. True when it is kept, or
// when the folder is not a stored one (the pictures' folder, a test's scratch
// folder); false when the storage refused, failed or did not answer, which
// leaves what it keeps as it was.
bool StoreFileAs(const char* from, const char* to);
