// Moth Lantern: the five puzzle layouts and the routine that builds them.
#include "PuzzleLayouts.h"
#include "Globals.h"

#include "LightPuzzle.h"
#include "PuzzleBlocks.h"
#include "PuzzleManager.h"
#include "Tiles.h"
#include "World.h"

namespace {

constexpr float kPi = 3.141593f;
constexpr float kHalfPi = 1.570796f;
constexpr float kThreeHalfPi = 4.712389f;

constexpr BoxRole S = BoxRole::Start;
constexpr BoxRole E = BoxRole::End;
constexpr BoxRole P = BoxRole::Plain;

// B1 to B2 and on to B3, where the light splits: both the way past B4 and B5
// and the way up through B8 must reach B6 before B6 lights B7.
const PuzzleLayout kPuzzle1{
    {{-150, -250, S},
     {150, -250, P},
     {150, -100, P},
     {-50, -100, P},
     {-200, 50, P},
     {250, 200, P},
     {-150, 200, E},
     {150, 50, P}},
    {{0, 1, 2, 0, false, -1},
     {0, 2, 3, kHalfPi, false, 6},
     {0, 3, 4, kPi, false, -1},
     {0, 4, 5, 2.356194f, false, -1},
     {0, 5, 6, 0.3141592f, true, -1},
     {1, 6, 7, kPi, false, -1},
     {0, 3, 8, kHalfPi, false, -1},
     {0, 8, 6, 0.9581857f, true, -1}},
    {},
    {},
    {{150, -175}, {50, -100}, {-150, 0}, {-50, 200}},
};

// Three segments; the way from B6 down to B7 runs through a danger block that
// only a chain of direction blocks can lead the light around.
const PuzzleLayout kPuzzle2{
    {{0, -250, S},
     {0, -100, P},
     {250, 0, P},
     {0, 100, P},
     {200, 250, P},
     {-200, 250, P},
     {-200, -200, P},
     {0, 0, E},
     {250, -200, P},
     {-50, 50, P}},
    {{0, 1, 2, kHalfPi, false, 7},
     {0, 2, 3, 0.3926991f, false, -1},
     {1, 3, 4, 2.748893f, false, -1},
     {1, 4, 5, 0.6283185f, false, -1},
     {1, 5, 6, kPi, false, 9},
     {1, 6, 7, kThreeHalfPi, true, -1},
     {2, 7, 8, 0.7853981f, false, -1},
     {0, 2, 9, -0.39f, false, -1},
     {0, 9, 3, kHalfPi, false, -1},
     {1, 6, 10, -0.92f, false, -1},
     {1, 10, 7, 4.178318f, true, -1}},
    {{-200, -100}},
    {{200, -230, 0.0f, 7}, {125, -230, -kHalfPi, 7}, {50, -230, kPi, 7}},
    {{100, -60}, {100, 60}, {100, 170}, {100, 250}, {-200, 50}, {100, -130}},
};

const PuzzleLayout kPuzzle3{
    {{-275, 0, S},
     {-50, 290, P},
     {100, 290, P},
     {50, 0, P},
     {-275, 250, P},
     {275, 100, P},
     {50, -100, P},
     {50, -250, E},
     {-150, -170, P},
     {150, -170, P},
     {150, 210, P}},
    {{0, 1, 2, 0.9267697f, false, 7},
     {0, 2, 3, 0, false, -1},
     {0, 3, 4, 4.53f, false, -1},
     {0, 4, 5, 2.481858f, true, -1},
     {1, 5, 6, 6.02f, false, -1},
     {1, 6, 7, 3.86f, false, -1},
     {1, 7, 8, kThreeHalfPi, false, -1},
     {0, 1, 9, -0.92f, false, -1},
     {0, 9, 10, 0, false, -1},
     {0, 10, 11, kHalfPi, false, -1},
     {0, 11, 5, 3.047345f, true, -1}},
    {{150, 65}},
    {{150, -220, 0.0f, 11}, {200, -220, kHalfPi, 11}, {250, -220, kPi, 11}},
    {{-100, 100}, {-50, 190}, {150, -20}},
};

const PuzzleLayout kPuzzle4{
    {{50, -250, S},
     {50, 250, P},
     {275, -50, P},
     {-275, 170, P},
     {275, 170, P},
     {-230, -50, P},
     {-50, -250, E},
     {-50, 250, P}},
    {{0, 1, 2, kHalfPi, false, -1},
     {0, 2, 3, -0.93f, false, -1},
     {0, 3, 4, 2.764601f, false, 6},
     {0, 4, 5, 0, false, -1},
     {0, 5, 6, 3.55f, true, -1},
     {1, 6, 7, -0.85f, false, -1},
     {0, 4, 8, 0.3455752f, false, -1},
     {0, 8, 6, -2.120575f, true, -1}},
    {{-50, 100}, {180, 170}},
    {{-50, -150, kPi, 4},
     {-150, -150, kHalfPi, 4},
     {100, -150, kHalfPi, 5},
     {300, -150, 0.0f, 5},
     {200, -150, -kHalfPi, 5}},
    {{200, 70}, {80, 30}, {-50, 170}, {-50, 30}},
};

// The largest: a long loop round the room and a second one through B12 to
// B16, each with a danger block that direction blocks must lead around.
const PuzzleLayout kPuzzle5{
    {{100, 0, S},
     {-100, 0, P},
     {-100, 150, P},
     {260, 150, P},
     {260, -150, P},
     {-320, -150, P},
     {-320, 300, P},
     {330, 300, P},
     {330, -270, P},
     {0, -270, P},
     {0, 90, E},
     {-100, -85, P},
     {150, -85, P},
     {150, 220, P},
     {-200, 220, P},
     {-200, -270, P}},
    {{0, 1, 2, kPi, false, 10},
     {0, 2, 3, kHalfPi, false, -1},
     {0, 3, 4, 0, false, -1},
     {0, 4, 5, kThreeHalfPi, false, -1},
     {0, 5, 6, kPi, false, -1},
     {0, 6, 7, kHalfPi, false, -1},
     {0, 7, 8, 0, false, -1},
     {0, 8, 9, kThreeHalfPi, false, -1},
     {0, 9, 10, kPi, true, -1},
     {1, 10, 11, kHalfPi, false, -1},
     {0, 2, 12, -kHalfPi, false, -1},
     {0, 12, 13, 0, false, -1},
     {0, 13, 14, kHalfPi, false, -1},
     {0, 14, 15, kPi, false, -1},
     {0, 15, 16, -kHalfPi, false, -1},
     {0, 16, 10, 0, true, -1}},
    {{260, -30}, {-210, -100}},
    {{200, -220, 0.0f, 5},
     {125, -220, -kHalfPi, 5},
     {50, -220, kPi, 5},
     {-150, -220, 0.0f, 16},
     {0, -220, -kHalfPi, 16},
     {-100, -220, kPi, 16},
     {-50, -220, -kHalfPi, 16}},
    {{0, 0}, {260, 30}, {-210, 0}, {0, -150}, {50, 220}},
};

std::vector<PuzzleBox*> BuildBoxes(const std::vector<BoxEntry>& entries) {
    std::vector<PuzzleBox*> boxes;
    for (const BoxEntry& entry : entries) {
        const char* picture = entry.role == BoxRole::Start ? "box_start.png"
                              : entry.role == BoxRole::End ? "box_end_notlighted.png"
                                                           : "box_notlighted.png";
        auto* box = new PuzzleBox(entry.x, entry.y, TextureNamed(picture));
        box->boxStart = box->boxLit = entry.role == BoxRole::Start;
        box->boxEnd = entry.role == BoxRole::End;
        boxes.push_back(box);
    }
    return boxes;
}

// A box number outside the table gives null, which leaves a beam unlinked.
PuzzleBox* BoxNumber(const std::vector<PuzzleBox*>& boxes, int number) {
    const bool known = number >= 1 && static_cast<std::size_t>(number) <= boxes.size();
    return known ? boxes[static_cast<std::size_t>(number) - 1] : nullptr;
}

void BuildBeams(const std::vector<BeamEntry>& entries, const std::vector<PuzzleBox*>& boxes) {
    std::vector<LightPuzzle*> beams;
    for (const BeamEntry& entry : entries) {
        auto* beam = new LightPuzzle(nullptr, nullptr);
        PuzzleBox* from = BoxNumber(boxes, entry.from);
        PuzzleBox* to = BoxNumber(boxes, entry.to);
        if (from != nullptr && to != nullptr) {
            beam->Link(from, to, entry.gate);
        }
        beam->SetScale(10.0f, 10.0f);
        beam->SetRotation(entry.rotation);
        beam->SetBlendColor(1.0f, 1.0f, 1.0f, 1.0f);
        beam->SetTintColor(1.0f, 1.0f, 1.0f, 1.0f);
        gWorld->Add(Layer::Lights, beam);
        gPuzzleManager->PushBeam(static_cast<std::size_t>(entry.segment), beam);
        beams.push_back(beam);
    }
    // A second beam is listed after the beam that names it, so link them last.
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int next = entries[i].next;
        if (next >= 0 && static_cast<std::size_t>(next) < beams.size()) {
            beams[i]->nextBeam = beams[static_cast<std::size_t>(next)];
        }
    }
    if (!beams.empty()) {
        beams.front()->active = true;
    }
}

} // namespace

