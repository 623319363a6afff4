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

// Fuzzer findings kept as regression files: each is refused or read, never worse.
TEST(BmpRegressions, EveryFileIsReadOrRefused) {
    const QString folder = QStringLiteral(KRESLIX_SOURCE_DIR "/tests/regressions/bmp");
    for (const QString& name : test::filesIn(folder)) {
        const QString copy = QStringLiteral("%1/%2.bmp").arg(QDir::tempPath(), name);
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(folder + QLatin1Char('/') + name, copy));
        const QString error = test::errorOf([&] { readBmp(copy); });
        EXPECT_TRUE(error.isEmpty() || isOurRefusal(error)) << name.toStdString();
        QFile::remove(copy);
    }
}

}  // namespace
}  // namespace kreslix
