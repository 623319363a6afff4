#include "document/save_changes.h"

#include <QFileInfo>

#include "common/error.h"
#include "common/prompts.h"
#include "document/bmp_name.h"
#include "document/document_state.h"
#include "document/files/bmp_writer.h"

namespace kreslix {

void runSaveChangesStep(DocumentState& document, Prompts& prompts) {
    prompts.beep();
    const ModalResult answer = prompts.askSaveChanges();
    if (answer == ModalResult::Cancel)
        throw SilentAbort();
    if (answer != ModalResult::Yes)
        return;

    const QString& own = document.fileName();
    if (!own.isEmpty() && isBmpName(own)) {
        writePicture(own, document.pictureToWrite());
        return;
    }
    for (;;) {
        const std::optional<QString> chosen = prompts.chooseSaveFile();
        if (!chosen)
            return;
        const QFileInfo target(*chosen);
        if (target.exists() && !target.isDir()) {
            prompts.beep();
            if (!prompts.askOverwrite())
                continue;
        }
        writePicture(*chosen, document.pictureToWrite());
        return;
    }
}

void runSaveChangesStepIfModified(DocumentState& document, Prompts& prompts) {
    if (document.modified() == 1)
        runSaveChangesStep(document, prompts);
}

}  // namespace kreslix
