// Prints what a shortcut (.lnk) starts, through the Windows shell's own reader:
// its target on the first line, its working folder on the second.
// Usage: read_shortcut FILE.lnk
// Ends with 0, or 1 when the file cannot be read as a shortcut.

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <cstdio>

namespace {

int Read(const char* name) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return 1;
    int status = 1;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wideName[MAX_PATH];
        char target[MAX_PATH] = "";
        char folder[MAX_PATH] = "";
        if (MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, MAX_PATH) > 0 &&
            SUCCEEDED(file->Load(wideName, STGM_READ)) &&
            SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH))) {
            std::printf("%s\n%s\n", target, folder);
            status = 0;
        }
        file->Release();
    }
    link->Release();
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: read_shortcut FILE.lnk\n");
        return 2;
    }
    if (FAILED(CoInitialize(nullptr))) return 1;
    const int status = Read(argv[1]);
    CoUninitialize();
    if (status != 0) std::fprintf(stderr, "read_shortcut: cannot read %s\n", argv[1]);
    return status;
}
