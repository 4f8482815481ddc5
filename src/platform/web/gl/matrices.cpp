// The matrix stacks and the calls that change them: the modelview and the
// projection stack (the game never sets the texture matrix), glOrtho, and GLU's
// perspective and eye transforms.

#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "platform/web/gl/fixed_function.h"

namespace {

constexpr Matrix identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// As deep as Mesa's stacks, which the Linux build draws with.
constexpr size_t modelViewDepth = 32;
constexpr size_t projectionDepth = 32;

std::vector<Matrix> modelView{identity};
std::vector<Matrix> projection{identity};
std::vector<Matrix>* current = &modelView;

size_t DepthOf(const std::vector<Matrix>* stack) {
    return stack == &modelView ? modelViewDepth : projectionDepth;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix product{};
    for (int column = 0; column < 4; ++column)
        for (int row = 0; row < 4; ++row) {
            float sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[column * 4 + k];
            product[column * 4 + row] = sum;
        }
    return product;
}

// The current matrix times m, as glMultMatrix does.
void MultiplyCurrent(const Matrix& m) { current->back() = Multiply(current->back(), m); }

} // namespace

void ResetMatrices() {
    modelView.assign(1, identity);
    projection.assign(1, identity);
    current = &modelView;
}

Matrix ModelViewProjection() { return Multiply(projection.back(), modelView.back()); }

extern "C" {

void glMatrixMode(GLenum mode) {
    if (mode == GL_MODELVIEW)
        current = &modelView;
    else if (mode == GL_PROJECTION)
        current = &projection;
    else
        RecordGlError(GL_INVALID_ENUM);
}

void glLoadIdentity() { current->back() = identity; }

void glPushMatrix() {
    if (current->size() >= DepthOf(current)) {
        RecordGlError(GL_STACK_OVERFLOW);
        return;
    }
    current->push_back(current->back());
}

void glPopMatrix() {
    if (current->size() <= 1) {
        RecordGlError(GL_STACK_UNDERFLOW);
        return;
    }
    current->pop_back();
}

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) {
    MultiplyCurrent({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, x, y, z, 1});
}

void glOrtho(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top, GLdouble zNear,
             GLdouble zFar) {
    if (left == right || bottom == top || zNear == zFar) {
        RecordGlError(GL_INVALID_VALUE);
        return;
    }
    const double w = right - left, h = top - bottom, d = zFar - zNear;
    MultiplyCurrent({float(2 / w), 0, 0, 0, 0, float(2 / h), 0, 0, 0, 0, float(-2 / d), 0,
                     float(-(right + left) / w), float(-(top + bottom) / h),
                     float(-(zFar + zNear) / d), 1});
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2 * M_PI / 180;
    const double depth = zFar - zNear;
    const double sine = std::sin(radians);
    // GLU leaves the matrix alone for a degenerate frustum.
    if (depth == 0 || sine == 0 || aspect == 0) return;
    const double cotangent = std::cos(radians) / sine;
    MultiplyCurrent({float(cotangent / aspect), 0, 0, 0, 0, float(cotangent), 0, 0, 0, 0,
                     float(-(zFar + zNear) / depth), -1, 0, 0, float(-2 * zNear * zFar / depth),
                     0});
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centreX, GLdouble centreY,
               GLdouble centreZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    double forward[3] = {centreX - eyeX, centreY - eyeY, centreZ - eyeZ};
    auto normalise = [](double v[3]) {
        const double length = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (length == 0) return;
        for (int i = 0; i < 3; ++i) v[i] /= length;
    };
    auto cross = [](const double a[3], const double b[3], double out[3]) {
        out[0] = a[1] * b[2] - a[2] * b[1];
        out[1] = a[2] * b[0] - a[0] * b[2];
        out[2] = a[0] * b[1] - a[1] * b[0];
    };
    const double up[3] = {upX, upY, upZ};
    normalise(forward);
    double side[3], newUp[3];
    cross(forward, up, side);
    normalise(side);
    cross(side, forward, newUp);
    MultiplyCurrent({float(side[0]), float(newUp[0]), float(-forward[0]), 0, float(side[1]),
                     float(newUp[1]), float(-forward[1]), 0, float(side[2]), float(newUp[2]),
                     float(-forward[2]), 0, 0, 0, 0, 1});
    glTranslatef(float(-eyeX), float(-eyeY), float(-eyeZ));
}

} // extern "C"
