// The fixed-function state kept beside WebGL's own: texturing on or off, the
// bound texture, the pixel-store alignment, the viewport, errors of our own; and
// the calls OpenGL 1.1 has and WebGL has not or has otherwise.

#include <cstdio>

#include "platform/web/gl/fixed_function.h"
#include "platform/web/gl/webgl.h"

FixedFunctionState fixedFunction;

namespace {

GLuint streamBuffer = 0;

GLuint CompileShader(GLenum type, const char* source) {
    const GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    GLint compiled = 0;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        char log[512] = "";
        emscripten_glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "kelmot: a shader does not compile: %s\n", log);
        return 0;
    }
    return shader;
}

} // namespace

void ResetFixedFunction() {
    fixedFunction = FixedFunctionState{};
    streamBuffer = 0;
    ResetMatrices();
    ResetImmediateMode();
    ResetBitmaps();
}

void RecordGlError(GLenum error) {
    if (fixedFunction.error == GL_NO_ERROR) fixedFunction.error = error;
}

GLuint BuildProgram(const char* vertexSource, const char* fragmentSource, const char* attribute0,
                    const char* attribute1, const char* attribute2) {
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, fragmentSource);
    if (vertex == 0 || fragment == 0) return 0;
    const GLuint program = emscripten_glCreateProgram();
    emscripten_glAttachShader(program, vertex);
    emscripten_glAttachShader(program, fragment);
    const char* attributes[3] = {attribute0, attribute1, attribute2};
    for (GLuint index = 0; index < 3; ++index)
        if (attributes[index]) emscripten_glBindAttribLocation(program, index, attributes[index]);
    emscripten_glLinkProgram(program);
    GLint linked = 0;
    emscripten_glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (!linked) {
        std::fprintf(stderr, "kelmot: a shader program does not link\n");
        return 0;
    }
    return program;
}

void UseProgram(GLuint program) {
    if (fixedFunction.usedProgram == program) return;
    emscripten_glUseProgram(program);
    fixedFunction.usedProgram = program;
}

void DrawVertices(GLenum mode, const float* floats, int vertexCount, int stride,
                  const int components[3]) {
    if (streamBuffer == 0) emscripten_glGenBuffers(1, &streamBuffer);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, streamBuffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, long(sizeof(float)) * vertexCount * stride, floats,
                            GL_STREAM_DRAW);
    int offset = 0;
    for (GLuint index = 0; index < 3; ++index) {
        if (components[index] == 0) {
            emscripten_glDisableVertexAttribArray(index);
            continue;
        }
        emscripten_glEnableVertexAttribArray(index);
        emscripten_glVertexAttribPointer(index, components[index], GL_FLOAT, GL_FALSE,
                                         GLsizei(sizeof(float)) * stride,
                                         reinterpret_cast<const void*>(sizeof(float) * offset));
        offset += components[index];
    }
    emscripten_glDrawArrays(mode, 0, vertexCount);
}

extern "C" {

// Texturing is a switch of the fixed-function pipeline, which WebGL does not
// know; the programs read it instead.
void glEnable(GLenum capability) {
    if (capability == GL_TEXTURE_2D)
        fixedFunction.texturing = true;
    else
        emscripten_glEnable(capability);
}

void glDisable(GLenum capability) {
    if (capability == GL_TEXTURE_2D)
        fixedFunction.texturing = false;
    else
        emscripten_glDisable(capability);
}

void glBindTexture(GLenum target, GLuint texture) {
    emscripten_glBindTexture(target, texture);
    if (target == GL_TEXTURE_2D) fixedFunction.boundTexture = texture;
}

void glPixelStorei(GLenum name, GLint value) {
    emscripten_glPixelStorei(name, value);
    if (name == GL_UNPACK_ALIGNMENT && (value == 1 || value == 2 || value == 4 || value == 8))
        fixedFunction.unpackAlignment = value;
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    emscripten_glViewport(x, y, width, height);
    if (width >= 0 && height >= 0) {
        fixedFunction.viewport[0] = x;
        fixedFunction.viewport[1] = y;
        fixedFunction.viewport[2] = width;
        fixedFunction.viewport[3] = height;
    }
}

void glClearDepth(GLclampd depth) { emscripten_glClearDepthf(GLfloat(depth)); }

// Colours are always interpolated across a primitive: the game shades smoothly
// and never asks for flat shading.
void glShadeModel(GLenum mode) {
    if (mode != GL_SMOOTH && mode != GL_FLAT) RecordGlError(GL_INVALID_ENUM);
}

// WebGL interpolates with perspective correction always, as the game asks.
void glHint(GLenum target, GLenum mode) {
    if (target != GL_PERSPECTIVE_CORRECTION_HINT) emscripten_glHint(target, mode);
}

GLenum glGetError() {
    const GLenum own = fixedFunction.error;
    fixedFunction.error = GL_NO_ERROR;
    return own != GL_NO_ERROR ? own : emscripten_glGetError();
}

} // extern "C"
