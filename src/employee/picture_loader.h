#pragma once
// Employee pictures: JPEG files are decoded with libjpeg, every other format (bitmaps) with
// Qt's image readers.

#include <QImage>
#include <QString>

// The picture in a file; a null image when the file is missing, unreadable, corrupt or
// truncated. Never throws and never waits on anything but the file itself.
QImage LoadPicture(const QString &path);

// The same for JPEG data already in memory; a null image for anything that is not a complete,
// sound JPEG stream.
QImage DecodeJpeg(const QByteArray &data);
