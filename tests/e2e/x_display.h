#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace kreslix::e2e {

// Starts the program on the display in $DISPLAY, with leaks of the system libraries suppressed
// in a sanitizer build.
void startProgram(QProcess& program);

// Runs the X helper (x_window_tool) and gives its standard output. Without `ok`, the test
// fails when the helper does.
QString runTool(const QStringList& arguments, bool* ok = nullptr);

struct Found {
    bool ok = false;
    QString id;
    QRect geometry;
};

// The shown top-level window with that title, waited for up to timeoutMs.
Found findWindow(const QString& title, int timeoutMs);

// The whole screen as the X server holds it.
QImage screenshot(const QString& path);

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

private:
    std::vector<std::unique_ptr<QProcess>> offers_;
};

}  // namespace kreslix::e2e
