// File services on Linux: POSIX files, mmap, fsync and rename.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace {

// Opens without blocking, so that a named pipe under a picture's name cannot
// hang the game; the caller closes the descriptor.
int OpenForReading(const char* name) {
    return open(name, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
}

} // namespace

bool MapWholeFile(const char* name, MappedFile* file) {
    *file = MappedFile{};
    const int descriptor = OpenForReading(name);
    if (descriptor < 0) return false;
    struct stat status {};
    void* mapping = MAP_FAILED;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        // The pages are read in one go; the decoder walks them front to back.
        mapping = mmap(nullptr, size_t(status.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE,
                       descriptor, 0);
    }
    close(descriptor);
    if (mapping == MAP_FAILED) return false;
    file->data = static_cast<const uint8_t*>(mapping);
    file->size = size_t(status.st_size);
    return true;
}

void UnmapWholeFile(MappedFile* file) {
    if (file->data != nullptr) munmap(const_cast<uint8_t*>(file->data), file->size);
    *file = MappedFile{};
}

bool CanOpenForReading(const char* name) {
    const int descriptor = OpenForReading(name);
    if (descriptor < 0) return false;
    close(descriptor);
    return true;
}

bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

bool RenameOver(const char* from, const char* to) { return std::rename(from, to) == 0; }
