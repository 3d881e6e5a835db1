// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

// Writes a Windows icon file from PNG pictures of one icon at several sizes,
// each kept as PNG inside it, as Windows has read them since Vista.
//
// Usage: writeico <out.ico> <picture.png>...

#include <QByteArray>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>
#include <QtEndian>

#include <algorithm>

namespace
{
void appendLittleEndian16(QByteArray& bytes, quint16 value)
{
    const quint16 little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&little), 2);
}

void appendLittleEndian32(QByteArray& bytes, quint32 value)
{
    const quint32 little = qToLittleEndian(value);
    bytes.append(reinterpret_cast<const char*>(&little), 4);
}

struct Picture {
    int size;
    QByteArray png;
};
} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: writeico <out.ico> <picture.png>...\n";
        return 2;
    }
    QList<Picture> pictures;
    for (const QString& path : args.mid(2)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            err << "writeico: cannot read " << path << '\n';
            return 1;
        }
        const QByteArray png = file.readAll();
        const QImage image = QImage::fromData(png, "PNG");
        if (image.isNull() || image.width() != image.height() || image.width() > 256) {
            err << "writeico: " << path << " is not a square PNG of at most 256 pixels\n";
            return 1;
        }
        pictures.append({image.width(), png});
    }
    std::sort(pictures.begin(), pictures.end(),
              [](const Picture& a, const Picture& b) { return a.size < b.size; });

    QByteArray ico;
    appendLittleEndian16(ico, 0); // reserved
    appendLittleEndian16(ico, 1); // an icon
    appendLittleEndian16(ico, quint16(pictures.size()));
    quint32 offset = quint32(6 + 16 * pictures.size());
    for (const Picture& picture : pictures) {
        ico.append(char(picture.size == 256 ? 0 : picture.size)); // 0 stands for 256
        ico.append(char(picture.size == 256 ? 0 : picture.size));
        ico.append(char(0));           // no palette
        ico.append(char(0));           // reserved
        appendLittleEndian16(ico, 1);  // colour planes
        appendLittleEndian16(ico, 32); // bits per pixel
        appendLittleEndian32(ico, quint32(picture.png.size()));
        appendLittleEndian32(ico, offset);
        offset += quint32(picture.png.size());
    }
    for (const Picture& picture : pictures)
        ico.append(picture.png);

    QFile out(args[1]);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(ico) != ico.size()) {
        err << "writeico: cannot write " << args[1] << '\n';
        return 1;
    }
    QTextStream(stdout) << args[1] << '\n';
    return 0;
}
