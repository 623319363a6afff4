#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace kreslix {

// A few persistent helper threads that share the parts of one job with the calling thread.
// Parts are handed out one at a time from a counter, so a helper that is slow to wake (the
// machine may be busy) only means the caller does more parts itself: a job never waits for a
// helper that has not started on it.
class WorkerPool {
public:
    // The pool the canvas uses: one helper fewer than the processor count, at most three.
    static WorkerPool& shared();

    explicit WorkerPool(int helperCount);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    int helperCount() const { return static_cast<int>(helpers_.size()); }

    // Calls part(i) exactly once for every i in [0, partCount) and returns when all are done.
    // Jobs from several threads run one after another.
    void run(int partCount, const std::function<void(int)>& part);

private:
    void helperLoop(std::stop_token stop);
    void runParts(const std::function<void(int)>& part, int partCount);

    std::mutex jobMutex_;  // one job at a time
    std::mutex mutex_;
    std::condition_variable_any jobPosted_;
    std::condition_variable helpersLeft_;
    const std::function<void(int)>* job_ = nullptr;
    int partCount_ = 0;
    unsigned generation_ = 0;
    int activeHelpers_ = 0;
    std::atomic<int> nextPart_{0};
    std::vector<std::jthread> helpers_;
};

}  // namespace kreslix
