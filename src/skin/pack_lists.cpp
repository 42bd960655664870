#include "skin/pack_lists.h"

#include "platform/resource_library.h"

const QImage& CBmpObj::Image() const
{
    if (library_) {
        image_ = library_->Bitmap(number);
        library_.reset();
    }
    return image_;
}
