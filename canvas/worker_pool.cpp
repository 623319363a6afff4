#include "canvas/worker_pool.h"

#include <algorithm>

namespace kreslix {

WorkerPool& WorkerPool::shared() {
    static WorkerPool pool(
        std::clamp(static_cast<int>(std::thread::hardware_concurrency()) - 1, 0, 3));
    return pool;
}

WorkerPool::WorkerPool(int helperCount) {
    for (int i = 0; i < helperCount; ++i)
        helpers_.emplace_back([this](std::stop_token stop) { helperLoop(stop); });
}

WorkerPool::~WorkerPool() {
    for (std::jthread& helper : helpers_)
        helper.request_stop();
    helpers_.clear();  // joins
}

void WorkerPool::run(int partCount, const std::function<void(int)>& part) {
    if (partCount <= 0)
        return;
    const std::lock_guard oneJob(jobMutex_);
    if (partCount == 1 || helpers_.empty()) {
        for (int i = 0; i < partCount; ++i)
            part(i);
        return;
    }
    {
        const std::lock_guard lock(mutex_);
        job_ = &part;
        partCount_ = partCount;
        nextPart_.store(0, std::memory_order_relaxed);
        ++generation_;
    }
    jobPosted_.notify_all();
    runParts(part, partCount);
    // Helpers that have not joined by now never see this job; those that have are waited for.
    std::unique_lock lock(mutex_);
    job_ = nullptr;
    helpersLeft_.wait(lock, [this] { return activeHelpers_ == 0; });
}

void WorkerPool::runParts(const std::function<void(int)>& part, int partCount) {
    for (int i = nextPart_.fetch_add(1); i < partCount; i = nextPart_.fetch_add(1))
        part(i);
}

void WorkerPool::helperLoop(std::stop_token stop) {
    unsigned seen = 0;
    std::unique_lock lock(mutex_);
    while (jobPosted_.wait(lock, stop, [&] { return job_ != nullptr && generation_ != seen; })) {
        seen = generation_;
        const std::function<void(int)>& part = *job_;
        const int partCount = partCount_;
        ++activeHelpers_;
        lock.unlock();
        runParts(part, partCount);
        lock.lock();
        if (--activeHelpers_ == 0)
            helpersLeft_.notify_all();
    }
}

}  // namespace kreslix
