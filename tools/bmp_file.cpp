#include "bmp_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "little_endian.h"

namespace {

constexpr uint32_t headerBytes = 14 + 40;
// 96 dots per inch.
constexpr uint32_t pixelsPerMetre = 3780;

} // namespace

std::vector<uint8_t> EncodeBmp(const Canvas& picture) {
    const uint32_t width = uint32_t(picture.Width());
    const uint32_t height = uint32_t(picture.Height());
    const uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const uint32_t imageBytes = rowBytes * height;

    std::vector<uint8_t> out;
    out.reserve(headerBytes + imageBytes);
    out.push_back('B');
    out.push_back('M');
    PutLittle32(out, headerBytes + imageBytes);
    PutLittle32(out, 0); // reserved
    PutLittle32(out, headerBytes);
    PutLittle32(out, 40);
    PutLittle32(out, width);
    PutLittle32(out, height); // positive: bottom row first
    PutLittle16(out, 1);      // planes
    PutLittle16(out, 24);     // bits per pixel
    PutLittle32(out, 0);      // no compression
    PutLittle32(out, imageBytes);
    PutLittle32(out, pixelsPerMetre);
    PutLittle32(out, pixelsPerMetre);
    PutLittle32(out, 0); // colours used
    PutLittle32(out, 0); // important colours

    for (int32_t y = picture.Height() - 1; y >= 0; --y) {
        for (int32_t x = 0; x < picture.Width(); ++x) {
            const Colour c = picture.At(x, y);
            out.push_back(uint8_t(c.b));
            out.push_back(uint8_t(c.g));
            out.push_back(uint8_t(c.r));
        }
        out.resize(out.size() + (rowBytes - width * 3), 0);
    }
    return out;
}

std::string WriteWholeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    const std::filesystem::path temporary = path.string() + ".new";
    // errno is not promised to be set by every stdio failure.
    int error = 0;
    auto fail = [&error] {
        if (error == 0) error = errno != 0 ? errno : EIO;
    };

    errno = 0;
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) return std::strerror(errno != 0 ? errno : EIO);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() ||
        std::fflush(file) != 0 || fsync(fileno(file)) != 0)
        fail();
    if (std::fclose(file) != 0) fail();
    if (error == 0 && std::rename(temporary.c_str(), path.c_str()) != 0) fail();
    if (error != 0) {
        std::remove(temporary.c_str());
        return std::strerror(error);
    }
    return {};
}
