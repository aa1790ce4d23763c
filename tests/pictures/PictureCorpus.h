#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tavrel::test {

// Picture files built byte by byte: the hostile ones a loader must refuse
// quickly, and small valid ones in the less common encodings that it must
// still read. Nothing here is downloaded; the tests and the benchmark make
// the same files.
struct CorpusFile {
    QString name;
    QByteArray bytes;
};

// A grayscale progressive JPEG header declaring width by height, a first DC
// scan, then emptyScans scans without data; libjpeg walks every block once
// per scan.
QByteArray progressiveJpeg(int width, int height, int emptyScans);

// An 8-bit BMP of width by height with the given compression (0 plain, 1
// RLE8) and pixel bytes; dataOffset 0 puts the pixels right after the palette.
QByteArray bmp8(int width, int height, int compression, const QByteArray& pixels, quint32 dataOffset = 0);
// A 4-bit BMP (0 plain, 2 RLE4), palette of 16 entries.
QByteArray bmp4(int width, int height, int compression, const QByteArray& pixels);
// A plain BMP of 1, 24 or 32 bits a pixel, every pixel the colour index 1 /
// the colour 0x336699.
QByteArray bmpPlain(int bits, int width, int height);
// A GIF whose logical screen is screenW by screenH, holding one imageW by
// imageH frame of colour 0 (LZW data included).
QByteArray gif(int screenW, int screenH, int imageW, int imageH);

// Files that must be refused (each within a second and a few megabytes).
QList<CorpusFile> hostilePictures();
// Files in uncommon but valid encodings that must load, with their size.
QList<CorpusFile> validPictures();

} // namespace tavrel::test
