#include "picture_loader.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

namespace {

QImage sample(QImage::Format format = QImage::Format_RGB32) {
    QImage image(64, 48, format);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(0, 0, 32, 48, QColor(200, 30, 30));
    return image;
}

QByteArray encoded(const QImage &image, const char *format, int quality = -1) {
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return data;
}

// A valid JPEG damaged in one way.
QByteArray damaged(const QString &how) {
    QByteArray jpeg = encoded(sample(), "JPG", 90);
    if (how == QLatin1String("truncated")) return jpeg.left(jpeg.size() / 2);
    if (how == QLatin1String("header only")) return jpeg.left(20);
    if (how == QLatin1String("scrambled")) {
        // Overwrite the entropy-coded data after the headers with marker-like garbage.
        for (qsizetype i = jpeg.size() / 2; i < jpeg.size() - 2; i += 7)
            jpeg[i] = char(0xFF), jpeg[i + 1] = char(0xC4);
        return jpeg;
    }
    if (how == QLatin1String("zero size")) {
        // The SOF0 frame header with a width of 0.
        const qsizetype sof = jpeg.indexOf(QByteArray("\xFF\xC0", 2));
        jpeg[sof + 7] = 0;
        jpeg[sof + 8] = 0;
        return jpeg;
    }
    if (how == QLatin1String("magic only")) return QByteArray("\xFF\xD8\xFF", 3);
    return jpeg;
}

} // namespace

class Tst_picture_loader : public QObject {
    Q_OBJECT
private slots:
    void readsPictures_data();
    void readsPictures();
    void brokenJpegGivesNoPicture_data();
    void brokenJpegGivesNoPicture();
    void missingOrEmptyFileGivesNoPicture();
};

void Tst_picture_loader::readsPictures_data() {
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("gray");
    QTest::newRow("jpeg colour") << encoded(sample(), "JPG", 95) << "jpg" << false;
    QTest::newRow("jpeg gray") << encoded(sample(QImage::Format_Grayscale8), "JPG", 95) << "jpg"
                               << true;
    QTest::newRow("bitmap") << encoded(sample(), "BMP") << "bmp" << false;
    // The content decides, not the name.
    QTest::newRow("jpeg named bmp") << encoded(sample(), "JPG", 95) << "bmp" << false;
}

void Tst_picture_loader::readsPictures() {
    QFETCH(QByteArray, data);
    QFETCH(QString, suffix);
    QFETCH(bool, gray);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("p.") + suffix);
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();

    const QImage image = LoadPicture(path);
    QVERIFY(!image.isNull());
    QCOMPARE(image.size(), QSize(64, 48));
    const QColor left = image.pixelColor(8, 24);
    const QColor right = image.pixelColor(56, 24);
    QVERIFY2(right.red() > 240 && right.green() > 240 && right.blue() > 240, "white half");
    if (gray) {
        QVERIFY(qAbs(left.red() - left.green()) < 4);
    } else {
        QVERIFY2(left.red() > 170 && left.green() < 70 && left.blue() < 70, "red half");
    }
}

void Tst_picture_loader::brokenJpegGivesNoPicture_data() {
    QTest::addColumn<QByteArray>("data");
    for (const char *how : {"truncated", "header only", "scrambled", "zero size", "magic only"})
        QTest::newRow(how) << damaged(QString::fromLatin1(how));
    QByteArray noise("\xFF\xD8\xFF\xE0", 4);
    for (int i = 0; i < 4000; ++i)
        noise.append(char((i * 131 + 17) & 0xFF));
    QTest::newRow("noise after the magic") << noise;
}

void Tst_picture_loader::brokenJpegGivesNoPicture() {
    QFETCH(QByteArray, data);
    QVERIFY(DecodeJpeg(data).isNull());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("broken.jpg"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
    f.close();
    QVERIFY(LoadPicture(path).isNull());
}

void Tst_picture_loader::missingOrEmptyFileGivesNoPicture() {
    QTemporaryDir dir;
    QVERIFY(LoadPicture(dir.filePath(QStringLiteral("none.jpg"))).isNull());
    QVERIFY(LoadPicture(QString()).isNull());
    QFile f(dir.filePath(QStringLiteral("empty.bmp")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    QVERIFY(LoadPicture(f.fileName()).isNull());
    QVERIFY(LoadPicture(dir.path()).isNull()); // a folder
}

QTEST_MAIN(Tst_picture_loader)
#include "tst_picture_loader.moc"
