#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <cstdint>

#include "dialogs/memory_figure.h"

namespace kreslix::testing {
namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
constexpr std::uint64_t kGiB = 1024 * kMiB;

struct FigureCase {
    const char* what;
    std::uint64_t bytes;
    QLocale locale;
    QString shown;
};

class MemoryFigureTest : public ::testing::TestWithParam<FigureCase> {};

TEST_P(MemoryFigureTest, WholeKilobytesGroupedInThrees) {
    EXPECT_EQ(memoryFigure(GetParam().bytes, GetParam().locale).toStdString(),
              GetParam().shown.toStdString());
}

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kSlovak(QLocale::Slovak, QLocale::Slovakia);
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kIndian(QLocale::Hindi, QLocale::India);
const QLocale kSpanish(QLocale::Spanish, QLocale::Spain);

INSTANTIATE_TEST_SUITE_P(
    Figures, MemoryFigureTest,
    ::testing::Values(
        FigureCase{"64MiB_comma", 64 * kMiB, kEnglish, "65,536 kB"},
        FigureCase{"64MiB_space", 64 * kMiB, kSlovak, QStringLiteral("65\u00A0536 kB")},
        FigureCase{"64MiB_dot", 64 * kMiB, kGerman, "65.536 kB"},
        // The largest 32-bit count, and totals beyond it read in full.
        FigureCase{"largest_32_bit", 0xFFFFFFFFu, kEnglish, "4,194,304 kB"},
        FigureCase{"4GiB", 4 * kGiB, kEnglish, "4,194,304 kB"},
        FigureCase{"16GiB_and_a_bit", 16 * kGiB + 3 * kMiB, kEnglish, "16,780,288 kB"},
        FigureCase{"largest_64_bit", UINT64_MAX, kEnglish, "18,014,398,509,481,984 kB"},
        // Threes even where the locale itself groups otherwise.
        FigureCase{"indian", 12345678ull * 1024, kIndian, "12,345,678 kB"},
        FigureCase{"spanish_four_digits", 1024 * 1024, kSpanish, "1.024 kB"},
        // Rounded to the nearest kilobyte, a half upwards.
        FigureCase{"below_half", 1024 + 511, kEnglish, "1 kB"},
        FigureCase{"half", 1024 + 512, kEnglish, "2 kB"},
        FigureCase{"three_digits", 999 * 1024, kEnglish, "999 kB"},
        FigureCase{"nothing", 0, kEnglish, "0 kB"}),
    [](const auto& info) { return std::string(info.param.what); });

// The separator the Slovak locale gives is a space that does not break the figure.
TEST(MemoryFigure, SlovakSeparatorIsASpace) {
    ASSERT_EQ(kSlovak.groupSeparator().size(), 1);
    EXPECT_TRUE(kSlovak.groupSeparator().front().isSpace());
}

// The total agrees with the kernel's own report in /proc/meminfo, which is in whole kB.
TEST(MemoryFigure, TotalIsTheInstalledMemoryInFull) {
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    ASSERT_TRUE(meminfo.open(QIODevice::ReadOnly));
    const QRegularExpression total(QStringLiteral("^MemTotal:\\s+(\\d+) kB$"),
                                   QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = total.match(QString::fromLatin1(meminfo.readAll()));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(totalPhysicalMemory(), match.captured(1).toULongLong() * 1024);
}

}  // namespace
}  // namespace kreslix::testing
