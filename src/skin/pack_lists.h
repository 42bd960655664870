#pragma once
// The language pack's bitmap and icon lists (the string list is Qt-free, in core). Images are
// Qt values, implicitly shared: a page or button that holds one keeps it alive across a reload.
// An entry also holds its art at twice the size when the pack has it and a screen of high
// pixel density may draw it (platform/core/hires_art.h); otherwise image2x is null.
#include "platform/core/typed_ptr_list.h"
#include "skin/core/string_table.h"

#include <QImage>

class CBmpObj
{
public:
    CBmpObj(int number, QImage image) : number(number), image(std::move(image)) {}
    int number;
    QImage image;
    QImage image2x;
};

class CIconObj
{
public:
    CIconObj(int number, QImage image) : number(number), image(std::move(image)) {}
    int number;
    QImage image;
    QImage image2x;
};

using CBmpList = CTypedPtrList<CBmpObj>;
using CIconList = CTypedPtrList<CIconObj>;