const PuzzleLayout* PuzzleLayoutFor(int puzzle) {
    static const PuzzleLayout* const kLayouts[] = {&kPuzzle1, &kPuzzle2, &kPuzzle3, &kPuzzle4,
                                                   &kPuzzle5};
    return puzzle >= 1 && puzzle <= 5 ? kLayouts[puzzle - 1] : nullptr;
}

void BuildPuzzle(const PuzzleLayout& layout) {
    const std::vector<PuzzleBox*> boxes = BuildBoxes(layout.boxes);
    BuildBeams(layout.beams, boxes);
    for (const BlockEntry& entry : layout.dangers) {
        auto* danger = new RestartWall(Layer::Items, entry.x, entry.y,
                                       TextureNamed("dangerblock.png"), true, true);
        danger->SetTintColor(1.0f, 0.0f, 0.0f, 1.0f);
    }
    for (const BlockEntry& entry : layout.directions) {
        new DirectionBlock(entry.x, entry.y, entry.angle, BoxNumber(boxes, entry.targetBox));
    }
    for (const BlockEntry& entry : layout.movables) {
        new MovableBlock(entry.x, entry.y, TextureNamed("moveblock1.png"));
    }
    gPuzzleManager->SetMemoryPosition(kMemoryX, kMemoryY);
}
