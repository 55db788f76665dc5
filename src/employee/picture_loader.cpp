#include "picture_loader.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <csetjmp>
#include <cstdio> // jpeglib.h needs FILE and size_t declared first
#include <jpeglib.h>

namespace {

// Pictures are portraits; anything larger is refused rather than allocated.
constexpr qint64 kMaxFileSize = 64LL * 1024 * 1024;
constexpr JDIMENSION kMaxSide = 20000;
constexpr qint64 kMaxPixels = 60LL * 1000 * 1000;
// A progressive stream with an absurd number of scans takes very long to decode.
constexpr int kMaxScans = 200;

struct ErrorManager {
    jpeg_error_mgr pub; // first member: libjpeg hands back a pointer to it
    std::jmp_buf jump;
};

[[noreturn]] void errorExit(j_common_ptr cinfo) {
    std::longjmp(reinterpret_cast<ErrorManager *>(cinfo->err)->jump, 1);
}

// Warnings are how libjpeg reports corrupt or truncated data; such a picture is not shown.
void emitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) errorExit(cinfo);
}

void outputMessage(j_common_ptr) {}

void progressMonitor(j_common_ptr cinfo) {
    if (cinfo->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(cinfo)->input_scan_number > kMaxScans)
        errorExit(cinfo);
}

bool isJpeg(const QByteArray &data) {
    return data.size() >= 3 && static_cast<unsigned char>(data[0]) == 0xFF &&
           static_cast<unsigned char>(data[1]) == 0xD8 &&
           static_cast<unsigned char>(data[2]) == 0xFF;
}

// Everything between setjmp and the return lives in plain C structures or in `image`, which is
// declared outside so that no destructor is skipped by the jump.
bool decode(const QByteArray &data, QImage &image) {
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    jpeg_progress_mgr progress;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = errorExit;
    err.pub.emit_message = emitMessage;
    err.pub.output_message = outputMessage;
    progress.progress_monitor = progressMonitor;

    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress;
    jpeg_mem_src(&cinfo, reinterpret_cast<const unsigned char *>(data.constData()),
                 static_cast<unsigned long>(data.size()));
    jpeg_read_header(&cinfo, TRUE);
    // Refuse absurd sizes from the header alone: starting the decompression of a progressive
    // file allocates its whole coefficient buffer and reads every scan first.
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxSide ||
        cinfo.image_height > kMaxSide ||
        qint64(cinfo.image_width) * cinfo.image_height > kMaxPixels)
        errorExit(reinterpret_cast<j_common_ptr>(&cinfo));

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    const bool gray = cinfo.jpeg_color_space == JCS_GRAYSCALE;
    cinfo.out_color_space = cmyk ? JCS_CMYK : gray ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_start_decompress(&cinfo);

    const JDIMENSION w = cinfo.output_width;
    const JDIMENSION h = cinfo.output_height;
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide || qint64(w) * h > kMaxPixels ||
        cinfo.output_components != (cmyk   ? 4
                                    : gray ? 1
                                           : 3))
        errorExit(reinterpret_cast<j_common_ptr>(&cinfo));

    image = QImage(static_cast<int>(w), static_cast<int>(h),
                   cmyk   ? QImage::Format_RGB32
                   : gray ? QImage::Format_Grayscale8
                          : QImage::Format_RGB888);
    if (image.isNull()) errorExit(reinterpret_cast<j_common_ptr>(&cinfo));

    // A CMYK row fills the 32-bit pixels of its image row and is converted in place.
    while (cinfo.output_scanline < h) {
        const int y = static_cast<int>(cinfo.output_scanline);
        JSAMPROW row = image.scanLine(y);
        if (jpeg_read_scanlines(&cinfo, &row, 1) != 1)
            errorExit(reinterpret_cast<j_common_ptr>(&cinfo));
        if (cmyk) {
            // Adobe writes inverted CMYK, which is what nearly every CMYK JPEG holds.
            auto *px = reinterpret_cast<QRgb *>(row);
            const uchar *src = row;
            for (JDIMENSION x = 0; x < w; ++x) {
                const int c = src[4 * x], m = src[4 * x + 1], yy = src[4 * x + 2],
                          k = src[4 * x + 3];
                px[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
            }
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

QImage DecodeJpeg(const QByteArray &data) {
    if (!isJpeg(data)) return {};
    QImage image;
    if (!decode(data, image)) return {};
    return image;
}

QImage LoadPicture(const QString &path) {
    if (path.isEmpty()) return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxFileSize) return {};
    const QByteArray data = file.readAll();
    file.close();
    if (isJpeg(data)) return DecodeJpeg(data);

    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    // A JPEG is only ever decoded above, so a broken one is never handed to another reader.
    if (reader.format() == "jpeg" || reader.format() == "jpg") return {};
    QImage image;
    if (!reader.read(&image)) return {};
    return image;
}
