#pragma once

#include <QString>
#include <optional>

#include "canvas/colour.h"
#include "common/modal_result.h"

namespace kreslix {

// Every modal question the program asks goes through this interface: the program shows the
// real dialogs, tests script the answers.
class Prompts {
public:
    virtual ~Prompts() = default;

    // The error box: the text as given, the application title as caption, stop icon, one OK.
    virtual void showError(const QString& text) = 0;
    // The system's beep (the platform has one sound for the question and the default beep).
    virtual void beep() = 0;
    // The colour dialog, preset with a colour; nothing when the user cancels.
    virtual std::optional<Colour> chooseColour(Colour preset) = 0;
};

}  // namespace kreslix
