// Decoding speed of the BMP reader against stb_image and SDL_LoadBMP, on a large
// 24-bit picture and a large 8-bit paletted one made here. Each decoder reads the
// same file from the page cache; the best of several runs counts.
// Usage: dib_bench [--smoke]
// --smoke decodes small pictures once each: a quick check that every decoder
// still reads them, whose figures mean nothing.

#include <SDL2/SDL.h>
#include <stb_image.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "dib_builder.h"
#include "render/bmp_reader.h"

namespace {

int side = 4096;
int runs = 9;

// A bottom-up picture with a file header and a 40-byte header; the pixels vary
// so that no decoder meets long runs of equal bytes.
std::string MakePicture(uint16_t bits) {
    TestDib dib{.width = side, .height = side, .bitsPerPixel = bits};
    if (bits == 8)
        for (uint32_t i = 0; i < 256; ++i) dib.colours.push_back(i * 0x010307u & 0xFFFFFF);
    uint32_t state = 12345;
    dib.values.resize(size_t(side) * side);
    for (uint32_t& value : dib.values) {
        state = state * 1103515245u + 12345u;
        value = bits == 8 ? state >> 24 : state >> 8;
    }
    return Encode(dib);
}

double BestSeconds(const std::function<bool()>& decode) {
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        if (!decode()) {
            std::fprintf(stderr, "a decoder failed\n");
            std::exit(1);
        }
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}

void Compare(const char* title, const std::string& path, double megabytes) {
    const double ours = BestSeconds([&] {
        RgbImage* image = LoadDibImage(path.c_str());
        FreeRgbImage(image);
        return image != nullptr;
    });
    const double stb = BestSeconds([&] {
        int width, height, channels;
        stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 3);
        stbi_image_free(pixels);
        return pixels != nullptr;
    });
    const double sdl = BestSeconds([&] {
        SDL_Surface* surface = SDL_LoadBMP(path.c_str());
        SDL_FreeSurface(surface);
        return surface != nullptr;
    });
    // SDL_LoadBMP keeps the file's own pixel format (BGR, or one-byte palette
    // indices); converted to packed RGB it yields what the other two do.
    const double sdlRgb = BestSeconds([&] {
        SDL_Surface* surface = SDL_LoadBMP(path.c_str());
        SDL_Surface* rgb =
            surface ? SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGB24, 0) : nullptr;
        SDL_FreeSurface(surface);
        SDL_FreeSurface(rgb);
        return rgb != nullptr;
    });
    std::printf("%s (%.1f MB file)\n", title, megabytes);
    std::printf("  %-12s %8.1f MB/s\n", "ours", megabytes / ours);
    std::printf("  %-12s %8.1f MB/s   ours is %.2fx as fast\n", "stb_image", megabytes / stb,
                stb / ours);
    std::printf("  %-12s %8.1f MB/s   ours is %.2fx as fast (SDL's output stays in the file's "
                "format)\n",
                "SDL_LoadBMP", megabytes / sdl, sdl / ours);
    std::printf("  %-12s %8.1f MB/s   ours is %.2fx as fast (SDL_LoadBMP, then to packed RGB)\n",
                "SDL to RGB", megabytes / sdlRgb, sdlRgb / ours);
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--smoke") == 0) {
        side = 64;
        runs = 1;
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: dib_bench [--smoke]\n");
        return 2;
    }
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("kelmot-dib-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    std::printf("BMP decoding, %d x %d, best of %d runs\n", side, side, runs);
    for (uint16_t bits : {24, 8}) {
        const std::string path = (folder / ("picture" + std::to_string(bits) + ".bmp")).string();
        const std::string file = MakePicture(bits);
        std::ofstream(path, std::ios::binary) << file;
        Compare(bits == 24 ? "24-bit" : "8-bit paletted", path, file.size() / 1e6);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
