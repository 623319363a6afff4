#pragma once

#include <QPrinter>
#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <vector>

#include "common/prompts.h"

namespace kreslix::testing {

// Prompts whose answers the test scripts in advance and whose questions it can read back.
// A question asked without a scripted answer fails the test by throwing.
class ScriptedPrompts : public Prompts {
public:
    // What the program showed or asked, in order: "error:<text>", "beep", "busy", "idle",
    // "colour:<preset hex>", "save changes?", "overwrite?", "save dialog", "open dialog",
    // "new picture:<width>x<height>", "properties:<name>|<width>|<height>", "about:<memory>",
    // "printer setup:<printer name>", "message:<text>", "clear picture?",
    // "long work stopped" (a long job stopped on request).
    QStringList log;
    QStringList errors;
    int beeps = 0;

    std::deque<std::optional<Colour>> colourAnswers;
    std::deque<ModalResult> saveChangesAnswers;
    std::deque<bool> overwriteAnswers;
    std::deque<std::optional<QString>> saveFileAnswers;
    std::deque<std::optional<QString>> openFileAnswers;
    std::deque<std::optional<NewPictureAnswer>> newPictureAnswers;
    // Each answer may change the printer as the user would in the dialog; true is OK.
    std::deque<std::function<bool(QPrinter&)>> printerSetupAnswers;
    std::deque<ClearAnswer> clearAnswers;
    QStringList messages;
    // The texts the new-picture dialog was filled with, last time.
    QString newPictureWidthText, newPictureHeightText;
    // What the open dialog keeps: the path last chosen in it.
    QString openedFileName;
    // What the properties dialog and the About box showed, last time.
    std::optional<PictureProperties> shownProperties;
    QString shownMemoryFigure;
    bool busy = false;
    // Long work runs inline. Its reports are kept in order; once it has made `stopAfterReports`
    // reports (a negative number: never) the user asks it to stop.
    QStringList workTitles;
    std::vector<double> workReports;
    int stopAfterReports = -1;

    void showError(const QString& text) override {
        errors << text;
        log << QStringLiteral("error:") + text;
    }
    void beep() override {
        ++beeps;
        log << QStringLiteral("beep");
    }
    void setBusy(bool on) override {
        busy = on;
        log << (on ? QStringLiteral("busy") : QStringLiteral("idle"));
    }
    bool runLongWork(const QString& title, const LongJob& job) override {
        workTitles << title;
        class Recorder : public WorkProgress {
        public:
            explicit Recorder(ScriptedPrompts& prompts) : prompts_(prompts) {}
            void report(double fraction) override { prompts_.workReports.push_back(fraction); }
            bool stopRequested() const override {
                return prompts_.stopAfterReports >= 0 &&
                       int(prompts_.workReports.size()) >= prompts_.stopAfterReports;
            }

        private:
            ScriptedPrompts& prompts_;
        } progress(*this);
        try {
            job(progress);
        } catch (const WorkStopped&) {
            log << QStringLiteral("long work stopped");
            return false;
        }
        return true;
    }
    ModalResult askSaveChanges() override {
        log << QStringLiteral("save changes?");
        return next(saveChangesAnswers, "save-changes prompt");
    }
    bool askOverwrite() override {
        log << QStringLiteral("overwrite?");
        return next(overwriteAnswers, "overwrite prompt");
    }
    std::optional<QString> chooseSaveFile() override {
        log << QStringLiteral("save dialog");
        return next(saveFileAnswers, "save dialog");
    }
    std::optional<QString> chooseOpenFile() override {
        log << QStringLiteral("open dialog");
        std::optional<QString> answer = next(openFileAnswers, "open dialog");
        if (answer)
            openedFileName = *answer;
        return answer;
    }
    QString openDialogFileName() const override { return openedFileName; }
    void showPictureProperties(const PictureProperties& properties) override {
        shownProperties = properties;
        log << QStringLiteral("properties:%1|%2|%3")
                   .arg(properties.name, properties.widthText, properties.heightText);
    }
    void showAbout(const QString& memoryFigure) override {
        shownMemoryFigure = memoryFigure;
        log << QStringLiteral("about:") + memoryFigure;
    }
    std::optional<NewPictureAnswer> askNewPicture(const QString& widthText,
                                                  const QString& heightText) override {
        newPictureWidthText = widthText;
        newPictureHeightText = heightText;
        log << QStringLiteral("new picture:%1x%2").arg(widthText, heightText);
        return next(newPictureAnswers, "new-picture dialog");
    }
    bool setUpPrinter(QPrinter& printer) override {
        log << QStringLiteral("printer setup:") + printer.printerName();
        return next(printerSetupAnswers, "printer setup")(printer);
    }
    void showMessage(const QString& text) override {
        messages << text;
        log << QStringLiteral("message:") + text;
    }
    ClearAnswer askClearPicture() override {
        log << QStringLiteral("clear picture?");
        return next(clearAnswers, "clear-picture prompt");
    }
    std::optional<Colour> chooseColour(Colour preset) override {
        log << QStringLiteral("colour:%1").arg(preset, 8, 16, QChar(u'0'));
        return next(colourAnswers, "colour dialog");
    }

private:
    template <typename T>
    static T next(std::deque<T>& answers, const char* what) {
        if (answers.empty())
            throw std::logic_error(std::string("unscripted ") + what);
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace kreslix::testing
