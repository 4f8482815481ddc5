// The viewport and projection of each screen, read back from OpenGL and
// compared with matrices worked out here from their definitions.

#include <GL/gl.h>

#include <array>
#include <cmath>

#include <gtest/gtest.h>

#include "game/screen_flags.h"
#include "render/viewport.h"
#include "shell/projection.h"
#include "support/gl_window.h"

namespace {

using Matrix = std::array<double, 16>; // column-major, as OpenGL keeps it

Matrix Read(GLenum which) {
    Matrix m{};
    glGetDoublev(which, m.data());
    return m;
}

void ExpectNear(const Matrix& actual, const Matrix& expected) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-5) << "element " << i;
}

// x in [0, w] to [-1, 1], y in [0, h] to [1, -1] (top-left origin), z flipped.
Matrix Orthographic(double w, double h) {
    return {2 / w, 0, 0, 0, 0, -2 / h, 0, 0, 0, 0, -1, 0, -1, 1, 0, 1};
}

// A 45 degree vertical field of view, near 1, far 300.
Matrix Perspective(double aspect) {
    const double f = 1 / std::tan(45.0 / 2 * M_PI / 180);
    const double n = 1, far = 300;
    return {f / aspect,
            0,
            0,
            0,
            0,
            f,
            0,
            0,
            0,
            0,
            (far + n) / (n - far),
            -1,
            0,
            0,
            2 * far * n / (n - far),
            0};
}

std::array<int, 4> Viewport() {
    std::array<int, 4> v{};
    glGetIntegerv(GL_VIEWPORT, v.data());
    return v;
}

class Projection : public testing::Test {
  protected:
    GlWindow window{64, 64};
    Projection() { screenFlags = ScreenFlags{}; }
};

TEST_F(Projection, MenuIsOnePixelPerUnitFromTheTopLeft) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(3, 4, 5); // whatever the last frame left
    screenFlags.inMenu = 1;
    SetProjection(1024, 712);
    ExpectNear(Read(GL_PROJECTION_MATRIX), Orthographic(1024, 712));
    ExpectNear(Read(GL_MODELVIEW_MATRIX), Matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1});
    EXPECT_EQ(Viewport(), (std::array<int, 4>{0, 0, 1024, 712}));
    EXPECT_EQ(viewportWidth, 1024.0f);
    EXPECT_EQ(viewportHeight, 712.0f);
}

TEST_F(Projection, GameIsAPerspectiveAtTheWindowsAspect) {
    screenFlags.inMenu = 0;
    SetProjection(800, 600);
    ExpectNear(Read(GL_PROJECTION_MATRIX), Perspective(800.0 / 600.0));
    EXPECT_EQ(Viewport(), (std::array<int, 4>{0, 0, 800, 600}));
    // The next frame follows the screen without being told.
    screenFlags.inMenu = 1;
    SetProjection(800, 600);
    ExpectNear(Read(GL_PROJECTION_MATRIX), Orthographic(800, 600));
}

TEST_F(Projection, ZeroHeightCountsAsOne) {
    screenFlags.inMenu = 1;
    SetProjection(800, 0);
    EXPECT_EQ(Viewport(), (std::array<int, 4>{0, 0, 800, 1}));
    ExpectNear(Read(GL_PROJECTION_MATRIX), Orthographic(800, 1));
    EXPECT_EQ(viewportHeight, 1.0f);
    screenFlags.inMenu = 0;
    SetProjection(800, 0);
    ExpectNear(Read(GL_PROJECTION_MATRIX), Perspective(800));
}

TEST(ProjectionWithoutContext, OnlyRecordsTheSize) {
    ASSERT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    SetProjection(640, 0);
    EXPECT_EQ(viewportWidth, 640.0f);
    EXPECT_EQ(viewportHeight, 1.0f);
}

} // namespace
