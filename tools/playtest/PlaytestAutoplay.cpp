#include "PlaytestAutoplay.h"

#include "AIManager.h"
#include "CollisionManager.h"
#include "GameStateManager.h"
#include "Globals.h"
#include "LevelData.h"
#include "PuzzleWalks.h"
#include "TarnGraphics.h"
#include "Tilemap.h"
#include "Tiles.h"
#include "World.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <queue>

namespace {

// Half of the player's per-frame step at 200 units a second: lining up within
// it never overshoots into an endless back-and-forth.
constexpr float kAlignTolerance = 3.4f;
constexpr int kClickEvery = 40; // frames between clicks on a screen that waits for one
// Extra route cost of a spider's cell (less for cells further away, up to
// kDangerReach cells in each direction).
constexpr int kDangerCost = 40;
constexpr int kDangerReach = 2;
constexpr float kAimReach = 200.0f; // how far ahead of the player the lantern aims

GridCell CellOf(const TarnVec2& position) {
    return GridCell{static_cast<int>(std::floor(position.x / gTileSize + gGridWidth / 2.0f)),
                    static_cast<int>(std::floor(position.y / gTileSize + gGridHeight / 2.0f))};
}

TarnVec2 CentreOf(const GridCell& cell) {
    return TarnVec2{(cell.column + 0.5f - gGridWidth / 2.0f) * gTileSize,
                    (cell.row + 0.5f - gGridHeight / 2.0f) * gTileSize};
}

bool Walkable(const GridCell& cell) {
    return gLevelData != nullptr &&
           gLevelData->CollisionAt(cell.column, cell.row, kCellOutside) == 0;
}

std::vector<GridCell> CellsWithTile(int code) {
    std::vector<GridCell> cells;
    if (gLevelData == nullptr) {
        return cells;
    }
    for (int column = 0; column < gLevelData->Columns(); ++column) {
        for (int row = 0; row < gLevelData->Rows(); ++row) {
            if (gLevelData->TileAt(column, row, -1) == code) {
                cells.push_back(GridCell{column, row});
            }
        }
    }
    return cells;
}

std::vector<GridCell> SpiderCells() {
    std::vector<GridCell> cells;
    if (gAIManager != nullptr) {
        for (const ActiveObject* spider : gAIManager->spiders) {
            cells.push_back(CellOf(spider->GetPos()));
        }
    }
    return cells;
}

std::vector<GridCell> KeyCells() {
    std::vector<GridCell> cells;
    for (GameObject* object : gWorld->GetLayer(1)) {
        auto* key = dynamic_cast<Key*>(object);
        if (key != nullptr && !gWorld->IsMarkedForRemoval(key)) {
            cells.push_back(CellOf(key->GetPos()));
        }
    }
    return cells;
}

// The menu room's door that starts a new game while one is saved: the
// autoplayer walks round it to the room's own door, which continues.
std::vector<GridCell> NewGameDoorCells() {
    std::vector<GridCell> cells;
    for (GameObject* object : gWorld->GetLayer(1)) {
        auto* door = dynamic_cast<TrapDoor*>(object);
        if (door != nullptr && door->newGame) {
            cells.push_back(CellOf(door->GetPos()));
        }
    }
    return cells;
}

SDL_Keycode KeyCode(char key) {
    return key == kWait ? 0 : static_cast<SDL_Keycode>(key);
}

SDL_Keycode KeyTowards(float delta, SDL_Keycode negative, SDL_Keycode positive) {
    return delta < 0.0f ? negative : positive;
}

// The key that moves the player from `position` along the route's next step:
// first line up with the current cell's centre across the step, then go.
SDL_Keycode StepKey(const TarnVec2& position, const std::vector<GridCell>& route) {
    TarnVec2 here = CentreOf(route[0]);
    if (route.size() == 1) {
        float dx = here.x - position.x, dy = here.y - position.y;
        if (std::fabs(dx) <= kAlignTolerance && std::fabs(dy) <= kAlignTolerance) {
            return 0;
        }
        return std::fabs(dx) > std::fabs(dy) ? KeyTowards(dx, SDLK_a, SDLK_d)
                                             : KeyTowards(dy, SDLK_s, SDLK_w);
    }
    TarnVec2 next = CentreOf(route[1]);
    bool horizontal = route[1].row == route[0].row;
    if (horizontal) {
        float across = here.y - position.y;
        return std::fabs(across) > kAlignTolerance
                   ? KeyTowards(across, SDLK_s, SDLK_w)
                   : KeyTowards(next.x - position.x, SDLK_a, SDLK_d);
    }
    float across = here.x - position.x;
    return std::fabs(across) > kAlignTolerance ? KeyTowards(across, SDLK_a, SDLK_d)
                                               : KeyTowards(next.y - position.y, SDLK_s, SDLK_w);
}

} // namespace

