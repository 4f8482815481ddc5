#pragma once

// WebGL itself, as emscripten's GL library provides it under emscripten_gl*
// names, beside the fixed-function calls of this folder, which take the plain
// gl* names the shared drawing code calls.

#include <GL/gl.h>

extern "C" {
void emscripten_glActiveTexture(GLenum texture);
void emscripten_glAttachShader(GLuint program, GLuint shader);
void emscripten_glBindAttribLocation(GLuint program, GLuint index, const char* name);
void emscripten_glBindBuffer(GLenum target, GLuint buffer);
void emscripten_glBindTexture(GLenum target, GLuint texture);
void emscripten_glBlendFunc(GLenum source, GLenum destination);
void emscripten_glBufferData(GLenum target, long size, const void* data, GLenum usage);
void emscripten_glClear(GLbitfield mask);
void emscripten_glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void emscripten_glClearDepthf(GLfloat depth);
void emscripten_glCompileShader(GLuint shader);
GLuint emscripten_glCreateProgram();
GLuint emscripten_glCreateShader(GLenum type);
void emscripten_glDeleteTextures(GLsizei count, const GLuint* textures);
void emscripten_glDepthFunc(GLenum function);
void emscripten_glDisable(GLenum capability);
void emscripten_glDisableVertexAttribArray(GLuint index);
void emscripten_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void emscripten_glEnable(GLenum capability);
void emscripten_glEnableVertexAttribArray(GLuint index);
void emscripten_glGenBuffers(GLsizei count, GLuint* buffers);
void emscripten_glGenTextures(GLsizei count, GLuint* textures);
GLenum emscripten_glGetError();
void emscripten_glGetIntegerv(GLenum name, GLint* values);
void emscripten_glGetProgramiv(GLuint program, GLenum name, GLint* value);
void emscripten_glGetShaderInfoLog(GLuint shader, GLsizei size, GLsizei* length, char* log);
void emscripten_glGetShaderiv(GLuint shader, GLenum name, GLint* value);
GLint emscripten_glGetUniformLocation(GLuint program, const char* name);
void emscripten_glHint(GLenum target, GLenum mode);
void emscripten_glLinkProgram(GLuint program);
void emscripten_glPixelStorei(GLenum name, GLint value);
void emscripten_glShaderSource(GLuint shader, GLsizei count, const char* const* sources,
                               const GLint* lengths);
void emscripten_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width,
                             GLsizei height, GLint border, GLenum format, GLenum type,
                             const void* pixels);
void emscripten_glTexParameteri(GLenum target, GLenum name, GLint value);
void emscripten_glTexSubImage2D(GLenum target, GLint level, GLint x, GLint y, GLsizei width,
                                GLsizei height, GLenum format, GLenum type, const void* pixels);
void emscripten_glUniform1i(GLint location, GLint value);
void emscripten_glUniform4fv(GLint location, GLsizei count, const GLfloat* value);
void emscripten_glUniformMatrix4fv(GLint location, GLsizei count, GLboolean transpose,
                                   const GLfloat* value);
void emscripten_glUseProgram(GLuint program);
void emscripten_glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalised,
                                      GLsizei stride, const void* offset);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
}
