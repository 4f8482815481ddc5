#pragma once

// The game's folder in the browser's storage: the page mounts it as an IndexedDB
// file system and loads it before the game starts (start.js).

// Writes the folder holding path to the browser's storage, as one transaction,
// and waits for it to be done. True when it was written, or when the folder is
// not a stored one (the pictures' folder, or a test's scratch folder).
bool KeepFolderOf(const char* path);
