#pragma once

#include <cstddef>
#include <cstdint>

// A picture as packed 24-bit RGB. The rows follow one another without fill bytes,
// the bottom row of the picture first, each pixel as red, green, blue. Made by
// LoadDibImage with malloc; FreeRgbImage releases the pixels and the record.
struct RgbImage {
    int32_t width;
    int32_t height;
    uint8_t* pixels;
};

void FreeRgbImage(RgbImage* image);

// Why a picture could not be decoded; each has its own report.
enum class DibError { none, unknownFormat, conversion, outOfMemory };

// The report shown for a decoding error, e.g. "Unknown DIB file format.".
const char* DibErrorText(DibError error);

// Decodes a whole BMP file held in memory: an optional 14-byte "BM" file header,
// a 12- or 40-byte information header, a colour table and uncompressed pixels of
// 1, 4, 8, 16, 24 or 32 bits. Never reads outside data[0, size). On success
// *image is a new picture; otherwise it is left null.
DibError DecodeDib(const uint8_t* data, size_t size, RgbImage** image);

// Maps the file read-only and decodes it. Any failure is reported once through
// ReportError and yields null.
RgbImage* LoadDibImage(const char* fileName);

// LoadDibImage for a file that can be opened for reading; null, silently, for no
// name or a file that cannot be opened.
RgbImage* LoadPicture(const char* fileName);
