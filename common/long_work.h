#pragma once

#include <QString>
#include <functional>

namespace kreslix {

// What a long piece of work (reading a large or crafted file, a paste from another program)
// sees of the window that waits for it. Both calls are safe from any thread.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // How far the work is, from 0 to 1.
    virtual void report(double fraction) = 0;
    // Whether the user asked to stop. A job that sees it ends early by throwing WorkStopped.
    virtual bool stopRequested() const = 0;
};

// Thrown by a job that stopped because the user asked it to; it changes nothing.
struct WorkStopped {};

// The job, run with the progress it reports to.
using LongJob = std::function<void(WorkProgress&)>;

// A progress that is never stopped and shows nothing: for work run where nobody waits on it.
class SilentProgress : public WorkProgress {
public:
    void report(double) override {}
    bool stopRequested() const override { return false; }
};

}  // namespace kreslix