std::vector<GridCell> FindGridRoute(const GridCell& from, const std::vector<GridCell>& goals,
                                    const std::vector<GridCell>& dangers) {
    if (gLevelData == nullptr || goals.empty() || !Walkable(from)) {
        return {};
    }
    int columns = gLevelData->Columns(), rows = gLevelData->Rows();
    auto index = [rows](const GridCell& c) { return c.column * rows + c.row; };
    // A cell near a spider costs more, so routes go round spiders when they can.
    std::vector<int> cost(static_cast<size_t>(columns * rows), 1);
    for (const GridCell& danger : dangers) {
        for (int dc = -kDangerReach; dc <= kDangerReach; ++dc) {
            for (int dr = -kDangerReach; dr <= kDangerReach; ++dr) {
                GridCell near{danger.column + dc, danger.row + dr};
                if (Walkable(near)) {
                    cost[index(near)] += kDangerCost / (1 + std::abs(dc) + std::abs(dr));
                }
            }
        }
    }
    std::vector<int> parent(cost.size(), -2), distance(cost.size(), INT_MAX);
    using Entry = std::pair<int, int>; // distance, cell index
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> frontier;
    distance[index(from)] = 0;
    parent[index(from)] = -1;
    frontier.push({0, index(from)});
    static const int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!frontier.empty()) {
        auto [dist, at] = frontier.top();
        frontier.pop();
        GridCell cell{at / rows, at % rows};
        if (dist > distance[at]) {
            continue;
        }
        if (std::find(goals.begin(), goals.end(), cell) != goals.end()) {
            std::vector<GridCell> route;
            for (int step = at; step >= 0; step = parent[step]) {
                route.insert(route.begin(), GridCell{step / rows, step % rows});
            }
            return route;
        }
        for (const auto& step : kSteps) {
            GridCell next{cell.column + step[0], cell.row + step[1]};
            if (Walkable(next) && dist + cost[index(next)] < distance[index(next)]) {
                distance[index(next)] = dist + cost[index(next)];
                parent[index(next)] = at;
                frontier.push({distance[index(next)], index(next)});
            }
        }
    }
    return {};
}

std::vector<SDL_Event> PlaytestAutoplay::EventsFor(int /*frame*/) {
    events.clear();
    if (buttonDown) {
        SDL_Event up{};
        up.type = SDL_MOUSEBUTTONUP;
        up.button.button = SDL_BUTTON_LEFT;
        events.push_back(up);
        buttonDown = false;
    }
    int current = gGameStateManager->current;
    framesInState = current == state ? framesInState + 1 : 0;
    state = current;
    if (gGameMode == 0 && current >= GameState::Level1 && current <= GameState::Level5) {
        std::vector<GridCell> keys = gHasKey ? std::vector<GridCell>{} : KeyCells();
        WalkTo(keys.empty() ? CellsWithTile(kTileTrapDoor) : keys);
    } else if (current == GameState::Menu || current == GameState::Custom) {
        WalkTo(CellsWithTile(kTileTrapDoor), NewGameDoorCells());
    } else if (current >= GameState::Puzzle1 && current <= GameState::Puzzle5) {
        PlayPuzzle(current - GameState::Puzzle1 + 1);
    } else if (current == GameState::Logo) {
        Hold(0);
        if (framesInState == 30) {
            Hold(SDLK_SPACE);
        }
    } else {
        Hold(0);
        ClickWhenReady(kClickEvery);
    }
    return events;
}

// Clicks the instructions away, then replays the puzzle's recorded walk,
// which solves it and ends on the memory.
void PlaytestAutoplay::PlayPuzzle(int number) {
    if (framesInState == kInstructionClickFrame) {
        Click();
    }
    Hold(KeyCode(WalkKeyAt(PuzzleWalk(number), framesInState)));
}

void PlaytestAutoplay::WalkTo(const std::vector<GridCell>& goals,
                              const std::vector<GridCell>& avoid) {
    const ActiveObject* player = gWorld->GetPlayer();
    if (player == nullptr) {
        Hold(0);
        return;
    }
    std::vector<GridCell> dangers = SpiderCells();
    dangers.insert(dangers.end(), avoid.begin(), avoid.end());
    std::vector<GridCell> route = FindGridRoute(CellOf(player->GetPos()), goals, dangers);
    SDL_Keycode key = route.empty() ? 0 : StepKey(player->GetPos(), route);
    if (key != held && key != 0) {
        AimAhead(player->GetPos(), key);
    }
    Hold(key);
}

// Points the mouse, and with it the lantern, a little ahead of the player in
// the direction it is about to walk.
void PlaytestAutoplay::AimAhead(const TarnVec2& position, SDL_Keycode key) {
    float cameraX = 0.0f, cameraY = 0.0f;
    TarnGfxGetCamPosition(&cameraX, &cameraY);
    float x = position.x - cameraX + gHalfWindowWidth;
    float y = gHalfWindowHeight - (position.y - cameraY);
    x += key == SDLK_a ? -kAimReach : key == SDLK_d ? kAimReach : 0.0f;
    y += key == SDLK_w ? -kAimReach : key == SDLK_s ? kAimReach : 0.0f;
    SDL_Event motion{};
    motion.type = SDL_MOUSEMOTION;
    motion.motion.x = static_cast<Sint32>(x);
    motion.motion.y = static_cast<Sint32>(y);
    events.push_back(motion);
}

void PlaytestAutoplay::ClickWhenReady(int readyAfterFrames) {
    if (framesInState > 0 && framesInState % readyAfterFrames == 0) {
        Click();
    }
}

void PlaytestAutoplay::Hold(SDL_Keycode key) {
    if (key == held) {
        return;
    }
    SDL_Event event{};
    if (held != 0) {
        event.type = SDL_KEYUP;
        event.key.state = SDL_RELEASED;
        event.key.keysym.sym = held;
        events.push_back(event);
    }
    if (key != 0) {
        event.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.keysym.sym = key;
        events.push_back(event);
    }
    held = key;
}

void PlaytestAutoplay::Click() {
    SDL_Event down{};
    down.type = SDL_MOUSEBUTTONDOWN;
    down.button.button = SDL_BUTTON_LEFT;
    events.push_back(down);
    buttonDown = true;
}
