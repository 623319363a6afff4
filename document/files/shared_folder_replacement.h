#pragma once

#include <QFile>
#include <QString>

namespace kreslix::bmp {

// A new file made beside `path` in a shared sticky folder (such as /tmp), which takes the name
// on commit. Both the new file and the rename go by name only and follow no link: another user
// may plant a link under the name at any moment, and it is replaced, never written through.
// (QSaveFile resolves a link it finds under the name itself, and would write where it leads.)
class SharedFolderReplacement {
public:
    // file() is closed when no new file could be made.
    explicit SharedFolderReplacement(const QString& path);
    // Removes the new file unless it was committed.
    ~SharedFolderReplacement();
    SharedFolderReplacement(const SharedFolderReplacement&) = delete;
    SharedFolderReplacement& operator=(const SharedFolderReplacement&) = delete;

    QFile& file() { return file_; }
    // Syncs and closes the new file and gives it the name; false when any of that fails.
    bool commit();

private:
    QString path_;
    QByteArray temporary_;  // the new file's name, empty once it is gone or renamed
    QFile file_;
};

// Whether the folder of path is sticky and everybody may write it.
bool inSharedStickyFolder(const QString& path);

}  // namespace kreslix::bmp
