#include <cmath>

#include "scene/Player.h"

namespace bravok {

namespace {

struct Face {
    GLfloat normal[3];
    GLfloat corners[4][3];
};

// The room is the box -20..20 in x and z, 0..8 in y. Every normal points into the
// room. The faces do not share one winding, so the room must be drawn with face
// culling off.
constexpr Face kRoomFaces[] = {
    {{0, 1, 0}, {{-20, 0, -20}, {-20, 0, 20}, {20, 0, 20}, {20, 0, -20}}},    // floor
    {{0, -1, 0}, {{-20, 8, -20}, {-20, 8, 20}, {20, 8, 20}, {20, 8, -20}}},   // ceiling
    {{0, 0, 1}, {{-20, 8, -20}, {20, 8, -20}, {20, 0, -20}, {-20, 0, -20}}},  // z = -20
    {{0, 0, -1}, {{-20, 8, 20}, {20, 8, 20}, {20, 0, 20}, {-20, 0, 20}}},     // z = 20
    {{1, 0, 0}, {{-20, 8, 20}, {-20, 8, -20}, {-20, 0, -20}, {-20, 0, 20}}},  // x = -20
    {{-1, 0, 0}, {{20, 8, 20}, {20, 8, -20}, {20, 0, -20}, {20, 0, 20}}},     // x = 20
};

constexpr GLfloat kCrosshairDistance = 3.5f;  // world units in front of the eye

// Both crosshairs are drawn unlit in pure green, in eye space straight ahead of
// the eye whatever the view transform, and leave the view transform as it was.
template <typename Figure>
void InCrosshairFrame(Figure figure) {
    glDisable(GL_LIGHTING);
    glColor3f(0.0f, 1.0f, 0.0f);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0.0f, 0.0f, -kCrosshairDistance);
    figure();
    glPopMatrix();
    glEnable(GL_LIGHTING);
}

}  // namespace

void CPlayer::DrawRoom() {
    glMaterialfv(GL_FRONT, GL_AMBIENT_AND_DIFFUSE, m_ambientDiffuse.data());
    glMaterialfv(GL_FRONT, GL_SPECULAR, m_specular.data());
    glMaterialf(GL_FRONT, GL_SHININESS, m_shininess);
    for (const Face& face : kRoomFaces) {
        glBegin(GL_POLYGON);
        glNormal3f(face.normal[0], face.normal[1], face.normal[2]);
        for (const auto& corner : face.corners) glVertex3f(corner[0], corner[1], corner[2]);
        glEnd();
    }
}

void CPlayer::DrawRingCrosshair() {
    InCrosshairFrame([] {
        constexpr float kRadius = 0.2f;
        constexpr float kArmLength = 0.3f;
        // Points every quarter radian below 2 pi: 26 of them, leaving a tiny gap
        // between the last and the first.
        glBegin(GL_LINE_STRIP);
        for (float t = 0.0f; t < 6.2831852f; t += 0.25f)
            glVertex2f(static_cast<GLfloat>(kRadius * std::cos(static_cast<double>(t))),
                       static_cast<GLfloat>(kRadius * std::sin(static_cast<double>(t))));
        glEnd();
        glBegin(GL_LINES);
        glVertex2f(-kArmLength, 0.0f);
        glVertex2f(kArmLength, 0.0f);
        glVertex2f(0.0f, kArmLength);
        glVertex2f(0.0f, -kArmLength);
        glEnd();
    });
}

void CPlayer::DrawGridCrosshair() {
    InCrosshairFrame([] {
        constexpr float kTickHalf = 0.05f;
        constexpr float kTickSpacing = 0.1f;
        glBegin(GL_LINES);
        glVertex2f(-1.0f, 0.0f);
        glVertex2f(1.0f, 0.0f);
        glVertex2f(0.0f, 1.0f);
        glVertex2f(0.0f, -1.0f);
        glEnd();
        glBegin(GL_LINES);
        // Ten tick positions, 0 to 0.9: the next step is taken only while the
        // exact sum stays below 1, so no tick lands on the end of an axis.
        for (float a = 0.0f;; a += kTickSpacing) {
            glVertex2f(-kTickHalf, a);
            glVertex2f(kTickHalf, a);
            glVertex2f(-kTickHalf, -a);
            glVertex2f(kTickHalf, -a);
            glVertex2f(a, kTickHalf);
            glVertex2f(a, -kTickHalf);
            glVertex2f(-a, kTickHalf);
            glVertex2f(-a, -kTickHalf);
            if (static_cast<double>(a) + static_cast<double>(kTickSpacing) >= 1.0) break;
        }
        glEnd();
    });
}

}  // namespace bravok
