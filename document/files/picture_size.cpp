#include "document/files/picture_size.h"

#include <sys/sysinfo.h>

#include <QString>

#include "common/error.h"

namespace kreslix {

qint64 pictureMemoryLimit() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0 || info.totalram == 0)
        return qint64(1) << 30;
    const unsigned long long total = static_cast<unsigned long long>(info.totalram) * info.mem_unit;
    return static_cast<qint64>(total / 4);
}

void checkPictureSize(qint64 width, qint64 height) {
    checkDecodedPictureSize(width, height, 0, pictureMemoryLimit());
}

void checkDecodedPictureSize(qint64 width, qint64 height, qint64 decoderBytes, qint64 limit) {
    if (width < 0 || height < 0) {
        throw KreslixError(
            QStringLiteral("Obrázok %1 × %2 bodov sa nedá vytvoriť: rozmery nesmú byť záporné")
                .arg(width)
                .arg(height));
    }
    const bool tooWide = width > kMaxPictureSide || height > kMaxPictureSide;
    // Both sides are at most 2^24 here, so the product cannot overflow.
    if (tooWide || width * height * 4 > limit) {
        throw KreslixError(QStringLiteral("Obrázok %1 × %2 bodov sa nedá vytvoriť: potreboval by "
                                          "viac pamäte, ako môže mať jeden obrázok (%3 MB)")
                               .arg(width)
                               .arg(height)
                               .arg(limit >> 20));
    }
    if (width * height * 4 + decoderBytes > limit) {
        throw KreslixError(QStringLiteral("Obrázok %1 × %2 bodov sa nedá otvoriť: jeho dekódovanie "
                                          "by potrebovalo %3 MB, viac, ako môže mať jeden "
                                          "obrázok (%4 MB)")
                               .arg(width)
                               .arg(height)
                               .arg((width * height * 4 + decoderBytes) >> 20)
                               .arg(limit >> 20));
    }
}

}  // namespace kreslix
