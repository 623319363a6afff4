#pragma once

#include <QString>
#include <stdexcept>

namespace kreslix {

// A command fails by throwing this; the command runner shows the message in the error box.
class KreslixError : public std::runtime_error {
public:
    explicit KreslixError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}

    const QString& message() const { return message_; }

private:
    QString message_;
};

// A refusal in a prompt ends the running command without any message.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "silent abort"; }
};

}  // namespace kreslix
