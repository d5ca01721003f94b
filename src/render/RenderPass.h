#pragma once

#include <array>

namespace bravok {

class CPlayer;
class CMovingModel;

// Light 0 of the scene, colours and a position in eye space.
struct SceneLight {
    std::array<float, 4> ambient{};
    std::array<float, 4> diffuse{};
    std::array<float, 4> specular{};
    std::array<float, 4> position{};
};

// The scene's one light: grey, with white highlights, one unit left of and
// above the eye; w = 1 makes it a positional light.
inline constexpr SceneLight kSceneLight{.ambient = {0.5f, 0.5f, 0.5f, 1.0f},
                                        .diffuse = {0.7f, 0.7f, 0.7f, 1.0f},
                                        .specular = {1.0f, 1.0f, 1.0f, 1.0f},
                                        .position = {-1.0f, 1.0f, 0.0f, 1.0f}};

// Draws one frame with the context current: clears, sets the light while the
// model-view matrix is the identity (so it moves with the viewer), then the
// player, which leaves its view transform in place, then the model under it.
void RenderScene(const SceneLight& light, CPlayer& player, CMovingModel& model);

}  // namespace bravok
