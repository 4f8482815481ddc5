// Posts a window message to a top-level window, as another program would.
// Usage: post_message CLASS TITLE MESSAGE [WPARAM LPARAM]
// Ends with 0 once posted, 1 when no such window exists or the post fails, 2 on
// wrong arguments.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4 && argc != 6) {
        std::fprintf(stderr, "usage: post_message CLASS TITLE MESSAGE [WPARAM LPARAM]\n");
        return 2;
    }
    HWND window = FindWindowA(argv[1], argv[2]);
    if (window == nullptr) {
        std::fprintf(stderr, "post_message: no window \"%s\" of class \"%s\"\n", argv[2], argv[1]);
        return 1;
    }
    const UINT message = static_cast<UINT>(std::strtoul(argv[3], nullptr, 0));
    const WPARAM wParam = argc == 6 ? std::strtoull(argv[4], nullptr, 0) : 0;
    const LPARAM lParam = argc == 6 ? LPARAM(std::strtoll(argv[5], nullptr, 0)) : 0;
    if (!PostMessageA(window, message, wParam, lParam)) {
        std::fprintf(stderr, "post_message: PostMessageA failed (%lu)\n", GetLastError());
        return 1;
    }
    return 0;
}
