// Every third-party BMP file of the test corpora, against the verdicts of expect.tsv and the
// reference decodes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTextStream>

#include "bmp_test_support.h"
#include "document/files/bmp_reader.h"
#include "document/files/stored_bmp_format.h"

namespace kreslix {
namespace {

using test::testdata;

struct Expectation {
    QString file;
    bool opens = false;
    int width = 0;
    int height = 0;
    bool firm = false;
    QString reference;  // the first listed reference, if any
};

void PrintTo(const Expectation& e, std::ostream* out) {
    *out << e.file.toStdString();
}

std::vector<Expectation> bmpExpectations() {
    std::vector<Expectation> rows;
    QFile file(testdata(QStringLiteral("expect.tsv")));
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    QTextStream in(&file);
    in.readLine();
    while (!in.atEnd()) {
        const QStringList cells = in.readLine().split(QLatin1Char('\t'));
        if (cells.size() < 6 || !cells[0].endsWith(QLatin1String(".bmp")))
            continue;
        const QString reference = cells[5].split(QLatin1Char(' ')).first();
        rows.push_back({cells[0], cells[1] == QLatin1String("opens"), cells[2].toInt(),
                        cells[3].toInt(), cells[4] == QLatin1String("yes"),
                        reference == QLatin1String("-") ? QString() : reference});
    }
    return rows;
}

bool isOurRefusal(const QString& message) {
    return message == QLatin1String("Bitmap image is not valid") ||
           message == QLatin1String("Stream read error") ||
           message.startsWith(QStringLiteral("Obrázok "));
}

class BmpCorpus : public ::testing::TestWithParam<Expectation> {};

TEST_P(BmpCorpus, MatchesVerdictAndReference) {
    const Expectation& e = GetParam();
    Picture picture;
    const QString error = test::errorOf([&] { picture = readBmp(testdata(e.file)); });
    if (!error.isEmpty()) {
        EXPECT_TRUE(isOurRefusal(error)) << error.toStdString();
        EXPECT_FALSE(e.opens && e.firm) << "refused a valid file: " << error.toStdString();
        return;
    }
    EXPECT_FALSE(!e.opens && e.firm) << "opened a file that must be refused";
    EXPECT_EQ(picture.image.format(), QImage::Format_RGB32);
    EXPECT_EQ(picture.image.width(), e.width);
    EXPECT_EQ(picture.image.height(), e.height);
    if (!e.reference.isEmpty()) {
        const QImage reference(testdata(e.reference));
        ASSERT_FALSE(reference.isNull()) << e.reference.toStdString();
        EXPECT_EQ(test::firstDifference(picture.image, reference).toStdString(), "");
    }
}

INSTANTIATE_TEST_SUITE_P(ExpectTsv, BmpCorpus, ::testing::ValuesIn(bmpExpectations()));

// The corpus folders hold exactly the files listed, so nothing escapes the table above.
TEST(BmpCorpusListing, EveryFileIsListed) {
    QStringList listed;
    for (const Expectation& e : bmpExpectations())
        listed << e.file;
    for (const QString& folder :
         {QStringLiteral("bmpsuite/g"), QStringLiteral("bmpsuite/b"), QStringLiteral("bmp/pillow"),
          QStringLiteral("bmp/libjpeg-turbo")}) {
        for (const QString& name : test::filesIn(testdata(folder))) {
            EXPECT_TRUE(listed.contains(folder + QLatin1Char('/') + name)) << name.toStdString();
        }
    }
    EXPECT_GE(listed.size(), 56);
}

// Damaged and hostile files of the kinds the fuzzer finds, kept as regression files: each is
// refused with the reader's message or read at the size given; a file of the folder missing
// from this table fails too.
struct Regression {
    const char* file;
    const char* refusal;  // how the reader's message starts; "" when the file is read
    QSize size;
};

const char* const kInvalid = "Bitmap image is not valid";
const char* const kShort = "Stream read error";

const Regression kBmpRegressions[] = {
    {"cut-in-header.bmp", kShort, {}},
    {"huge-dimensions-tiny-file.bmp", kShort, {}},
    {"negative-width.bmp", kInvalid, {}},
    {"palette-count-overrun.bmp", kInvalid, {}},
    {"palette-index-past-table.bmp", "", {2, 2}},
    {"pixel-offset-inside-header.bmp", kInvalid, {}},
    {"pixel-offset-past-end.bmp", kShort, {}},
    {"rle4-absolute-cut-short.bmp", kShort, {}},
    {"rle8-delta-past-picture.bmp", "", {4, 4}},
    {"rle8-run-past-picture.bmp", "", {4, 2}},
    {"rle8-truncated-run.bmp", kShort, {}},
    {"rle8-wider-than-any-picture.bmp",
     "Obrázok 20000000 × 1 bodov sa nedá vytvoriť: potreboval by viac pamäte, ako môže mať jeden "
     "obrázok (",
     {}},
    {"seven-bits-per-pixel.bmp", kInvalid, {}},
    {"unknown-header-size.bmp", kInvalid, {}},
};

TEST(BmpRegressions, EveryFileIsReadOrRefusedAsListed) {
    const QString folder = QStringLiteral(KRESLIX_SOURCE_DIR "/tests/regressions/bmp");
    QStringList listed;
    for (const Regression& r : kBmpRegressions) {
        SCOPED_TRACE(r.file);
        listed << QLatin1String(r.file);
        Picture picture;
        const QString error =
            test::errorOf([&] { picture = readBmp(folder + QLatin1Char('/') + r.file); });
        if (*r.refusal) {
            EXPECT_TRUE(error.startsWith(QString::fromUtf8(r.refusal))) << error.toStdString();
        } else {
            EXPECT_EQ(error.toStdString(), "");
            EXPECT_EQ(picture.image.size(), r.size);
        }
    }
    EXPECT_EQ(test::filesIn(folder), listed);
}

}  // namespace
}  // namespace kreslix
