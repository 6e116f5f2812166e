#include "SampleLoader.hpp"

#include <new>
#include <system_error>

namespace moth_sound {

SampleLoad::SampleLoad(std::ifstream file, const WavInfo& info)
    : file_(std::move(file)), info_(info) {}

const std::int16_t* SampleLoad::Frames() {
    ReadUnlessTaken();
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return state_ == State::Done; });
    return read_ ? samples_.data() : nullptr;
}

void SampleLoad::Drop() {
    if (Claim()) {
        Finish(); // never read
        return;
    }
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [this] { return state_ == State::Done; });
}

void SampleLoad::ReadUnlessTaken() {
    if (Claim()) {
        Read();
    }
}

bool SampleLoad::Claim() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (state_ != State::Queued) {
        return false;
    }
    state_ = State::Reading;
    return true;
}

// Whoever claimed the load is alone with the file and the samples until Finish.
void SampleLoad::Read() {
    try {
        read_ = ReadWavFrames(file_, info_, &samples_);
    } catch (const std::bad_alloc&) {
        read_ = false; // a header claiming more than memory holds
    }
    if (!read_) {
        std::vector<std::int16_t>().swap(samples_);
    }
    Finish();
}

void SampleLoad::Finish() {
    file_.close();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        state_ = State::Done;
    }
    done_.notify_all();
}

SampleLoader::~SampleLoader() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    work_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void SampleLoader::Queue(std::shared_ptr<SampleLoad> load) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        queue_.push_back(std::move(load));
        if (!thread_.joinable()) {
            try {
                thread_ = std::thread(&SampleLoader::Run, this);
            } catch (const std::system_error&) {
                // No thread to be had: each load is read when first needed.
            }
        }
    }
    work_.notify_one();
}

void SampleLoader::Run() {
    for (;;) {
        std::shared_ptr<SampleLoad> load;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            work_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) {
                return;
            }
            load = std::move(queue_.front());
            queue_.pop_front();
        }
        load->ReadUnlessTaken();
    }
}

} // namespace moth_sound
