// Draws every picture the game ships, the same bytes on every run:
//   kelmot_draw_pictures OUTPUT_ROOT
// writes OUTPUT_ROOT/Data/{stars,screen,blue,pointer,pointermask}.bmp and
// OUTPUT_ROOT/resources/banner.bmp, making the folders as needed.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "bmp_file.h"
#include "pictures.h"

namespace {

struct Picture {
    const char* path;
    Canvas canvas;
};

bool Report(const std::filesystem::path& path, const std::string& reason) {
    std::fprintf(stderr, "kelmot_draw_pictures: could not write %s: %s\n", path.c_str(),
                 reason.c_str());
    return false;
}

bool Save(const std::filesystem::path& root, const Picture& picture) {
    const std::filesystem::path path = root / picture.path;
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) return Report(path.parent_path(), error.message());
    const std::string reason = WriteWholeFile(path, EncodeBmp(picture.canvas));
    return reason.empty() || Report(path, reason);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '\0') {
        std::fprintf(stderr, "usage: kelmot_draw_pictures OUTPUT_ROOT\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const Canvas pointer = DrawPointer();
    const std::vector<Picture> pictures = {
        {"Data/stars.bmp", DrawStars()},
        {"Data/screen.bmp", DrawMenuBackground()},
        {"Data/blue.bmp", DrawNameStrip()},
        {"Data/pointer.bmp", pointer},
        {"Data/pointermask.bmp", DrawPointerMask(pointer)},
        {"resources/banner.bmp", DrawDialogBanner()},
    };
    for (const Picture& picture : pictures)
        if (!Save(root, picture)) return 1;
    return 0;
}
