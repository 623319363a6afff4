#include "document/file_commands.h"

#include "common/error.h"
#include "common/prompts.h"
#include "document/bmp_name.h"
#include "document/document_state.h"
#include "document/files/bmp_writer.h"
#include "document/files/picture_file.h"
#include "document/save_changes.h"

namespace kreslix {

namespace {

// Open's steps after the dialog: only a file read completely changes the document. The read
// runs as long work, so a large or crafted file shows how far it is and can be stopped; a
// stopped read changes nothing, as a file that could not be read.
void readChosenFile(DocumentState& document, Prompts& prompts, const QString& path) {
    Picture picture;
    {
        BusyGuard busy(prompts);
        const bool read = prompts.runLongWork(
            QStringLiteral("Čítanie súboru"),
            [&](WorkProgress& progress) { picture = readPictureFile(path, &progress); });
        if (!read)
            return;
    }
    document.keepPenAndBrush();
    document.replacePicture(std::move(picture));
    document.restorePenAndBrush();
    document.setFileName(path);
    document.showFileCaption();
    document.setSaveButtonEnabled(false);
}

}  // namespace

void Open1Click(DocumentState& document, Prompts& prompts) {
    runSaveChangesStepIfModified(document, prompts);
    const std::optional<QString> path = prompts.chooseOpenFile();
    if (!path)
        return;
    readChosenFile(document, prompts, *path);
}

void openChosenFile(DocumentState& document, Prompts& prompts, const QString& path) {
    runSaveChangesStepIfModified(document, prompts);
    readChosenFile(document, prompts, path);
}

void Save1Click(DocumentState& document, Prompts& prompts) {
    if (document.fileName().isEmpty() || !isBmpName(document.fileName())) {
        Saveas1Click(document, prompts);
        return;
    }
    {
        BusyGuard busy(prompts);
        writePicture(document.fileName(), document.pictureToWrite());
    }
    document.setModified(false);
    document.setSaveButtonEnabled(false);
}

void Saveas1Click(DocumentState& document, Prompts& prompts) {
    const std::optional<QString> path = prompts.chooseSaveFile();
    if (!path)
        return;
    if (!isBmpName(*path)) {
        throw KreslixError(
            QStringLiteral("Unknown picture file extension (.%1)").arg(fileExtension(*path)));
    }
    {
        BusyGuard busy(prompts);
        writePicture(*path, document.pictureToWrite());
    }
    // The name becomes the document's only once the picture is in it.
    document.setFileName(*path);
    document.setModified(false);
    document.setSaveButtonEnabled(false);
    document.showFileCaption();
}

void Koprovado1Click(DocumentState& document, Prompts& prompts) {
    const std::optional<QString> path = prompts.chooseSaveFile();
    if (!path)
        return;
    BusyGuard busy(prompts);
    writePicture(*path, document.pictureToWrite());
}

}  // namespace kreslix
