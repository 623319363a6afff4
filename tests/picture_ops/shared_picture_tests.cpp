// After Copy the clipboard shares the picture's pixels, so the next change needs a copy of its
// own. Here the memory for that copy really can't be had: the process's address space is
// limited to what it uses already. Every command that changes the picture then fails with a
// message and leaves the picture as it was, and a later save writes that picture whole.
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "canvas/picture_memory.h"
#include "document/files/bmp_reader.h"
#include "picture_ops/clipboard_offer.h"
#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

constexpr int kSide = 4096;  // 64 MB of pixels

// Lets the process map only `spare` bytes more than it has mapped now, until destroyed.
class AddressSpaceLimit {
public:
    explicit AddressSpaceLimit(qint64 spare) {
        QFile statm(QStringLiteral("/proc/self/statm"));
        const bool known = statm.open(QIODevice::ReadOnly) && ::getrlimit(RLIMIT_AS, &old_) == 0;
        const qint64 mapped = known ? statm.readLine().split(' ').value(0).toLongLong() : 0;
        rlimit limited = old_;
        limited.rlim_cur = rlim_t(mapped * ::sysconf(_SC_PAGESIZE) + spare);
        set_ = mapped > 0 && ::setrlimit(RLIMIT_AS, &limited) == 0;
    }
    ~AddressSpaceLimit() {
        if (set_)
            ::setrlimit(RLIMIT_AS, &old_);
    }
    bool isSet() const { return set_; }

private:
    rlimit old_{};
    bool set_ = false;
};

class SharedPicture : public WindowTest {
protected:
    const QImage& picture() const { return window->document().image(); }

    // Copy, and the clipboard's PNG made: its encoders run on threads of their own and are not
    // what the limit is put on.
    void copyAndWaitForThePng() {
        choose("Copy1");
        const auto* offer = ClipboardOffer::of(QApplication::clipboard()->mimeData());
        ASSERT_TRUE(offer);
        const QDeadlineTimer deadline(60000);
        while (!offer->prepared(QLatin1String(ClipboardOffer::kPng)) && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(offer->prepared(QLatin1String(ClipboardOffer::kPng)));
    }
};

TEST_F(SharedPicture, CommandsFailWithoutAPrivateCopyAndSaveWritesThePictureShown) {
    QImage pattern = allocateRgb32(kSide, kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x)
            reinterpret_cast<QRgb*>(pattern.scanLine(y))[x] = 0xFF000000u | (x * 977 + y * 131);
    }
    window->document().replacePicture(Picture{pattern, nullptr});
    window->document().setModified(false);
    copyAndWaitForThePng();
    const QImage shown = QApplication::clipboard()->image();
    ASSERT_EQ(shown.constBits(), picture().constBits()) << "the clipboard holds a copy";
    prompts.clearAnswers = {{true, false}};
    {
        const AddressSpaceLimit limit(qint64(24) << 20);
        ASSERT_TRUE(limit.isSet());
        const std::pair<const char*, std::function<void()>> commands[] = {
            {"flip about the horizontal axis", [&] { choose("Prevratitvodorovne1"); }},
            {"flip about the vertical axis", [&] { choose("Prevrtipodazvislejosi1"); }},
            {"clear", [&] { choose("Zmazaobrzok1"); }},
#ifndef __SANITIZE_ADDRESS__
            // Cut starts the clipboard's encoders; the address sanitizer's runtime cannot start
            // a thread without address space, where the program itself goes on without them.
            {"cut", [&] { choose("Cut1"); }},
#endif
            {"paste", [&] { choose("Paste1"); }},
            {"a line drawn",
             [&] {
                 press({10, 10});
                 move({300, 200});
                 release({300, 200});
             }},
        };
        for (const auto& [name, run] : commands) {
            SCOPED_TRACE(name);
            prompts.errors.clear();
            run();
            EXPECT_EQ(prompts.errors,
                      QStringList{QStringLiteral("Obrázok 4096 × 4096 bodov sa nedá zmeniť: nie je "
                                                 "dosť pamäte.")});
            EXPECT_EQ(picture().constBits(), shown.constBits()) << "the picture was replaced";
            EXPECT_EQ(window->document().modified(), 0);
        }
    }
    EXPECT_EQ(picture(), shown);

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("obrazok.bmp"));
    prompts.saveFileAnswers = {path};
    prompts.errors.clear();
    choose("Koprovado1");
    EXPECT_TRUE(prompts.errors.isEmpty()) << prompts.errors.join(u'\n').toStdString();
    EXPECT_EQ(readBmp(path).image, shown);
}

// New and Open of a picture whose memory can't be had end with the message and leave the
// document as it was.
TEST_F(SharedPicture, NewAndOpenWithoutMemoryForThePictureChangeNothing) {
    QTemporaryDir folder;
    const QString large = folder.filePath(QStringLiteral("velky.bmp"));
    QImage indexed(kSide, kSide, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    indexed.fill(1);
    ASSERT_TRUE(indexed.save(large, "BMP"));
    indexed = QImage();
    const QImage shown = picture();
    prompts.newPictureAnswers = {NewPictureAnswer{"4096", "4096", kWhite}};
    prompts.openFileAnswers = {large};
    {
        const AddressSpaceLimit limit(qint64(24) << 20);
        ASSERT_TRUE(limit.isSet());
        choose("New1");
        choose("Open1");
    }
    EXPECT_EQ(prompts.errors,
              (QStringList{QStringLiteral("Obrázok 4096 × 4096 bodov sa nedá vytvoriť: nie je "
                                          "dosť pamäte."),
                           QStringLiteral("Na obrázok 4096 × 4096 bodov nie je dosť pamäte.")}));
    EXPECT_EQ(picture().constBits(), shown.constBits()) << "the picture was replaced";
    EXPECT_TRUE(window->document().fileName().isEmpty());
    EXPECT_EQ(window->document().modified(), 0);
}

// A picture whose pixels were lost (a copy for writing that could not be made left it empty)
// is never saved: the save fails with its message and writes no file.
TEST_F(SharedPicture, APictureThatLostItsPixelsIsNotSaved) {
    window->document().replacePicture(Picture{allocateRgb32(kSide, kSide), nullptr});
    copyAndWaitForThePng();
    {
        const AddressSpaceLimit limit(qint64(24) << 20);
        ASSERT_TRUE(limit.isSet());
        window->document().image().bits();  // Qt's own copy of shared pixels fails: all is lost
    }
    ASSERT_TRUE(picture().isNull());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("obrazok.bmp"));
    prompts.saveFileAnswers = {path};
    choose("Koprovado1");
    EXPECT_EQ(prompts.errors,
              QStringList{QStringLiteral("Obrázok sa nedá uložiť: jeho body sa stratili.")});
    EXPECT_FALSE(QFile::exists(path));
}

}  // namespace
}  // namespace kreslix::testing
