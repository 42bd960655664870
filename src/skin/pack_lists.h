#pragma once
// The language pack's bitmap and icon lists (the string list is Qt-free, in core). Images are
// Qt values, implicitly shared: a page or button that holds one keeps it alive across a reload.
#include "platform/core/typed_ptr_list.h"
#include "skin/core/string_table.h"

#include <QImage>

class CBmpObj
{
public:
    CBmpObj(int number, QImage image) : number(number), image(std::move(image)) {}
    int number;
    QImage image;
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
