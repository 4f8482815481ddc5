// Draws every picture the game ships, the same bytes on every run:
//   kelmot_draw_pictures OUTPUT_ROOT
// writes OUTPUT_ROOT/Data/{stars,screen,blue,pointer,pointermask}.bmp,
// OUTPUT_ROOT/resources/banner.bmp, the desktop icon as
// OUTPUT_ROOT/resources/icons/SIZExSIZE/apps/kelmot.png for SIZE 48, 64, 128
// and 256, and the same icon at 16, 24, 32, 48, 64 and 256 pixels in one
// Windows icon file, OUTPUT_ROOT/resources/kelmot.ico, making the folders as
// needed.

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "bmp_file.h"
#include "ico_file.h"
#include "icon.h"
#include "pictures.h"
#include "png_file.h"

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

bool Save(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    if (error) return Report(path.parent_path(), error.message());
    const std::string reason = WriteWholeFile(path, bytes);
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
        if (!Save(root / picture.path, EncodeBmp(picture.canvas))) return 1;

    // Laid out as an icon theme's folders, ready to install as a tree.
    for (const int32_t size : iconSizes) {
        const std::string side = std::to_string(size);
        const std::filesystem::path path =
            root / "resources/icons" / (side + "x" + side) / "apps/kelmot.png";
        if (!Save(path, EncodePng(DrawIcon(size)))) return 1;
    }

    std::vector<RgbaPicture> windowsIcon;
    for (const int32_t size : windowsIconSizes) windowsIcon.push_back(DrawIcon(size));
    if (!Save(root / "resources/kelmot.ico", EncodeIco(windowsIcon))) return 1;
    return 0;
}
