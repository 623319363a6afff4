#include "document/files/jpeg_reader.h"

#include "common/error.h"
#include "document/files/jpeg_decoder.h"
#include "document/files/picture_size.h"
#include "document/files/regular_file.h"

namespace kreslix {

Picture readJpeg(const QString& path, WorkProgress* progress) {
    const RegularFileForReading file(path);
    // No picture allowed in memory needs a larger file; a bigger one is refused before a byte
    // of it is read.
    const qint64 limit = pictureMemoryLimit();
    if (file.size() > limit) {
        throw KreslixError(QStringLiteral("Súbor %1 sa nedá otvoriť: je väčší, ako môže byť "
                                          "jeden obrázok (%2 MB)")
                               .arg(path)
                               .arg(limit >> 20));
    }
    return decodeJpegFile(file.descriptor(), progress);
}

}  // namespace kreslix
