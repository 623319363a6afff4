#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <stdexcept>

#include "common/prompts.h"

namespace kreslix::testing {

// Prompts whose answers the test scripts in advance and whose questions it can read back.
// A question asked without a scripted answer fails the test by throwing.
class ScriptedPrompts : public Prompts {
public:
    // What the program showed or asked, in order: "error:<text>", "beep", "colour:<preset hex>".
    QStringList log;
    QStringList errors;
    int beeps = 0;

    std::deque<std::optional<Colour>> colourAnswers;

    void showError(const QString& text) override {
        errors << text;
        log << QStringLiteral("error:") + text;
    }
    void beep() override {
        ++beeps;
        log << QStringLiteral("beep");
    }
    std::optional<Colour> chooseColour(Colour preset) override {
        log << QStringLiteral("colour:%1").arg(preset, 8, 16, QChar(u'0'));
        return next(colourAnswers, "colour dialog");
    }

private:
    template <typename T>
    static T next(std::deque<T>& answers, const char* what) {
        if (answers.empty()) throw std::logic_error(std::string("unscripted ") + what);
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace kreslix::testing
