// File services in the browser. The files live in emscripten's file system:
// the pictures in memory, fetched with the page, and the game's folder, where
// prefs.txt is, kept in the browser's storage (IndexedDB) by web_storage.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "platform/files.h"
#include "platform/web/web_storage.h"

bool MapWholeFile(const char* name, MappedFile* file) {
    *file = MappedFile{};
    const int descriptor = open(name, O_RDONLY);
    if (descriptor < 0) return false;
    // The file system lives in memory and has no shared mappings: the file is
    // read into a buffer of its own, which is as good as a private mapping.
    struct stat status {};
    uint8_t* data = nullptr;
    size_t size = 0;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        size = size_t(status.st_size);
        data = static_cast<uint8_t*>(std::malloc(size));
        size_t done = 0;
        while (data && done < size) {
            const ssize_t got = read(descriptor, data + done, size - done);
            if (got <= 0) break;
            done += size_t(got);
        }
        if (data && done != size) {
            std::free(data);
            data = nullptr;
        }
    }
    close(descriptor);
    if (!data) return false;
    file->data = data;
    file->size = size;
    return true;
}

void UnmapWholeFile(MappedFile* file) {
    std::free(const_cast<uint8_t*>(file->data));
    *file = MappedFile{};
}

bool CanOpenForReading(const char* name) {
    const int descriptor = open(name, O_RDONLY);
    if (descriptor < 0) return false;
    close(descriptor);
    return true;
}

// The file lives in memory until it is renamed into place, which is when it is
// written to the browser's storage.
bool FlushToDisk(std::FILE* file) { return std::fflush(file) == 0; }

// The browser's storage takes the new file first, in one transaction, and only
// then is it renamed in memory: when the storage fails, prefs.txt stays as it
// was both there and in memory.
bool RenameOver(const char* from, const char* to) {
    if (!StoreFileAs(from, to)) {
        errno = EIO;
        return false;
    }
    return std::rename(from, to) == 0;
}
