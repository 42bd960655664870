#pragma once
// The language pack's bitmap and icon lists (the string list is Qt-free, in core). Images are
// Qt values, implicitly shared: a page or button that holds one keeps it alive across a reload.
#include "platform/core/typed_ptr_list.h"
#include "skin/core/string_table.h"

#include <QImage>
#include <memory>

class CResourceLibrary;

// A bitmap of the pack. One read from a library is decoded when it is first asked for, and
// then kept: a page that is never shown costs no pixels, and no picture is decoded twice. A
// bitmap that does not decode is a null image.
class CBmpObj
{
public:
    CBmpObj(int number, QImage image) : number(number), image_(std::move(image)) {}
    CBmpObj(int number, std::shared_ptr<const CResourceLibrary> library)
        : number(number), library_(std::move(library))
    {
    }
    int number;
    const QImage& Image() const;
    bool Decoded() const { return !library_; }

private:
    mutable QImage image_;
    mutable std::shared_ptr<const CResourceLibrary> library_; // until decoded
};

class CIconObj
{
public:
    CIconObj(int number, QImage image) : number(number), image(std::move(image)) {}
    int number;
    QImage image;
};

using CBmpList = CTypedPtrList<CBmpObj>;
using CIconList = CTypedPtrList<CIconObj>;
