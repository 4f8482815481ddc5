// Reading picture files: the whole file is mapped read-only and decoded in place.

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "render/bmp_reader.h"
#include "render/error_report.h"

namespace {

// Opens without blocking, so a named pipe under a picture's name cannot hang
// the game; the caller closes the descriptor.
int OpenForReading(const char* fileName) {
    return open(fileName, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
}

} // namespace

RgbImage* LoadDibImage(const char* fileName) {
    const int file = OpenForReading(fileName);
    struct stat status {};
    void* mapping = MAP_FAILED;
    size_t size = 0;
    if (file >= 0 && fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        size = size_t(status.st_size);
        // The pages are read in one go; the decoder walks them front to back.
        mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, file, 0);
    }
    if (file >= 0) close(file);
    if (mapping == MAP_FAILED) {
        ReportError(("Failed to open DIB file " + std::string(fileName) + ".\n").c_str(),
                    ReportOwner::focusedWindow);
        return nullptr;
    }

    RgbImage* image = nullptr;
    const DibError error = DecodeDib(static_cast<const uint8_t*>(mapping), size, &image);
    munmap(mapping, size);
    if (error != DibError::none) ReportError(DibErrorText(error), ReportOwner::focusedWindow);
    return image;
}

RgbImage* LoadPicture(const char* fileName) {
    if (!fileName) return nullptr;
    const int file = OpenForReading(fileName);
    if (file < 0) return nullptr;
    close(file);
    return LoadDibImage(fileName);
}
