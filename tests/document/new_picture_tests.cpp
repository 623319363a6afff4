#include "common/error.h"
#include "document/file_commands.h"
#include "document/new_picture.h"
#include "tests/document/document_test.h"

namespace kreslix::testing {
namespace {

using NewPictureTest = DocumentTest;

void answerNew(ScriptedPrompts& prompts, const char* width, const char* height,
               Colour background = kWhite) {
    prompts.newPictureAnswers.push_back(NewPictureAnswer{width, height, background});
}

TEST_F(NewPictureTest, FieldsAreFilledWithTheCurrentSize) {
    answerNew(prompts, "+300", "200");
    New1Click(document, prompts);
    EXPECT_EQ(prompts.newPictureWidthText, QStringLiteral("488"));
    EXPECT_EQ(prompts.newPictureHeightText, QStringLiteral("297"));
    EXPECT_EQ(document.picture().image.size(), QSize(300, 200));

    answerNew(prompts, "7", "0009");
    New1Click(document, prompts);
    EXPECT_EQ(prompts.log.mid(prompts.log.size() - 3),
              QStringList({"new picture:300x200", "busy", "idle"}));
    EXPECT_EQ(document.picture().image.size(), QSize(7, 9));
}

// The background colour covers every pixel, the outermost rows and columns too.
TEST_F(NewPictureTest, BackgroundFillsEveryPixel) {
    struct Case {
        const char* width;
        const char* height;
        Colour background;
    };
    for (const Case c : {Case{"1", "1", 0x00112233}, Case{"2", "3", 0x00FF0000},
                         Case{"64", "48", 0x0000FF00}, Case{"488", "297", kBlack}}) {
        SCOPED_TRACE(std::string(c.width) + "x" + c.height);
        answerNew(prompts, c.width, c.height, c.background);
        New1Click(document, prompts);
        EXPECT_EQ(document.picture().image.size(),
                  QSize(QString(c.width).toInt(), QString(c.height).toInt()));
        EXPECT_TRUE(filledWith(document.picture().image, c.background));
    }
}

TEST_F(NewPictureTest, ConfirmedNewMakesAnUntitledUnchangedDocument) {
    nameDocument("own.bmp");
    draw();
    prompts.saveChangesAnswers = {ModalResult::No};
    answerNew(prompts, "20", "10");
    New1Click(document, prompts);
    QImage white(20, 10, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(snapshot(document),
              (DocumentSnapshot{QString(), 0, false, DocumentState::untitledCaption(), white}));
}

TEST_F(NewPictureTest, ZeroSideGivesAnEmptyPicture) {
    for (const auto& [width, height] : {std::pair{"0", "5"}, std::pair{"5", "0"}}) {
        answerNew(prompts, width, height);
        New1Click(document, prompts);
        const QImage& image = document.picture().image;
        EXPECT_EQ(image.width() * image.height(), 0);
        EXPECT_EQ(document.modified(), 0);
        // Drawing on the empty picture does nothing and is no fault.
        document.canvas().Rectangle(-5, -5, 10, 10);
        EXPECT_EQ(document.canvas().Pixels(0, 0), kOutsideColour);
    }
}

struct RefusedSize {
    const char* width;
    const char* height;
    const char* message;  // the whole message, or what it must contain
    bool whole;
};

class NewRefusesSize : public DocumentTest, public ::testing::WithParamInterface<RefusedSize> {};

// A size that is no integer or can't be made ends New with a message; nothing has changed.
TEST_P(NewRefusesSize, EndsNewWithNothingChanged) {
    const RefusedSize& c = GetParam();
    nameDocument("own.bmp");
    draw();
    const PenAndBrush pen{bsSolid, psSolid, 4, 0x00112233, 0x00445566};
    pen.applyTo(document.canvas());
    const DocumentSnapshot before = snapshot(document);
    prompts.saveChangesAnswers = {ModalResult::No};
    answerNew(prompts, c.width, c.height, 0x000000FF);
    QString message;
    try {
        New1Click(document, prompts);
    } catch (const KreslixError& e) {
        message = e.message();
    }
    if (c.whole) {
        EXPECT_EQ(message, QString::fromUtf8(c.message));
    } else {
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.message))) << message.toStdString();
    }
    EXPECT_EQ(snapshot(document), before);
    EXPECT_EQ(PenAndBrush::of(document.canvas()), pen);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, NewRefusesSize,
    ::testing::Values(RefusedSize{"", "10", "'' is not a valid integer value", true},
                      RefusedSize{"12,5", "10", "'12,5' is not a valid integer value", true},
                      RefusedSize{"12.5", "10", "'12.5' is not a valid integer value", true},
                      RefusedSize{"-", "10", "'-' is not a valid integer value", true},
                      RefusedSize{"+", "10", "'+' is not a valid integer value", true},
                      RefusedSize{"abc", "10", "'abc' is not a valid integer value", true},
                      RefusedSize{"1 0", "10", "'1 0' is not a valid integer value", true},
                      RefusedSize{"10", "x7", "'x7' is not a valid integer value", true},
                      RefusedSize{"10", "99999999999", "'99999999999' is not a valid integer value",
                                  true},
                      RefusedSize{"-5", "10", "-5 × 10", false},
                      RefusedSize{"10", "-1", "10 × -1", false},
                      RefusedSize{"100000", "100000", "100000 × 100000", false},
                      RefusedSize{"16777216", "1", "16777216 × 1", false},
                      RefusedSize{"2147483647", "2147483647", "2147483647 × 2147483647", false}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(SizeFieldValue, ReadsSignedDecimalIntegers) {
    EXPECT_EQ(sizeFieldValue("+300"), 300);
    EXPECT_EQ(sizeFieldValue("-12"), -12);
    EXPECT_EQ(sizeFieldValue("007"), 7);
    EXPECT_EQ(sizeFieldValue("2147483647"), 2147483647);
    EXPECT_EQ(sizeFieldValue("-2147483648"), -2147483647 - 1);
    EXPECT_THROW(sizeFieldValue("2147483648"), KreslixError);
    EXPECT_THROW(sizeFieldValue("+-1"), KreslixError);
    EXPECT_THROW(sizeFieldValue("1+"), KreslixError);
}

struct CarriedCommand {
    const char* name;
    bool confirmed;  // the command replaces the picture
    void (*run)(DocumentState&, ScriptedPrompts&);
};

class PenAndBrushCarried : public DocumentTest,
                           public ::testing::WithParamInterface<CarriedCommand> {};

// The five settings pass to the new canvas; the pen mode is not among them.
TEST_P(PenAndBrushCarried, OverTheCommand) {
    const PenAndBrush user{bsSolid, static_cast<PenStyle>(2), 9, 0x00123456, 0x00ABCDEF};
    user.applyTo(document.canvas());
    document.canvas().pen().setMode(pmNotXor);
    GetParam().run(document, prompts);
    EXPECT_EQ(PenAndBrush::of(document.canvas()), user);
    EXPECT_EQ(document.canvas().pen().mode(), GetParam().confirmed ? pmCopy : pmNotXor);
}

// A clear brush comes back clear and white, then gets its colour: it is solid white afterwards.
TEST_P(PenAndBrushCarried, ClearBrushComesBackSolidWhite) {
    const PenAndBrush user{bsClear, psSolid, 3, 0x000000FF, kWhite};
    user.applyTo(document.canvas());
    GetParam().run(document, prompts);
    const PenAndBrush expected{bsSolid, psSolid, 3, 0x000000FF, kWhite};
    EXPECT_EQ(PenAndBrush::of(document.canvas()), expected);
}

INSTANTIATE_TEST_SUITE_P(Commands, PenAndBrushCarried,
                         ::testing::Values(CarriedCommand{"New", true,
                                                          [](DocumentState& d, ScriptedPrompts& p) {
                                                              answerNew(p, "30", "20", 0x000000FF);
                                                              New1Click(d, p);
                                                          }},
                                           CarriedCommand{"CancelledNew", false,
                                                          [](DocumentState& d, ScriptedPrompts& p) {
                                                              p.newPictureAnswers = {std::nullopt};
                                                              New1Click(d, p);
                                                          }},
                                           CarriedCommand{"OpenBmp", true,
                                                          [](DocumentState& d, ScriptedPrompts& p) {
                                                              p.openFileAnswers = {
                                                                  testdata("bmpsuite/g/rgb24.bmp")};
                                                              Open1Click(d, p);
                                                          }},
                                           CarriedCommand{"OpenJpeg", true,
                                                          [](DocumentState& d, ScriptedPrompts& p) {
                                                              p.openFileAnswers = {testdata(
                                                                  "jpeg/baseline--hopper.jpg")};
                                                              Open1Click(d, p);
                                                          }}),
                         [](const auto& info) { return std::string(info.param.name); });

// Filled shapes after New use the user's brush, not the background colour of the dialog.
TEST_F(NewPictureTest, FilledShapeAfterNewUsesTheUsersBrush) {
    document.canvas().brush().setColour(0x0000FF00);
    answerNew(prompts, "50", "50", 0x000000FF);
    New1Click(document, prompts);
    document.canvas().Rectangle(10, 10, 40, 40);
    EXPECT_EQ(document.canvas().Pixels(25, 25), 0x0000FF00u);
    EXPECT_EQ(document.canvas().Pixels(5, 5), 0x000000FFu);
}

TEST_F(NewPictureTest, CancelledDialogChangesNothing) {
    nameDocument("own.bmp");
    draw();
    const DocumentSnapshot before = snapshot(document);
    prompts.saveChangesAnswers = {ModalResult::No};
    prompts.newPictureAnswers = {std::nullopt};
    New1Click(document, prompts);
    EXPECT_EQ(snapshot(document), before);
}

}  // namespace
}  // namespace kreslix::testing
