#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tavrel::test {

// Picture files built byte by byte: the hostile ones a loader must refuse quickly, and small valid ones
// in the less common encodings that it must still read. The tests and the benchmark make the same files.
struct CorpusFile {
    QString name;
    QByteArray bytes;
};

// A progressive JPEG (grey, or colour of three full-size components) declaring width by height, a first
// DC scan, then emptyScans scans without data; libjpeg walks every block of a scan's components.
QByteArray progressiveJpeg(int width, int height, int emptyScans, int components = 1);
// A JPEG with count empty segments of the given marker (COM, APPn) bodySize bytes long after its start.
QByteArray withSegments(QByteArray jpeg, quint8 marker, int count, int bodySize = 0);
// A GIF whose logical screen is screenW by screenH, holding one imageW by imageH frame of colour 0.
QByteArray gif(int screenW, int screenH, int imageW, int imageH);
// A width by height PNG of 8-bit grey black, with the given chunks before its image data.
QByteArray blackPng(int width, int height, bool interlaced, const QByteArray& chunks = {});
// An 8-bit BMP with the given compression (0 plain, 1 RLE8); dataOffset 0 puts the pixels after the palette.
QByteArray bmp8(int width, int height, int compression, const QByteArray& pixels, quint32 dataOffset = 0);

// Files that must be refused (each within a second and a few megabytes).
QList<CorpusFile> hostilePictures();
// Files in uncommon but valid encodings that must load.
QList<CorpusFile> validPictures();

} // namespace tavrel::test
