// File services on Windows: a read-only mapping of a whole file, flushing to the
// disk, and a rename that replaces its target.

#include <windows.h>

#include <io.h>

#include <cerrno>
#include <cstdint>

#include "platform/files.h"

namespace {

// The C library's error number nearest to a failed call's reason.
int ErrorNumberOf(DWORD error) {
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

} // namespace

bool MapWholeFile(const char* name, MappedFile* file) {
    *file = MappedFile{};
    HANDLE handle = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    HANDLE mapping = nullptr;
    if (GetFileSizeEx(handle, &size) && size.QuadPart > 0 &&
        static_cast<uint64_t>(size.QuadPart) <= SIZE_MAX)
        mapping = CreateFileMappingA(handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
    const void* view = mapping ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    // The view keeps the file open until it is unmapped.
    if (mapping) CloseHandle(mapping);
    CloseHandle(handle);
    if (!view) return false;
    file->data = static_cast<const uint8_t*>(view);
    file->size = static_cast<size_t>(size.QuadPart);
    return true;
}

void UnmapWholeFile(MappedFile* file) {
    if (file->data != nullptr) UnmapViewOfFile(file->data);
    *file = MappedFile{};
}

bool CanOpenForReading(const char* name) {
    std::FILE* file = std::fopen(name, "r");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
    HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)));
    if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle)) {
        errno = handle == INVALID_HANDLE_VALUE ? EBADF : ErrorNumberOf(GetLastError());
        return false;
    }
    return true;
}

bool RenameOver(const char* from, const char* to) {
    if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    errno = ErrorNumberOf(GetLastError());
    return false;
}
