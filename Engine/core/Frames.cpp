#include "Frames.h"

#include "Tarn.h"

namespace {
// The run being played and the number of the next frame, which the modal
// Load dialog's frames share with the game's.
const GameRunOptions* runOptions = nullptr;
int frameNumber = 0;
} // namespace

void BeginFrameRun(const GameRunOptions* options) {
    runOptions = options;
    frameNumber = 0;
}

void PresentFrame(const std::function<void()>& body) {
    const int frame = frameNumber++;
    TarnSysFrameStart();
    if (runOptions != nullptr && runOptions->beforeInput) {
        runOptions->beforeInput(frame);
    }
    TarnInputUpdate();
    body();
    if (runOptions != nullptr && runOptions->afterDraw) {
        runOptions->afterDraw(frame);
    }
    TarnSysFrameEnd();
}

bool FrameLimitReached() {
    return runOptions != nullptr && runOptions->maxFrames >= 0 &&
           frameNumber >= runOptions->maxFrames;
}

bool RunModalFrame(const std::function<void()>& body) {
    PresentFrame(body);
    return TarnSysDoesWindowExist() && !FrameLimitReached();
}
