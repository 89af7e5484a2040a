#include "support/TestPictures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QDateTime>
#include <QFileInfo>

QImage SolidPicture(int w, int h, QColor color)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

QByteArray SolidPng(int w, int h, QColor color)
{
    return EncodePicture(SolidPicture(w, h, color), "PNG");
}

QByteArray EncodePicture(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QString WriteTestFile(const QString& folder, const QString& name, const QByteArray& bytes)
{
    const QString path = folder + "/" + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
    return path;
}

QByteArray BitmapHeaderOnly(int w, int h)
{
    QByteArray b(54, '\0');
    auto put32 = [&](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b[at + i] = char((v >> (8 * i)) & 0xFF);
    };
    b[0] = 'B';
    b[1] = 'M';
    put32(2, 54);
    put32(10, 54);
    put32(14, 40);
    put32(18, uint32_t(w));
    put32(22, uint32_t(h));
    b[26] = 1;
    b[28] = 32;
    return b;
}

void TouchLater(const QString& path, int seconds)
{
    QFile file(path);
    if (file.open(QIODevice::ReadWrite))
        file.setFileTime(QFileInfo(path).lastModified().addSecs(seconds), QFileDevice::FileModificationTime);
}
