#include "render/textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "render/bmp_reader.h"

const char* const textureFiles[textureCount] = {"Data/blue.bmp", "Data/stars.bmp",
                                                "Data/pointer.bmp", "Data/pointermask.bmp",
                                                "Data/screen.bmp"};
uint32_t textures[textureCount];

int32_t LoadTextures() {
    RgbImage* images[textureCount] = {};
    for (int index = 0; index < textureCount; ++index) {
        images[index] = LoadPicture(textureFiles[index]);
        if (!images[index]) {
            for (RgbImage* image : images) FreeRgbImage(image);
            return 0;
        }
    }

    glGenTextures(textureCount, textures);
    // The rows are packed without fill bytes, which matters for widths whose RGB
    // row is not a multiple of four bytes.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int index = 0; index < textureCount; ++index) {
        glBindTexture(GL_TEXTURE_2D, textures[index]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
        // The wrap modes stay at GL_REPEAT, which the scrolling banner needs.
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, images[index]->width, images[index]->height, GL_RGB,
                          GL_UNSIGNED_BYTE, images[index]->pixels);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

    for (RgbImage* image : images) FreeRgbImage(image);
    return 1;
}
