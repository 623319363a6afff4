#pragma once

#include <QSaveFile>
#include <QString>
#include <functional>

namespace kreslix::bmp {

// How the writer hands bytes to the file: returns the number of bytes the file took, or -1.
// Tests put a failing one in place of the plain write.
using ByteSink = std::function<qint64(QSaveFile& file, const char* data, qint64 size)>;

ByteSink plainByteSink();

// Throws "Cannot create file %s" when path names a folder or an existing file that is read-only.
// File permissions don't stop the superuser, so the mode's write bits are checked too: a file
// its owner marked read-only is never replaced behind the user's back.
void checkWritableTarget(const QString& path);

// A new file written beside the target that replaces it only when every byte has been written
// and flushed; dropped unfinished (also on a failure), it leaves the old file as it was. The
// replacement keeps the old file's mode, and its owner and group where the system allows.
// Where no file can be made beside the target (a folder the user may not write), the target
// itself is written in place: a failure then leaves it incomplete.
class BmpFileOutput {
public:
    BmpFileOutput(const QString& path, ByteSink sink);  // throws "Cannot create file %s"

    void write(const char* data, qint64 size);  // throws "Stream write error"
    void commit();                              // throws "Stream write error"

private:
    void keepOwnerAndMode(const QString& path);

    QSaveFile file_;
    ByteSink sink_;
    qint64 written_ = 0;      // bytes written so far
    qint64 writingBack_ = 0;  // bytes whose write to the disk has been started
};

}  // namespace kreslix::bmp
