// Reading picture files: the whole file is mapped read-only and decoded in place.

#include <string>

#include "platform/files.h"
#include "render/bmp_reader.h"
#include "render/error_report.h"

RgbImage* LoadDibImage(const char* fileName) {
    MappedFile file;
    if (!MapWholeFile(fileName, &file)) {
        ReportError(("Failed to open DIB file " + std::string(fileName) + ".\n").c_str(),
                    ReportOwner::focusedWindow);
        return nullptr;
    }
    RgbImage* image = nullptr;
    const DibError error = DecodeDib(file.data, file.size, &image);
    UnmapWholeFile(&file);
    if (error != DibError::none) ReportError(DibErrorText(error), ReportOwner::focusedWindow);
    return image;
}

RgbImage* LoadPicture(const char* fileName) {
    if (!fileName || !CanOpenForReading(fileName)) return nullptr;
    return LoadDibImage(fileName);
}
