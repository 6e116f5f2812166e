// Moth Lantern: the camera that follows the player.
#include "Camera.h"

#include "World.h"

void Camera::Init() {
    TarnGfxGetCamPosition(&position.x, &position.y);
}

void Camera::Update() {
    if (!follow) {
        return;
    }
    // The World hands out no player once it has been deleted, so a level
    // whose player is gone keeps its view where it was.
    const StaticObject* player = gWorld->GetPlayer();
    if (player == nullptr) {
        return;
    }
    position = player->GetPos();
    TarnGfxSetCamPosition(position.x, position.y);
}
