#pragma once
// The language pack's bitmap and icon lists (the string list is Qt-free, in core). Images are
// Qt values, implicitly shared: a page or button that holds one keeps it alive across a reload.
// An entry also holds its art at twice the size when the pack has it and a screen of high
// pixel density may draw it (platform/core/hires_art.h); otherwise Image2x() is null.
#include "platform/core/owned_list.h"
#include "skin/core/string_table.h"

#include <QImage>
#include <memory>

class ResourceLibrary;

// A bitmap of the pack. One read from a library is decoded when it is first asked for, and
// then kept: a page that is never shown costs no pixels, and no picture is decoded twice. A
// bitmap that does not decode is a null image.
class SkinBitmap
{
public:
    SkinBitmap(int number, QImage image) : number(number), image_(std::move(image)) {}
    SkinBitmap(int number, std::shared_ptr<const ResourceLibrary> library)
        : number(number), library_(std::move(library))
    {
    }
    int number;
    const QImage& Image() const;
    // The same picture at twice the size, or null (platform/core/hires_art.h); decoded when
    // first asked for, like the picture.
    const QImage& Image2x() const;
    // Names the library bitmap that is this one's art at twice the size.
    void SetHiResArt(int id) { hiResId_ = id; }
    bool Decoded() const { return !library_; }

private:
    mutable QImage image_;
    mutable QImage image2x_;
    mutable std::shared_ptr<const ResourceLibrary> library_; // until decoded
    int hiResId_ = 0;                                        // its 2x art in library_, or none
};

class SkinIcon
{
public:
    SkinIcon(int number, QImage image) : number(number), image(std::move(image)) {}
    int number;
    QImage image;
    QImage image2x;
};

using SkinBitmaps = OwnedList<SkinBitmap>;
using SkinIcons = OwnedList<SkinIcon>;
