#pragma once

#include <QtGlobal>
#include <algorithm>

#include "common/long_work.h"

namespace kreslix {

// The progress of one read, told in stages that follow one another (expanding, decoding...),
// each covering its own share of the whole. What it reports never goes back, and each step
// ends the read with WorkStopped once the user asked for a stop. Without a WorkProgress it
// does nothing.
class ReadProgress {
public:
    explicit ReadProgress(WorkProgress* progress) : progress_(progress) {}

    // The next stage takes the whole from `from` to `to` in `steps` steps.
    void beginStage(double from, double to, qint64 steps) {
        from_ = from;
        to_ = to;
        steps_ = steps;
        step(0);
    }

    // `done` steps of the current stage are behind.
    void step(qint64 done) {
        if (!progress_)
            return;
        if (progress_->stopRequested())
            throw WorkStopped();
        const double share = steps_ > 0 ? double(std::clamp<qint64>(done, 0, steps_)) / steps_ : 1;
        const double fraction = from_ + (to_ - from_) * share;
        if (fraction > reported_) {
            reported_ = fraction;
            progress_->report(fraction);
        }
    }

private:
    WorkProgress* progress_;
    double from_ = 0;
    double to_ = 0;
    qint64 steps_ = 0;
    double reported_ = -1;
};

}  // namespace kreslix
