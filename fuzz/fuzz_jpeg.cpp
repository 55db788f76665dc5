// Fuzz target: any bytes as an employee's JPEG picture, through libjpeg as the register
// decodes it. A decoded picture must be a usable image of the size its header promised.

#include "picture_loader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QImage image = DecodeJpeg(bytes);
    if (image.isNull()) return 0;
    if (image.width() <= 0 || image.height() <= 0) std::abort();
    // Touch the last row, which a short decode would have left unwritten.
    volatile uchar last = image.constScanLine(image.height() - 1)[0];
    (void)last;
    return 0;
}
