// Both readers tell how far they are and stop when asked, over real and crafted files.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <vector>

#include "common/long_work.h"
#include "document/files/picture_file.h"
#include "tests/support/crafted_pictures.h"

namespace kreslix::testing {
namespace {

// Keeps every fraction told and asks for a stop once `stopAfter` of them came (never when
// negative).
class RecordingProgress : public WorkProgress {
public:
    explicit RecordingProgress(int stopAfter = -1) : stopAfter_(stopAfter) {}
    void report(double fraction) override { reports.push_back(fraction); }
    bool stopRequested() const override {
        return stopAfter_ >= 0 && int(reports.size()) >= stopAfter_;
    }
    std::vector<double> reports;

private:
    int stopAfter_;
};

QString testdata(const char* relative) {
    return QStringLiteral(KRESLIX_TESTDATA_DIR "/") + QLatin1String(relative);
}

TEST(ReadProgress, ReportsGrowToTheEndAndAStopEndsTheReadAtOnce) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const auto write = [&](const char* name, const QByteArray& bytes) {
        QFile file(folder.filePath(QLatin1String(name)));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return file.fileName();
    };
    const struct {
        QString path;
        int leastReports;  // how finely the read is told at least
    } cases[] = {
        {write("scans.jpg", craftedProgressiveJpeg(512, 512, 256)), 256},
        {write("runs.bmp", craftedRle8Bmp(2000, 2000)), 10},
        {testdata("jpeg/baseline--testorig.jpg"), 4},
        {testdata("jpeg/progressive--testimgp.jpg"), 4},
        {testdata("bmpsuite/g/rgb24.bmp"), 1},
        {testdata("bmpsuite/g/pal8rle.bmp"), 2},
        {testdata("bmpsuite/g/rgb16-565.bmp"), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        RecordingProgress whole;
        const Picture picture = readPictureFile(c.path, &whole);
        EXPECT_EQ(picture.image, readPictureFile(c.path).image);
        ASSERT_GE(int(whole.reports.size()), c.leastReports);
        EXPECT_GE(whole.reports.front(), 0.0);
        EXPECT_EQ(whole.reports.back(), 1.0);
        for (size_t i = 1; i < whole.reports.size(); ++i)
            ASSERT_LT(whole.reports[i - 1], whole.reports[i]) << "report " << i;

        // Asked to stop after any report, the read ends before it tells anything more.
        const int total = int(whole.reports.size());
        for (int stopAfter : {0, 1, total / 2, total - 1}) {
            RecordingProgress stopping(stopAfter);
            EXPECT_THROW(readPictureFile(c.path, &stopping), WorkStopped) << stopAfter;
            EXPECT_EQ(int(stopping.reports.size()), stopAfter);
        }
    }
}

}  // namespace
}  // namespace kreslix::testing
