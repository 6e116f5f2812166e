// Tarn engine: textures loaded in the background. Worker threads decode the
// PNG files while start-up goes on; the GL uploads stay on the GL thread,
// either when a texture is first bound (it waits for its decode, or decodes
// it there when no worker has started it) or a few at a time after each
// frame's swap. The first frame therefore waits only for what it draws.
#include "TarnGraphics.h"
#include "TarnInternal.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <png.h>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace {

constexpr size_t kMaxPathLength = 255;

enum JobState { kQueued, kDecoding, kDecoded };

struct Batch;

struct Job {
    Batch* batch = nullptr;
    std::string path;
    unsigned char* pixels = nullptr; // malloc'ed RGBA once decoded, null if damaged
    int width = 0;
    int height = 0;
    std::atomic<int> state{kQueued};
};

// One call's files: a fixed array of jobs the workers take in turn.
struct Batch {
    explicit Batch(int count) : jobs(new Job[static_cast<size_t>(count)]), count(count) {}
    std::unique_ptr<Job[]> jobs;
    int count;
    int undelivered = 0; // textures still waiting for their pixels (GL thread)
    std::atomic<int> next{0};
    std::vector<std::thread> workers;
};

struct Loader {
    std::mutex mutex;
    std::condition_variable decoded;
    std::atomic<bool> stopping{false};
    std::vector<std::unique_ptr<Batch>> batches;             // GL thread only
    std::unordered_map<const TarnGfxTexture*, Job*> pending; // GL thread only
};
Loader gLoader;

bool Claim(Job& job) {
    int expected = kQueued;
    return job.state.compare_exchange_strong(expected, kDecoding);
}

void Finish(Job& job) {
    {
        std::lock_guard<std::mutex> lock(gLoader.mutex);
        job.state = kDecoded;
    }
    gLoader.decoded.notify_all();
}

void Decode(Job& job) {
    job.pixels = TarnImageLoadPNG(job.path.c_str(), &job.width, &job.height);
    Finish(job);
}

void Work(Batch* batch) {
    while (!gLoader.stopping) {
        int index = batch->next++;
        if (index >= batch->count) {
            return;
        }
        if (Claim(batch->jobs[index])) {
            Decode(batch->jobs[index]);
        }
    }
}

// The job's pixels, decoded here if no worker has taken it yet.
void AwaitDecode(Job& job) {
    if (Claim(job)) {
        Decode(job);
        return;
    }
    std::unique_lock<std::mutex> lock(gLoader.mutex);
    gLoader.decoded.wait(lock, [&job] { return job.state == kDecoded; });
}

// Ends a texture's pending life: frees the pixels and lets its batch go once
// every texture of it has been delivered.
void Retire(const TarnGfxTexture* texture, Job& job) {
    std::free(job.pixels);
    job.pixels = nullptr;
    gLoader.pending.erase(texture);
    Batch* batch = job.batch;
    if (--batch->undelivered > 0) {
        return;
    }
    for (std::thread& worker : batch->workers) {
        worker.join(); // every job is decoded or dropped: they are leaving
    }
    auto& batches = gLoader.batches;
    batches.erase(
        std::find_if(batches.begin(), batches.end(),
                     [batch](const std::unique_ptr<Batch>& b) { return b.get() == batch; }));
}

// Width and height from the PNG header, without decoding the image.
bool ReadPngSize(const char* path, int* width, int* height) {
    if (!path || std::strlen(path) > kMaxPathLength) {
        return false;
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, path)) {
        return false;
    }
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    png_image_free(&image);
    return true;
}

} // namespace

namespace tarn {

void ResolvePendingTexture(TarnGfxTexture* texture) {
    if (gLoader.pending.empty()) {
        return; // every texture has arrived: the usual case once the game runs
    }
    auto found = gLoader.pending.find(texture);
    if (found == gLoader.pending.end()) {
        return;
    }
    Job& job = *found->second;
    AwaitDecode(job);
    if (job.pixels && FitsTheGpu(texture->name, job.width, job.height)) {
        UploadTexturePixels(texture, job.pixels, job.width, job.height);
    }
    Retire(texture, job);
}

void ForgetPendingTexture(TarnGfxTexture* texture) {
    auto found = gLoader.pending.find(texture);
    if (found == gLoader.pending.end()) {
        return;
    }
    Job& job = *found->second;
    if (Claim(job)) {
        Finish(job); // never decoded
    } else {
        AwaitDecode(job);
    }
    Retire(texture, job);
}

void UploadDecodedTextures(double seconds) {
    const double end = TarnGetTime(nullptr) + seconds;
    std::vector<TarnGfxTexture*> ready;
    for (const auto& [texture, job] : gLoader.pending) {
        if (job->state == kDecoded) {
            ready.push_back(const_cast<TarnGfxTexture*>(texture));
        }
    }
    for (TarnGfxTexture* texture : ready) {
        if (TarnGetTime(nullptr) > end) {
            return;
        }
        ResolvePendingTexture(texture);
    }
}

void StopTextureLoading() {
    gLoader.stopping = true;
    for (std::unique_ptr<Batch>& batch : gLoader.batches) {
        for (std::thread& worker : batch->workers) {
            worker.join();
        }
        for (int i = 0; i < batch->count; ++i) {
            std::free(batch->jobs[i].pixels);
        }
    }
    gLoader.batches.clear();
    gLoader.pending.clear(); // their records stay empty textures
    gLoader.stopping = false;
}

} // namespace tarn

void TarnGfxTextureLoadBatchAsync(const char* const* paths, int count, TarnGfxTexture** textures) {
    if (!paths || !textures || count <= 0) {
        return;
    }
    auto batch = std::make_unique<Batch>(count);
    for (int i = 0; i < count; ++i) {
        Job& job = batch->jobs[i];
        job.batch = batch.get();
        int width = 0;
        int height = 0;
        textures[i] = nullptr;
        if (!ReadPngSize(paths[i], &width, &height)) {
            job.state = kDecoded; // missing, not a PNG, or a path too long: no texture
            continue;
        }
        job.path = paths[i];
        textures[i] = tarn::NewTextureRecord(paths[i]);
        textures[i]->width = width;
        textures[i]->height = height;
        gLoader.pending[textures[i]] = &job;
        ++batch->undelivered;
    }
    if (batch->undelivered == 0) {
        return;
    }
    // One core stays with the GL thread, which goes on starting the game.
    unsigned int cores = std::max(2u, std::thread::hardware_concurrency());
    for (unsigned int i = 0; i < std::min(cores - 1, 7u); ++i) {
        batch->workers.emplace_back(Work, batch.get());
    }
    gLoader.batches.push_back(std::move(batch));
}
