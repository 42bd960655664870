#pragma once
// A resource library opened from disk: the bounds-checked reader's results as Qt images.
// The whole file is read into memory once; nothing keeps the file open afterwards.
#include "platform/core/pe_resources.h"

#include <QImage>
#include <QString>

// Opaque pixels become an RGB32 image, pixels with alpha an ARGB32 image; a null image when
// the buffer does not match the size.
QImage ToQImage(pe::Argb32Image image, bool withAlpha);

class ResourceLibrary
{
public:
    // Reads and checks the file; false (and nothing held) when it cannot be read or is not
    // a well-formed resource library.
    bool Open(const QString& path);
    bool IsOpen() const { return open_; }
    const pe::PeResourceFile& Resources() const { return file_; }

    // The bitmap or icon of that number; a null image when there is none or it does not decode.
    QImage Bitmap(int number) const;
    QImage Icon(int number, int size = 32) const;

private:
    bool open_ = false;
    pe::PeResourceFile file_;
};

// One bitmap of the library at the path, as the progress dialog loads its frames; a null
// image when the file or the bitmap is missing.
QImage LoadLibraryBitmap(const QString& path, int number);
