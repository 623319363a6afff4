#include <QFile>

#include "document/file_commands.h"
#include "document/new_picture.h"
#include "tests/document/document_test.h"

namespace kreslix::testing {
namespace {

enum class Command { New, Open, Save, SaveAs, CopyTo };

struct StartState {
    bool named;
    bool modified;
};

// Each command from each of the four states: where the file name, the flag, the Save button
// and the caption end up.
class StateTransitions : public DocumentTest,
                         public ::testing::WithParamInterface<std::tuple<StartState, Command>> {
protected:
    void enter(StartState state) {
        if (state.named)
            nameDocument("own.bmp");
        if (state.modified)
            draw();
        prompts.log.clear();
    }
    void run(Command command) {
        if (document.modified())
            prompts.saveChangesAnswers = {ModalResult::No};
        switch (command) {
            case Command::New:
                prompts.newPictureAnswers = {NewPictureAnswer{"40", "30", 0x00FF00FF}};
                New1Click(document, prompts);
                break;
            case Command::Open:
                prompts.openFileAnswers = {opened()};
                Open1Click(document, prompts);
                break;
            case Command::Save:
                prompts.saveFileAnswers = {path("chosen.bmp")};
                Save1Click(document, prompts);
                break;
            case Command::SaveAs:
                prompts.saveFileAnswers = {path("chosen.bmp")};
                Saveas1Click(document, prompts);
                break;
            case Command::CopyTo:
                prompts.saveFileAnswers = {path("copy.bmp")};
                Koprovado1Click(document, prompts);
                break;
        }
    }
    static QString opened() { return testdata("bmpsuite/g/rgb24.bmp"); }
};

QImage filled(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::string transitionName(const ::testing::TestParamInfo<std::tuple<StartState, Command>>& info) {
    static const char* const commands[] = {"New", "Open", "Save", "SaveAs", "CopyTo"};
    const StartState s = std::get<0>(info.param);
    return std::string(s.named ? "Named" : "Untitled") + (s.modified ? "Modified" : "Clean") +
           commands[static_cast<int>(std::get<1>(info.param))];
}

TEST_P(StateTransitions, EndInTheDocumentedState) {
    const auto [start, command] = GetParam();
    enter(start);
    const DocumentSnapshot before = snapshot(document);
    run(command);
    DocumentSnapshot after = snapshot(document);

    // Every expected picture is known apart from the program: the one before the command, a
    // fill with the colour chosen for New, or the reference decode of the opened file.
    DocumentSnapshot expected = before;
    switch (command) {
        case Command::New:
            expected = {QString(), 0, false, DocumentState::untitledCaption(),
                        filled(QSize(40, 30), QColor(255, 0, 255))};
            break;
        case Command::Open:
            expected = {opened(), before.modified, false, captionFor("rgb24.bmp"),
                        QImage(testdata("bmpsuite/ref/rgb24.png"))};
            ASSERT_FALSE(expected.image.isNull());
            break;
        case Command::Save:
            if (!start.named) {
                expected.fileName = path("chosen.bmp");
                expected.caption = captionFor("chosen.bmp");
            }
            expected.modified = 0;
            expected.saveButton = false;
            EXPECT_EQ(
                pictureDifference(writtenPicture(path(start.named ? "own.bmp" : "chosen.bmp")),
                                  before.image),
                "");
            break;
        case Command::SaveAs:
            expected = {path("chosen.bmp"), 0, false, captionFor("chosen.bmp"), before.image};
            EXPECT_EQ(pictureDifference(writtenPicture(path("chosen.bmp")), before.image), "");
            break;
        case Command::CopyTo:
            EXPECT_EQ(pictureDifference(writtenPicture(path("copy.bmp")), before.image), "");
            break;
    }
    // The pixels by colour (a decoded reference may differ in format and colour space).
    EXPECT_EQ(pictureDifference(after.image, expected.image), "");
    after.image = expected.image = QImage();
    EXPECT_EQ(after, expected);
    // The save-changes step runs for New and Open only when the flag is 1.
    const bool asks = start.modified && (command == Command::New || command == Command::Open);
    EXPECT_EQ(prompts.log.contains(QStringLiteral("save changes?")), asks);
}

INSTANTIATE_TEST_SUITE_P(
    AllStates, StateTransitions,
    ::testing::Combine(::testing::Values(StartState{false, false}, StartState{false, true},
                                         StartState{true, false}, StartState{true, true}),
                       ::testing::Values(Command::New, Command::Open, Command::Save,
                                         Command::SaveAs, Command::CopyTo)),
    transitionName);

// The window mirrors the caption and the Save button through the signals, so each change must
// be announced.
TEST_F(DocumentTest, CaptionAndSaveButtonChangesAreAnnounced) {
    QStringList captions;
    QList<bool> buttons;
    QObject::connect(&document, &DocumentState::captionChanged,
                     [&](const QString& c) { captions << c; });
    QObject::connect(&document, &DocumentState::saveButtonEnabledChanged,
                     [&](bool on) { buttons << on; });
    nameDocument("own.bmp");
    draw();
    prompts.saveChangesAnswers = {ModalResult::No};
    prompts.newPictureAnswers = {NewPictureAnswer{"5", "5", kWhite}};
    New1Click(document, prompts);
    EXPECT_EQ(captions, (QStringList{captionFor("own.bmp"), DocumentState::untitledCaption()}));
    EXPECT_EQ(buttons, (QList<bool>{false, true, false}));
}

}  // namespace
}  // namespace kreslix::testing
