#include "png_read_back.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

ReadBack ReadPngWithPixbuf(const std::filesystem::path& path) {
    ReadBack result;
    GError* error = nullptr;
    GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file(path.c_str(), &error);
    if (pixbuf == nullptr) {
        result.error = error != nullptr ? error->message : "unknown error";
        if (error != nullptr) g_error_free(error);
        return result;
    }
    result.width = gdk_pixbuf_get_width(pixbuf);
    result.height = gdk_pixbuf_get_height(pixbuf);
    result.hasOpacity = gdk_pixbuf_get_has_alpha(pixbuf) != FALSE;
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int stride = gdk_pixbuf_get_rowstride(pixbuf);
    if (gdk_pixbuf_get_bits_per_sample(pixbuf) != 8 || channels < 3) {
        result.error = "not 8-bit RGB";
    } else {
        const guint8* pixels = gdk_pixbuf_read_pixels(pixbuf);
        for (int y = 0; y < result.height; ++y) {
            for (int x = 0; x < result.width; ++x) {
                const guint8* p = pixels + ptrdiff_t(y) * stride + ptrdiff_t(x) * channels;
                result.rgba.insert(result.rgba.end(),
                                   {p[0], p[1], p[2], channels == 4 ? p[3] : guint8(255)});
            }
        }
    }
    g_object_unref(pixbuf);
    return result;
}

std::string Differences(const RgbaPicture& drawn, const ReadBack& read) {
    if (!read.error.empty()) return "not read: " + read.error;
    if (read.width != drawn.colour.Width() || read.height != drawn.colour.Height())
        return "read as " + std::to_string(read.width) + " x " + std::to_string(read.height);
    if (!read.hasOpacity) return "read without opacity";
    std::string report;
    int64_t count = 0;
    for (int32_t y = 0; y < read.height; ++y) {
        for (int32_t x = 0; x < read.width; ++x) {
            const Colour c = drawn.colour.At(x, y);
            const int32_t wanted[] = {c.r, c.g, c.b, drawn.opacity.At(x, y).r};
            const uint8_t* got = &read.rgba[(size_t(y) * size_t(read.width) + size_t(x)) * 4];
            if (got[0] == wanted[0] && got[1] == wanted[1] && got[2] == wanted[2] &&
                got[3] == wanted[3])
                continue;
            if (++count <= 3) {
                report += "(" + std::to_string(x) + ", " + std::to_string(y) + ") drawn";
                for (const int32_t v : wanted) report += " " + std::to_string(v);
                report += ", read";
                for (int k = 0; k < 4; ++k) report += " " + std::to_string(got[k]);
                report += "; ";
            }
        }
    }
    if (count > 0) report += std::to_string(count) + " pixels differ";
    return report;
}
