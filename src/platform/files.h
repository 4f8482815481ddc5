#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// File services the shared code asks of the system.

// A file's whole content, mapped read-only.
struct MappedFile {
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// Maps the whole of an existing file read-only, letting others read it too.
// False when it cannot be opened or mapped (a file of 0 bytes cannot be).
bool MapWholeFile(const char* name, MappedFile* file);
void UnmapWholeFile(MappedFile* file);

// True when the file can be opened for reading; it is closed again at once.
bool CanOpenForReading(const char* name);

// Writes the stream's buffers out and has the system put them on the disk. False,
// with errno set, when either fails.
bool FlushToDisk(std::FILE* file);

// Renames from to to, replacing to if it exists, in one step. False, with errno
// set, on failure.
bool RenameOver(const char* from, const char* to);
