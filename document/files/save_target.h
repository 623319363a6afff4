#pragma once

#include <QString>

namespace kreslix::bmp {

// The file a save to path writes: path with every symbolic link on the way resolved, as the
// system resolves it for a protected open. A link in a sticky folder that others may write
// (such as /tmp) is followed only when it is the user's own or the folder owner's: any other
// user may have planted it there to lead the save onto a file of the user's, or to a new file
// where that user chose. Throws a refusal naming path for such a link, and "Cannot create file
// %s" when a part of the path can't be looked at (no right to search a folder, a loop).
QString resolveSaveTarget(const QString& path);

}  // namespace kreslix::bmp
