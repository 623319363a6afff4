#include "document/files/shared_folder_replacement.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>

namespace kreslix::bmp {

SharedFolderReplacement::SharedFolderReplacement(const QString& path) : path_(path) {
    const QByteArray base = QFile::encodeName(QFileInfo(path).path()) + "/." +
                            QFile::encodeName(QFileInfo(path).fileName());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name =
            base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        // The system applies the user's umask, as to any new file.
        const int handle =
            ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (handle < 0) {
            if (errno == EEXIST)
                continue;
            return;
        }
        temporary_ = name;
        if (!file_.open(handle, QIODevice::WriteOnly | QIODevice::Unbuffered,
                        QFileDevice::AutoCloseHandle)) {
            ::close(handle);
        }
        return;
    }
}

SharedFolderReplacement::~SharedFolderReplacement() {
    file_.close();
    // Others can't remove or replace the user's own file in a sticky folder: the name is ours.
    if (!temporary_.isEmpty())
        ::unlink(temporary_.constData());
}

bool SharedFolderReplacement::commit() {
    const bool synced = ::fsync(file_.handle()) == 0;
    file_.close();
    if (!synced || file_.error() != QFileDevice::NoError ||
        ::rename(temporary_.constData(), QFile::encodeName(path_).constData()) != 0) {
        return false;
    }
    temporary_.clear();
    return true;
}

bool inSharedStickyFolder(const QString& path) {
    struct stat folder {};
    return ::stat(QFile::encodeName(QFileInfo(path).path()).constData(), &folder) == 0 &&
           (folder.st_mode & S_ISVTX) && (folder.st_mode & S_IWOTH);
}

}  // namespace kreslix::bmp
