// The one piece of the game rules that draws: the line through a won row, column
// or diagonal. It lives apart so the rest of the rules build without OpenGL.
#include <GL/gl.h>
#include <GL/glu.h>

#include "game/outcome.h"

void DrawWinLine(uint8_t vertical, uint8_t diagonal, float offset) {
    glColor3f(1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    WinLineSegment segment;
    if (FindWinLineSegment(vertical, diagonal, offset, segment)) {
        glPushMatrix();
        gluLookAt(0, 0, 10, 0, 0, 0, 0, 1, 0);
        glTranslatef(segment.startX, segment.startY, -6.0f);
        glBegin(GL_LINES);
        glVertex2f(0.0f, 0.0f);
        glVertex2f(segment.endX, segment.endY);
        glEnd();
        glPopMatrix();
    }
    glEnable(GL_TEXTURE_2D);
}
