#pragma once

#include <cstdint>

// The game's five pictures as textures of the current OpenGL context, by index.
enum TextureIndex { blueTexture, starsTexture, pointerTexture, pointerMaskTexture, screenTexture };
constexpr int textureCount = 5;

extern const char* const textureFiles[textureCount];
extern uint32_t textures[textureCount];

// Loads the five pictures from Data/ and makes a mipmapped texture of each in the
// current context. 1 on success; 0 when a picture failed, in which case the
// pictures already read are freed and no texture name is made.
int32_t LoadTextures();
