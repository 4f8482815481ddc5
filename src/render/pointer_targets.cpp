#include "render/pointer_targets.h"

#include <GL/gl.h>

#include <array>
#include <cstddef>

namespace {

struct ShownTarget {
    PointerTarget target;
    WindowBox box;
};

// A frame shows at most the nine cells and the hint's two halves.
struct ShownTargets {
    std::array<ShownTarget, 16> targets{};
    std::size_t count = 0;
};
ShownTargets shown;

} // namespace

void ForgetPointerTargets() { shown.count = 0; }

void ShowPointerTarget(PointerTarget target, WindowBox box) {
    if (shown.count < shown.targets.size()) shown.targets[shown.count++] = {target, box};
}

bool RasterPosition(float* x, float* y) {
    GLboolean valid = GL_FALSE;
    glGetBooleanv(GL_CURRENT_RASTER_POSITION_VALID, &valid);
    if (!valid) return false;
    GLfloat position[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    if (x) *x = position[0];
    if (y) *y = position[1];
    return true;
}

PointerTarget PointerTargetAt(float x, float y) {
    for (std::size_t i = 0; i < shown.count; ++i) {
        const WindowBox& box = shown.targets[i].box;
        if (x >= box.left && x < box.right && y >= box.bottom && y < box.top)
            return shown.targets[i].target;
    }
    return {};
}
