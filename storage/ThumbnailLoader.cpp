#include "storage/ThumbnailLoader.h"

#include <algorithm>
#include <condition_variable>
#include <list>
#include <mutex>
#include <unordered_map>

#include "storage/ThumbnailDecode.h"

namespace lumetra {

int defaultThumbnailWorkers() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

struct ThumbnailLoader::State {
    PostToMain post;
    int maxSide = kThumbnailMaxSide;
    size_t maxPending = 0;

    mutable std::mutex mutex;
    std::condition_variable wake;
    bool stopping = false;
    std::list<std::string> queue;  // newest first
    std::unordered_map<std::string, std::list<std::string>::iterator> queued;
    // Paths taken by a worker whose result has not been delivered, each with the
    // ticket of that decode; a result is delivered only while its ticket stands.
    std::unordered_map<std::string, uint64_t> inFlight;
    uint64_t nextTicket = 1;

    // Main thread only.
    bool alive = true;
    Delivery deliver;
};

ThumbnailLoader::ThumbnailLoader(PostToMain post, Delivery deliver, Options options)
    : state_(std::make_shared<State>()) {
    state_->post = std::move(post);
    state_->deliver = std::move(deliver);
    state_->maxSide = options.maxSide;
    state_->maxPending = options.maxPending > 0 ? options.maxPending : 1;
    const int count = options.workers > 0 ? options.workers : 1;
    for (int i = 0; i < count; ++i) workers_.emplace_back([state = state_] { work(state); });
}

ThumbnailLoader::~ThumbnailLoader() {
    {
        std::lock_guard lock(state_->mutex);
        state_->stopping = true;
        state_->queue.clear();
        state_->queued.clear();
        state_->inFlight.clear();
    }
    state_->wake.notify_all();
    for (auto& worker : workers_) worker.join();
    // Tasks already posted still hold the state; they find it dead.
    state_->alive = false;
    state_->deliver = nullptr;
}

void ThumbnailLoader::request(const std::string& path) {
    {
        std::lock_guard lock(state_->mutex);
        if (state_->inFlight.count(path)) return;
        if (const auto it = state_->queued.find(path); it != state_->queued.end()) {
            state_->queue.splice(state_->queue.begin(), state_->queue, it->second);
            return;
        }
        state_->queue.push_front(path);
        state_->queued.emplace(path, state_->queue.begin());
        if (state_->queue.size() > state_->maxPending) {
            state_->queued.erase(state_->queue.back());
            state_->queue.pop_back();
        }
    }
    state_->wake.notify_one();
}

void ThumbnailLoader::cancel(const std::string& path) {
    std::lock_guard lock(state_->mutex);
    if (const auto it = state_->queued.find(path); it != state_->queued.end()) {
        state_->queue.erase(it->second);
        state_->queued.erase(it);
    }
    state_->inFlight.erase(path);
}

void ThumbnailLoader::cancelAll() {
    std::lock_guard lock(state_->mutex);
    state_->queue.clear();
    state_->queued.clear();
    state_->inFlight.clear();
}

size_t ThumbnailLoader::queuedCount() const {
    std::lock_guard lock(state_->mutex);
    return state_->queue.size();
}

void ThumbnailLoader::work(const std::shared_ptr<State>& state) {
    while (true) {
        std::string path;
        uint64_t ticket = 0;
        {
            std::unique_lock lock(state->mutex);
            state->wake.wait(lock, [&] { return state->stopping || !state->queue.empty(); });
            if (state->stopping) return;
            path = std::move(state->queue.front());
            state->queue.pop_front();
            state->queued.erase(path);
            ticket = state->nextTicket++;
            state->inFlight[path] = ticket;
        }

        std::optional<Frame> thumbnail = decodeThumbnail(path, state->maxSide);

        {
            std::lock_guard lock(state->mutex);
            const auto it = state->inFlight.find(path);
            if (state->stopping || it == state->inFlight.end() || it->second != ticket) continue;
        }
        state->post(
            [state, path = std::move(path), ticket, thumbnail = std::move(thumbnail)]() mutable {
                {
                    std::lock_guard lock(state->mutex);
                    const auto it = state->inFlight.find(path);
                    if (it == state->inFlight.end() || it->second != ticket) return;
                    state->inFlight.erase(it);
                }
                if (state->alive && state->deliver) state->deliver(path, std::move(thumbnail));
            });
    }
}

}  // namespace lumetra
