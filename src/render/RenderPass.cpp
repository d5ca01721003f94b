#include "render/RenderPass.h"

#include <GL/gl.h>

#include "scene/MovingModel.h"
#include "scene/Player.h"

namespace bravok {

void RenderScene(const SceneLight& light, CPlayer& player, CMovingModel& model) {
    // All state is set anew each frame.
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_AMBIENT, light.ambient.data());
    glLightfv(GL_LIGHT0, GL_DIFFUSE, light.diffuse.data());
    glLightfv(GL_LIGHT0, GL_SPECULAR, light.specular.data());
    glLightfv(GL_LIGHT0, GL_POSITION, light.position.data());
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    player.Draw();
    model.Draw();
    glFlush();
}

}  // namespace bravok
