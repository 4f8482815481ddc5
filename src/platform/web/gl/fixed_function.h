#pragma once

// The state that the fixed-function calls of this folder share: what OpenGL 1.1
// keeps beyond WebGL (the current colour and texture coordinates, the matrix
// stacks, whether texturing is on) and the programs that draw with it. It belongs
// to the WebGL context: ResetFixedFunction starts it afresh for a new one.

#include <GL/gl.h>

#include <array>

using Matrix = std::array<float, 16>; // column major, as OpenGL keeps matrices

struct FixedFunctionState {
    std::array<float, 4> colour{1, 1, 1, 1};
    std::array<float, 2> texCoord{0, 0};
    bool texturing = false;
    GLuint boundTexture = 0;   // the texture bound to GL_TEXTURE_2D
    GLuint usedProgram = 0;    // the program WebGL draws with now
    GLint unpackAlignment = 4; // as glPixelStorei last set it
    GLint viewport[4] = {0, 0, 0, 0};
    GLenum error = GL_NO_ERROR; // the first error of ours not yet fetched by glGetError
};
extern FixedFunctionState fixedFunction;

// Starts the state of a new context (OpenGL's defaults, no programs yet).
void ResetFixedFunction();

// Keeps the first error until glGetError fetches it.
void RecordGlError(GLenum error);

// projection x modelview, the transform of a vertex to clip coordinates.
Matrix ModelViewProjection();

// A program of one vertex and one fragment shader, with the attributes bound
// to 0, 1 and 2 in the order named (null names none); 0 when it does not build.
GLuint BuildProgram(const char* vertexSource, const char* fragmentSource, const char* attribute0,
                    const char* attribute1, const char* attribute2);

// Makes the program WebGL's current one, if it is not already.
void UseProgram(GLuint program);

// Drawing from client memory: the floats of each vertex, stride floats apart,
// with attribute i of components[i] floats (0 for none), uploaded to the one
// stream buffer.
void DrawVertices(GLenum mode, const float* floats, int vertexCount, int stride,
                  const int components[3]);

// Resets the parts of the state that each file keeps to itself.
void ResetMatrices();
void ResetImmediateMode();
void ResetBitmaps();
