#include "document/files/save_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <cerrno>

#include "common/error.h"

namespace kreslix::bmp {

namespace {

// As many links as the system follows in one path.
constexpr int kMostLinks = 40;

[[noreturn]] void failCreate(const QString& path) {
    throw KreslixError(QStringLiteral("Cannot create file %1").arg(path));
}

bool lstatOf(const QString& path, struct stat& info) {
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

// The system's rule for links in shared sticky folders, for this user.
bool mayFollow(const struct stat& link, const QString& folder, const QString& path) {
    struct stat folderInfo {};
    if (::stat(QFile::encodeName(folder).constData(), &folderInfo) != 0)
        failCreate(path);
    const bool shared = (folderInfo.st_mode & S_ISVTX) && (folderInfo.st_mode & S_IWOTH);
    return !shared || link.st_uid == ::geteuid() || link.st_uid == folderInfo.st_uid;
}

QString joined(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

}  // namespace

QString resolveSaveTarget(const QString& path) {
    QStringList pending = QDir::current().absoluteFilePath(path).split(QLatin1Char('/'));
    QString resolved = QStringLiteral("/");
    int links = 0;
    while (!pending.isEmpty()) {
        const QString name = pending.takeFirst();
        if (name.isEmpty() || name == QLatin1String("."))
            continue;
        if (name == QLatin1String("..")) {
            resolved = QDir::cleanPath(joined(resolved, name));
            continue;
        }
        const QString next = joined(resolved, name);
        struct stat info {};
        if (!lstatOf(next, info)) {
            // Nothing there: the save makes it, or fails to, with the rest of the path as given.
            if (errno == ENOENT)
                return pending.isEmpty() ? next : joined(next, pending.join(QLatin1Char('/')));
            failCreate(path);
        }
        if (!S_ISLNK(info.st_mode)) {
            resolved = next;
            continue;
        }
        if (++links > kMostLinks)
            failCreate(path);
        if (!mayFollow(info, resolved, path)) {
            throw KreslixError(QStringLiteral("Do %1 sa nedá uložiť obrázok: je to odkaz iného "
                                              "používateľa v spoločnom priečinku")
                                   .arg(path));
        }
        QByteArray buffer(4096, '\0');
        const ssize_t length =
            ::readlink(QFile::encodeName(next).constData(), buffer.data(), buffer.size());
        if (length <= 0 || length >= buffer.size())
            failCreate(path);
        const QString content = QFile::decodeName(buffer.left(length));
        pending = content.split(QLatin1Char('/')) + pending;
        if (content.startsWith(QLatin1Char('/')))
            resolved = QStringLiteral("/");
    }
    return resolved;
}

}  // namespace kreslix::bmp
