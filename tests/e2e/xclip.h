#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace kreslix::e2e {

// The CLIPBOARD selection through xclip, another program's client. Reading waits while the
// event loop runs, so that a selection owned by this very process is served meanwhile.
class Xclip {
public:
    ~Xclip();

    // The targets the owner offers, one per line as xclip prints them.
    QStringList targets();
    // The bytes of one target; empty when the owner gives none.
    QByteArray read(const QString& target);
    // Offers the file's bytes as the target until another client takes the selection; returns
    // once the offer can be read.
    void offer(const QString& target, const QString& path);
    // Stops the last offering xclip where it is, as a program that hangs: it keeps the
    // clipboard and never answers a request again.
    void hang();

private:
    void endOffers();

    std::vector<std::unique_ptr<QProcess>> offers_;
};

}  // namespace kreslix::e2e
