#pragma once

// Debug builds with KELMOT_GL_CHECKS: reports every OpenGL error left pending
// after a frame to standard error, one line each, and clears them.
void ReportGlErrors();
