#include "ico_file.h"

#include <limits>
#include <stdexcept>

#include "little_endian.h"

namespace {

// The directory's header, then one entry for each picture.
constexpr size_t headerBytes = 6;
constexpr size_t entryBytes = 16;
// An entry gives each side in one byte, 0 standing for 256.
constexpr int32_t largestSide = 256;

} // namespace

std::vector<uint8_t> EncodeIco(const std::vector<RgbaPicture>& pictures) {
    if (pictures.empty()) throw std::invalid_argument("an icon file needs at least one picture");
    if (pictures.size() > std::numeric_limits<uint16_t>::max())
        throw std::invalid_argument("too many pictures for one icon file");

    std::vector<std::vector<uint8_t>> images;
    images.reserve(pictures.size());
    for (const RgbaPicture& picture : pictures) {
        if (picture.colour.Width() > largestSide || picture.colour.Height() > largestSide)
            throw std::invalid_argument("an icon file holds pictures of at most 256 x 256");
        images.push_back(EncodePng(picture));
    }

    std::vector<uint8_t> out;
    PutLittle16(out, 0); // reserved
    PutLittle16(out, 1); // type: icon
    PutLittle16(out, uint32_t(pictures.size()));
    size_t offset = headerBytes + entryBytes * pictures.size();
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (offset + images[i].size() > std::numeric_limits<uint32_t>::max())
            throw std::invalid_argument("the pictures are too large for one icon file");
        out.push_back(uint8_t(pictures[i].colour.Width() % largestSide));
        out.push_back(uint8_t(pictures[i].colour.Height() % largestSide));
        out.push_back(0);     // no palette
        out.push_back(0);     // reserved
        PutLittle16(out, 1);  // planes
        PutLittle16(out, 32); // bits per pixel
        PutLittle32(out, uint32_t(images[i].size()));
        PutLittle32(out, uint32_t(offset));
        offset += images[i].size();
    }
    out.reserve(offset);
    for (const std::vector<uint8_t>& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}
