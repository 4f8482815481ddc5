#include "straight_frames.h"

#include <GL/glu.h>

#include <cmath>

namespace {

// The O's circle, worked out once.
struct Circle {
    double x[100], y[100];
    Circle() {
        for (int i = 0; i < 100; ++i) {
            const double angle = i * 3.1415926535898 * 0.02;
            x[i] = 1.5 * std::cos(angle);
            y[i] = 1.5 * std::sin(angle);
        }
    }
};
const Circle circle;

} // namespace

void StraightMenuFrame(const GLuint* textures, GLuint largeFontBase, float w, float h) {
    glViewport(0, 0, GLsizei(w), GLsizei(h));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, h, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_BLEND);
    glLoadIdentity();
    glBindTexture(GL_TEXTURE_2D, textures[4]);
    glPushMatrix();
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(w, 0.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, h, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(w, h, 0.0f);
    glEnd();
    glPopMatrix();

    glPushMatrix();
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, 1.0f);
    const float base = h / 4.5f;
    const GLuint listBase = largeFontBase - 32;
    glColor3f(1.0f, 1.0f, 0.0f);
    glRasterPos2f(w / 3.3f, base + -0.5f * h / 10.0f);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(GLsizei(sizeof "New Game VS. Computer" - 1), GL_UNSIGNED_BYTE,
                "New Game VS. Computer");
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(w / 3.0f, base + 1.0f * h / 10.0f);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(GLsizei(sizeof "New Two Player Game" - 1), GL_UNSIGNED_BYTE, "New Two Player Game");
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(w / 2.9f, base + 2.5f * h / 10.0f);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(GLsizei(sizeof "Multiplayer Options" - 1), GL_UNSIGNED_BYTE, "Multiplayer Options");
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(w / 2.6f, base + 4.0f * h / 10.0f);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(GLsizei(sizeof "Global Options" - 1), GL_UNSIGNED_BYTE, "Global Options");
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(w / 2.35f, base + 5.5f * h / 10.0f);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(GLsizei(sizeof "AI Options" - 1), GL_UNSIGNED_BYTE, "AI Options");
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2f(w / 2.1f, base + 7.0f * h / 10.0f);
    glPushAttrib(GL_LIST_BIT);
    glListBase(listBase);
    glCallLists(GLsizei(sizeof "Exit" - 1), GL_UNSIGNED_BYTE, "Exit");
    glPopAttrib();
    glColor3f(1.0f, 1.0f, 1.0f);
    glPopMatrix();
    glEnable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
}

void StraightGameFrame(const GLuint* textures, GLuint smallFontBase, float bannerScroll, float w,
                       float h) {
    glViewport(0, 0, GLsizei(w), GLsizei(h));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45, w / h, 1, 300);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor3f(1.0f, 1.0f, 1.0f);

    // The stars.
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -30.0f);
    glBindTexture(GL_TEXTURE_2D, textures[1]);
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(20.1f, 20.1f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-20.1f, 20.1f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-20.1f, -20.1f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(20.1f, -20.1f, 0.0f);
    glEnd();
    glPopMatrix();

    // The grid.
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -4.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    glVertex2f(-1.5f, 0.8f);
    glVertex2f(1.5f, 0.8f);
    glVertex2f(-1.5f, -0.2f);
    glVertex2f(1.5f, -0.2f);
    glVertex2f(-0.5f, 1.7f);
    glVertex2f(-0.5f, -5.0f);
    glVertex2f(0.5f, 1.7f);
    glVertex2f(0.5f, -5.0f);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();

    // The key hint.
    glPushMatrix();
    glPushMatrix();
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    glRasterPos3f(-1.55f, -2.4f, -6.0f);
    glPushAttrib(GL_LIST_BIT);
    glListBase(smallFontBase - 32);
    glCallLists(GLsizei(sizeof "1) Press 'R' to Reset  2) Press ESC to Exit to Menu" - 1),
                GL_UNSIGNED_BYTE, "1) Press 'R' to Reset  2) Press ESC to Exit to Menu");
    glPopAttrib();
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
    glPopMatrix();

    // The banner.
    glPushMatrix();
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    glTranslatef(0.0f, -1.5f, -4.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(-bannerScroll, 0.0f);
    glVertex3f(-3.1f, -0.2f, 0.0f);
    glTexCoord2f(1.0f - bannerScroll, 0.0f);
    glVertex3f(3.1f, -0.2f, 0.0f);
    glTexCoord2f(1.0f - bannerScroll, 1.0f);
    glVertex3f(3.1f, 0.2f, 0.0f);
    glTexCoord2f(-bannerScroll, 1.0f);
    glVertex3f(-3.1f, 0.2f, 0.0f);
    glEnd();
    glPopMatrix();

    // The cursor on the top middle cell: the mask cuts, the pointer adds.
    glPushMatrix();
    gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
    glTranslatef(0.0f, 5.0f, -6.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glBindTexture(GL_TEXTURE_2D, textures[3]);
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(0.5f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-0.5f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-0.5f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(0.5f, 0.0f, 0.0f);
    glEnd();
    glBlendFunc(GL_ONE, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textures[2]);
    glBegin(GL_QUADS);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(0.5f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-0.5f, 1.0f, 0.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-0.5f, 0.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(0.5f, 0.0f, 0.0f);
    glEnd();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glPopMatrix();

    // The marks: X top left, O top middle, X in the centre, O bottom left.
    glDisable(GL_TEXTURE_2D);
    const float xs[2][2] = {{-5.0f, 5.0f}, {0.0f, 1.0f}};
    const float os[2][2] = {{0.0f, 5.0f}, {-5.0f, -3.0f}};
    for (int mark = 0; mark < 2; ++mark) {
        glDisable(GL_TEXTURE_2D);
        glPushMatrix();
        gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
        glTranslatef(xs[mark][0], xs[mark][1], -6.0f);
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_LINES);
        glColor3f(1.0f, 0.0f, 0.0f);
        glVertex2f(-1.0f, 1.5f);
        glColor3f(0.0f, 1.0f, 0.0f);
        glVertex2f(1.0f, -1.5f);
        glColor3f(0.0f, 0.0f, 1.0f);
        glVertex2f(1.0f, 1.5f);
        glColor3f(0.5f, 0.5f, 0.5f);
        glVertex2f(-1.0f, -1.5f);
        glEnd();
        glPopMatrix();
        glEnable(GL_TEXTURE_2D);

        glDisable(GL_TEXTURE_2D);
        glPushMatrix();
        gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
        glTranslatef(os[mark][0], os[mark][1], -6.0f);
        glColor3f(1.0f, 1.0f, 1.0f);
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < 100; ++i) glVertex2d(circle.x[i], circle.y[i]);
        glEnd();
        glPopMatrix();
        glEnable(GL_TEXTURE_2D);
    }
    glEnable(GL_TEXTURE_2D);
}
