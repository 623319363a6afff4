// Another program offers an image too large for the picture-size rule; pasting it is refused
// by its size before anything is decoded, and the picture stays as it was.
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include "tests/support/window_fixture.h"

namespace kreslix::testing {
namespace {

// A PNG file declaring 100000 × 100000 pixels (40 GB in memory) over the data of a few.
const char kHugePng[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x01\x86\xa0\x00\x01"
    "\x86\xa0\x08\x02\x00\x00\x00\x27\x30\x9c\x9f\x00\x00\x00\x0b\x49\x44\x41\x54\x78\x9c\x63"
    "\x60\x40\x05\x00\x00\x10\x00\x01\x39\xbd\x8f\x65\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42"
    "\x60\x82";

// The offer as Qt's X clipboard shows another program's PNG: an image, held as PNG bytes.
class OfferedPng : public QMimeData {
public:
    explicit OfferedPng(QByteArray bytes) : bytes_(std::move(bytes)) {}
    QStringList formats() const override {
        return {QStringLiteral("application/x-qt-image"), QStringLiteral("image/png")};
    }

protected:
    QVariant retrieveData(const QString& type, QMetaType) const override {
        return type == QLatin1String("image/png") ? QVariant(bytes_) : QVariant();
    }

private:
    QByteArray bytes_;
};

using PasteSizeRule = WindowTest;

TEST_F(PasteSizeRule, AnImageBeyondTheRuleIsRefusedBySize) {
    QApplication::clipboard()->setMimeData(
        new OfferedPng(QByteArray(kHugePng, sizeof kHugePng - 1)));
    const QImage before = window->document().image();
    choose("Paste1");
    ASSERT_EQ(prompts.errors.size(), 1);
    EXPECT_TRUE(prompts.errors[0].startsWith(
        QStringLiteral("Obrázok 100000 × 100000 bodov sa nedá vytvoriť: potreboval by viac "
                       "pamäte, ako môže mať jeden obrázok (")))
        << prompts.errors[0].toStdString();
    EXPECT_EQ(window->document().image(), before);
    EXPECT_EQ(window->document().modified(), 0);
}

}  // namespace
}  // namespace kreslix::testing
