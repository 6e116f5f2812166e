// Moth Lantern: the player animator's hold on the current player.
#include "PlayerAnimator.h"

PlayerAnimator* gPlayerAnimator = nullptr;

void PlayerAnimator::Forget(const GameObject* object) {
    if (object == nullptr) {
        return;
    }
    if (player != nullptr && static_cast<const GameObject*>(player) == object) {
        player = nullptr;
    }
    if (startSign != nullptr && static_cast<const GameObject*>(startSign) == object) {
        startSign = nullptr;
    }
}
