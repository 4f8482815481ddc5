#include "shell/gl_checks.h"

#include <GL/gl.h>

#include <cstdio>

namespace {

const char* ErrorName(GLenum error) {
    switch (error) {
    case GL_INVALID_ENUM:
        return "GL_INVALID_ENUM";
    case GL_INVALID_VALUE:
        return "GL_INVALID_VALUE";
    case GL_INVALID_OPERATION:
        return "GL_INVALID_OPERATION";
    case GL_STACK_OVERFLOW:
        return "GL_STACK_OVERFLOW";
    case GL_STACK_UNDERFLOW:
        return "GL_STACK_UNDERFLOW";
    case GL_OUT_OF_MEMORY:
        return "GL_OUT_OF_MEMORY";
    default:
        return "unknown";
    }
}

unsigned long frameNumber = 0;

} // namespace

void ReportGlErrors() {
    ++frameNumber;
    // A context with no current error returns GL_NO_ERROR; a lost context could
    // keep returning an error, so a frame reports a bounded number.
    for (int reported = 0; reported < 16; ++reported) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) return;
        std::fprintf(stderr, "kelmot: OpenGL error 0x%04x (%s) in frame %lu\n", error,
                     ErrorName(error), frameNumber);
    }
}
