#pragma once

#include <QString>

namespace kreslix {

// A plain file opened for reading, closed on every way out. Anything else the path names (a
// named pipe, a device, a folder) is refused before it is opened, and nothing blocks: a pipe
// named like a picture would otherwise keep the program waiting in open() for ever.
class RegularFileForReading {
public:
    // Throws KreslixError "Cannot open file %s" when the path names no plain file or it can't
    // be opened.
    explicit RegularFileForReading(const QString& path);
    ~RegularFileForReading();
    RegularFileForReading(const RegularFileForReading&) = delete;
    RegularFileForReading& operator=(const RegularFileForReading&) = delete;

    int descriptor() const { return descriptor_; }
    qint64 size() const { return size_; }
    // Hands the descriptor over to a new owner, who closes it.
    int release();

private:
    int descriptor_ = -1;
    qint64 size_ = 0;
};

}  // namespace kreslix
