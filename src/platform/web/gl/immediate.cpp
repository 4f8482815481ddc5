// Immediate mode: the vertices between glBegin and glEnd, each with the colour
// and texture coordinates current when it was given, drawn at glEnd through the
// current matrices, textured (colour times texel) while texturing is on.

#include <vector>

#include "platform/web/gl/fixed_function.h"
#include "platform/web/gl/webgl.h"

namespace {

// x y z, r g b a, s t
constexpr int vertexFloats = 9;

struct ImmediateMode {
    bool inside = false;
    GLenum primitive = GL_POINTS;
    std::vector<float> vertices;
    std::vector<float> triangles; // quads and polygons as WebGL draws them
    GLuint program = 0;
    GLint mvp = -1, texturing = -1, picture = -1;
};
ImmediateMode immediate;

constexpr const char* vertexShader = R"(
attribute vec3 position;
attribute vec4 colour;
attribute vec2 texCoord;
uniform mat4 mvp;
varying vec4 vColour;
varying vec2 vTexCoord;
void main() {
    vColour = colour;
    vTexCoord = texCoord;
    gl_Position = mvp * vec4(position, 1.0);
})";

constexpr const char* fragmentShader = R"(
precision highp float;
uniform bool texturing;
uniform sampler2D picture;
varying vec4 vColour;
varying vec2 vTexCoord;
void main() {
    gl_FragColor = texturing ? vColour * texture2D(picture, vTexCoord) : vColour;
})";

bool ProgramReady() {
    if (immediate.program != 0) return true;
    immediate.program =
        BuildProgram(vertexShader, fragmentShader, "position", "colour", "texCoord");
    if (immediate.program == 0) return false;
    immediate.mvp = emscripten_glGetUniformLocation(immediate.program, "mvp");
    immediate.texturing = emscripten_glGetUniformLocation(immediate.program, "texturing");
    immediate.picture = emscripten_glGetUniformLocation(immediate.program, "picture");
    return true;
}

void AppendVertex(std::vector<float>& to, size_t index) {
    const float* vertex = immediate.vertices.data() + index * vertexFloats;
    to.insert(to.end(), vertex, vertex + vertexFloats);
}

// The primitive WebGL draws for the one given, with the vertices it needs:
// quads become two triangles each, a quad strip a triangle strip, a polygon a
// triangle fan.
GLenum WebGlPrimitive(const std::vector<float>** vertices) {
    *vertices = &immediate.vertices;
    const size_t count = immediate.vertices.size() / vertexFloats;
    switch (immediate.primitive) {
    case GL_QUADS:
        immediate.triangles.clear();
        for (size_t quad = 0; quad + 3 < count; quad += 4)
            for (size_t corner : {0, 1, 2, 0, 2, 3})
                AppendVertex(immediate.triangles, quad + corner);
        *vertices = &immediate.triangles;
        return GL_TRIANGLES;
    case GL_QUAD_STRIP:
        return GL_TRIANGLE_STRIP;
    case GL_POLYGON:
        return GL_TRIANGLE_FAN;
    default:
        return immediate.primitive;
    }
}

void AddVertex(float x, float y, float z) {
    if (!immediate.inside) return; // outside glBegin / glEnd a vertex does nothing
    const FixedFunctionState& state = fixedFunction;
    immediate.vertices.insert(immediate.vertices.end(),
                              {x, y, z, state.colour[0], state.colour[1], state.colour[2],
                               state.colour[3], state.texCoord[0], state.texCoord[1]});
}

} // namespace

void ResetImmediateMode() {
    immediate.inside = false;
    immediate.vertices.clear();
    immediate.program = 0;
}

extern "C" {

void glBegin(GLenum mode) {
    if (immediate.inside) {
        RecordGlError(GL_INVALID_OPERATION);
        return;
    }
    if (mode > GL_POLYGON) {
        RecordGlError(GL_INVALID_ENUM);
        return;
    }
    immediate.inside = true;
    immediate.primitive = mode;
    immediate.vertices.clear();
}

void glEnd() {
    if (!immediate.inside) {
        RecordGlError(GL_INVALID_OPERATION);
        return;
    }
    immediate.inside = false;
    const std::vector<float>* vertices = nullptr;
    const GLenum primitive = WebGlPrimitive(&vertices);
    const int count = int(vertices->size() / vertexFloats);
    if (count == 0 || !ProgramReady()) return;
    UseProgram(immediate.program);
    const Matrix mvp = ModelViewProjection();
    emscripten_glUniformMatrix4fv(immediate.mvp, 1, GL_FALSE, mvp.data());
    emscripten_glUniform1i(immediate.texturing, fixedFunction.texturing ? 1 : 0);
    emscripten_glUniform1i(immediate.picture, 0);
    const int components[3] = {3, 4, 2};
    DrawVertices(primitive, vertices->data(), count, vertexFloats, components);
}

void glVertex2f(GLfloat x, GLfloat y) { AddVertex(x, y, 0); }
void glVertex2d(GLdouble x, GLdouble y) { AddVertex(float(x), float(y), 0); }
void glVertex3f(GLfloat x, GLfloat y, GLfloat z) { AddVertex(x, y, z); }

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    fixedFunction.colour = {red, green, blue, 1.0f};
}

void glTexCoord2f(GLfloat s, GLfloat t) { fixedFunction.texCoord = {s, t}; }

} // extern "C"
