#pragma once

#include <QFile>
#include <QSaveFile>
#include <QString>
#include <functional>
#include <memory>

#include "document/files/shared_folder_replacement.h"

namespace kreslix::bmp {

// How the writer hands bytes to the file: returns the number of bytes the file took, or -1.
// Tests put a failing one in place of the plain write.
using ByteSink = std::function<qint64(QFileDevice& file, const char* data, qint64 size)>;

ByteSink plainByteSink();

// Throws "Cannot create file %s" when path names a folder or an existing file that is read-only,
// and a refusal of its own when it names anything but a plain file (a named pipe, a device):
// a picture goes only to a plain file or a new name, and nothing else is ever replaced. File
// permissions don't stop the superuser, so the mode's write bits are checked too: a file its
// owner marked read-only is never replaced behind the user's back. path has its links resolved
// (resolveSaveTarget): the file a link leads to is written, as every program writes through
// links the system lets it follow. A path that can't be looked at is not taken for a new name.
// The messages name the file as named, the path the user chose, when given.
void checkWritableTarget(const QString& path, const QString& named = {});

// A new file written beside the target that replaces it only when every byte has been written
// and flushed; dropped unfinished (also on a failure), it leaves the old file as it was. The
// replacement keeps the old file's mode, and its owner and group where the system allows.
// Where the target can't be replaced although the user may write it, the target itself is
// written in place, and a failure then leaves it incomplete: in a folder the user may not
// write, where no new file can be made beside it, and in a sticky folder (such as /tmp) over a
// file of another user, which only that user may replace. In a shared sticky folder the new
// file is made and renamed by name only, so a link planted meanwhile is never written through.
class BmpFileOutput {
public:
    // Throws "Cannot create file %s" naming the file as named, when given.
    BmpFileOutput(const QString& path, ByteSink sink, const QString& named = {});

    void write(const char* data, qint64 size);  // throws "Stream write error"
    void commit();                              // throws "Stream write error"

private:
    void openInPlace(const QString& path);
    void openReplacement(const QString& path);
    void keepOwnerAndMode(const QString& path);

    std::unique_ptr<QSaveFile> replacement_;
    std::unique_ptr<SharedFolderReplacement> shared_;  // the replacement in a shared sticky folder
    std::unique_ptr<QFile> inPlace_;
    QFileDevice* file_ = nullptr;  // whichever of the two is in use
    ByteSink sink_;
    QString named_;           // the file as the messages name it
    qint64 written_ = 0;      // bytes written so far
    qint64 writingBack_ = 0;  // bytes whose write to the disk has been started
};

}  // namespace kreslix::bmp
