#include "skin/pack_lists.h"

#include "platform/resource_library.h"

const QImage& SkinBitmap::Image() const
{
    if (library_) {
        image_ = library_->Bitmap(number);
        // Pack art has at most 256 colours (8-bit bitmaps): kept as 8-bit pixels, the 2x art
        // takes a quarter of the memory its decoded 32-bit form would.
        if (hiResId_ != 0) {
            const QImage art = library_->Bitmap(hiResId_);
            if (!art.isNull())
                image2x_ = art.convertToFormat(QImage::Format_Indexed8, Qt::AvoidDither);
        }
        library_.reset();
    }
    return image_;
}

const QImage& SkinBitmap::Image2x() const
{
    Image();
    return image2x_;
}
