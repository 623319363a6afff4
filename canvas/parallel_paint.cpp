#include "canvas/parallel_paint.h"

#include <atomic>
#include <mutex>

#include "canvas/worker_pool.h"

namespace kreslix {

namespace {

constexpr Int64 kDefaultThreshold = Int64(1) << 20;
// Parts about this big keep the hand-out cheap and still share the work evenly when a helper
// starts late.
constexpr Int64 kPartCost = Int64(1) << 19;
constexpr Int64 kMinParts = 8;
constexpr Int64 kMaxParts = 64;

std::atomic<Int64> threshold{kDefaultThreshold};

}  // namespace

Int64 parallelThreshold() {
    return threshold.load(std::memory_order_relaxed);
}

void setParallelThreshold(Int64 cost) {
    threshold.store(cost, std::memory_order_relaxed);
}

void paintInParts(SpanPainter& painter, Int64 first, Int64 last, Int64 costPerItem,
                  const std::function<void(SpanPainter&, Int64, Int64)>& paint) {
    if (first > last)
        return;
    const Int64 items = last - first + 1;
    const Int64 cost = items * costPerItem;
    WorkerPool& pool = WorkerPool::shared();
    if (cost < parallelThreshold() || pool.helperCount() == 0 || items < 2) {
        paint(painter, first, last);
        return;
    }
    const Int64 parts = std::min({items, kMaxParts, std::max(kMinParts, cost / kPartCost)});
    std::mutex mutex;
    QRect changed;
    painter.flush();
    pool.run(static_cast<int>(parts), [&](int part) {
        const Int64 from = first + items * part / parts;
        const Int64 to = first + items * (part + 1) / parts - 1;
        SpanPainter partPainter = painter.sibling();
        paint(partPainter, from, to);
        const QRect partChanged = partPainter.changedRect();
        const std::lock_guard lock(mutex);
        changed |= partChanged;
    });
    painter.noteChanged(changed);
}

}  // namespace kreslix
