#pragma once

#include <cstdlib>

#include "common/long_work.h"

// The progress path of the readers under the fuzzer: whatever the bytes, the fractions told
// grow within 0 .. 1, and a stop asked for after any report ends the read with WorkStopped
// before the next one.
namespace kreslix::fuzzing {

class CheckedProgress : public WorkProgress {
public:
    explicit CheckedProgress(int stopAfter = -1) : stopAfter_(stopAfter) {}

    void report(double fraction) override {
        if (!(fraction >= 0 && fraction <= 1 && fraction > last_) ||
            (stopAfter_ >= 0 && reports_ >= stopAfter_)) {
            std::abort();
        }
        last_ = fraction;
        ++reports_;
    }
    bool stopRequested() const override { return stopAfter_ >= 0 && reports_ >= stopAfter_; }
    int reports() const { return reports_; }

private:
    int stopAfter_;
    int reports_ = 0;
    double last_ = -1;
};

// Runs `read` once to its end with a checked progress, and once more asked to stop halfway
// through its reports, which it must do.
template <typename Read>
void readWithProgress(Read read) {
    CheckedProgress whole;
    read(whole);
    if (whole.reports() < 2)
        return;
    CheckedProgress stopping(whole.reports() / 2);
    try {
        read(stopping);
    } catch (const WorkStopped&) {
        return;
    } catch (...) {
    }
    std::abort();
}

}  // namespace kreslix::fuzzing
