#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <limits>
#include <thread>

#include "canvas/parallel_paint.h"
#include "canvas/worker_pool.h"
#include "canvas_support.h"

namespace kreslix::test {
namespace {

// Sets the work split over the pool for one test and puts the old value back afterwards.
class ThresholdScope {
public:
    explicit ThresholdScope(Int64 cost) : saved_(parallelThreshold()) {
        setParallelThreshold(cost);
    }
    ~ThresholdScope() { setParallelThreshold(saved_); }

private:
    Int64 saved_;
};

constexpr Int64 kNeverSplit = std::numeric_limits<Int64>::max();
constexpr Int64 kAlwaysSplit = 0;

struct FigureCase {
    const char* name;
    std::function<void(Canvas&)> draw;
};

// Figures inside the picture, across its edges and larger than it, on a 300 x 200 picture.
const std::vector<FigureCase> kFigures = {
    {"steep line", [](Canvas& c) { c.MoveTo(20, -15), c.LineTo(70, 230); }},
    {"flat line", [](Canvas& c) { c.MoveTo(-40, 150), c.LineTo(340, 90); }},
    {"diagonal line", [](Canvas& c) { c.MoveTo(299, 199), c.LineTo(0, 0); }},
    {"rectangle", [](Canvas& c) { c.Rectangle(280, 190, 15, 8); }},
    {"huge rectangle", [](Canvas& c) { c.Rectangle(-500, -400, 900, 700); }},
    {"ellipse", [](Canvas& c) { c.Ellipse(-30, 10, 250, 215); }},
    {"rounded box", [](Canvas& c) { c.RoundRect(10, 5, 290, 190, 120, 70); }},
};

struct Drawn {
    QImage image;
    std::vector<QRect> changes;
};

Drawn drawOnPattern(const FigureCase& figure, int penWidth, PenMode mode, BrushStyle brush,
                    Int64 threshold) {
    const ThresholdScope scope(threshold);
    Picture p(300, 200);
    fillWithPattern(p.image);
    p.canvas.pen().setWidth(penWidth);
    p.canvas.pen().setMode(mode);
    p.canvas.pen().setColour(kRed);
    p.canvas.brush().setColour(kBlue);
    p.canvas.brush().setStyle(brush);
    figure.draw(p.canvas);
    return {p.image, p.changes};
}

TEST(ParallelPaint, PartsOnThePoolGiveTheSamePixelsAndChangeAsOneThread) {
    for (const FigureCase& figure : kFigures) {
        for (const int penWidth : {1, 2, 7, 20}) {
            for (const PenMode mode : {pmCopy, pmNotXor}) {
                for (const BrushStyle brush : {bsSolid, bsClear}) {
                    SCOPED_TRACE(testing::Message() << figure.name << ", pen " << penWidth
                                                    << ", mode " << mode << ", brush " << brush);
                    const Drawn alone = drawOnPattern(figure, penWidth, mode, brush, kNeverSplit);
                    const Drawn parts = drawOnPattern(figure, penWidth, mode, brush, kAlwaysSplit);
                    EXPECT_TRUE(differences(alone.image, parts.image).empty());
                    EXPECT_EQ(alone.changes, parts.changes);
                    EXPECT_LE(parts.changes.size(), 1u);
                }
            }
        }
    }
}

TEST(ParallelPaint, NotXorFigureDrawnTwiceInPartsRestoresThePicture) {
    const ThresholdScope scope(kAlwaysSplit);
    for (const FigureCase& figure : kFigures) {
        for (const int penWidth : {1, 4, 20}) {
            SCOPED_TRACE(testing::Message() << figure.name << ", pen " << penWidth);
            Picture p(300, 200);
            fillWithPattern(p.image);
            const QImage before = p.image.copy();
            p.canvas.pen().setWidth(penWidth);
            p.canvas.pen().setMode(pmNotXor);
            p.canvas.pen().setColour(kGreen);
            p.canvas.brush().setColour(kRed);
            figure.draw(p.canvas);
            EXPECT_FALSE(differences(before, p.image).empty());
            figure.draw(p.canvas);
            EXPECT_TRUE(differences(before, p.image).empty());
        }
    }
}

// Counts how often each part ran.
std::vector<int> runCounts(WorkerPool& pool, int partCount) {
    std::vector<std::atomic<int>> counts(static_cast<std::size_t>(std::max(partCount, 0)));
    pool.run(partCount, [&](int part) { counts[static_cast<std::size_t>(part)].fetch_add(1); });
    std::vector<int> result;
    for (const std::atomic<int>& c : counts)
        result.push_back(c.load());
    return result;
}

TEST(WorkerPool, RunsEveryPartExactlyOnce) {
    for (const int helpers : {0, 1, 3}) {
        WorkerPool pool(helpers);
        EXPECT_EQ(pool.helperCount(), helpers);
        for (const int parts : {0, 1, 2, 7, 64, 1000}) {
            SCOPED_TRACE(testing::Message() << helpers << " helpers, " << parts << " parts");
            EXPECT_EQ(runCounts(pool, parts), std::vector<int>(std::size_t(parts), 1));
        }
    }
}

TEST(WorkerPool, JobsFromSeveralThreadsEachRunWhole) {
    WorkerPool pool(2);
    std::atomic<int> wrong{0};
    const auto client = [&] {
        for (int job = 0; job < 200; ++job) {
            if (runCounts(pool, 1 + job % 17) != std::vector<int>(std::size_t(1 + job % 17), 1))
                wrong.fetch_add(1);
        }
    };
    std::thread other(client);
    client();
    other.join();
    EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
}  // namespace kreslix::test
