#include "PictureCorpus.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

namespace tavrel::test {

namespace {

void le16(QByteArray& out, quint32 v)
{
    out += char(v & 0xff);
    out += char((v >> 8) & 0xff);
}

void le32(QByteArray& out, quint32 v)
{
    le16(out, v & 0xffff);
    le16(out, v >> 16);
}

void be16(QByteArray& out, quint32 v)
{
    out += char((v >> 8) & 0xff);
    out += char(v & 0xff);
}

// One JPEG marker segment: FF, the marker, the length, the body.
void segment(QByteArray& out, quint8 marker, const QByteArray& body)
{
    out += char(0xff);
    out += char(marker);
    be16(out, quint32(body.size() + 2));
    out += body;
}

QByteArray jpeg(int width, int height, bool progressive, int emptyScans)
{
    QByteArray out = QByteArray::fromHex("ffd8");
    segment(out, 0xdb, QByteArray(1, '\0') + QByteArray(64, '\1'));       // quantisation table 0, all ones
    QByteArray frame(1, char(8));
    be16(frame, quint32(height));
    be16(frame, quint32(width));
    frame += QByteArray::fromHex("01011100");                             // one component, 1x1, table 0
    segment(out, progressive ? 0xc2 : 0xc0, frame);
    // DC and AC tables with a single one-bit code for symbol 0: a scan of
    // zero bits then decodes as "no change" everywhere.
    const QByteArray oneCode = QByteArray::fromHex("01000000000000000000000000000000") + QByteArray(1, '\0');
    segment(out, 0xc4, QByteArray(1, '\x00') + oneCode);
    segment(out, 0xc4, QByteArray(1, '\x10') + oneCode);
    QByteArray firstScan = QByteArray::fromHex("01010000");                   // component 1, tables 0, from coefficient 0
    firstScan += char(progressive ? 0 : 63);                                  // DC alone, or all 64 at once
    firstScan += '\0';
    segment(out, 0xda, firstScan);
    out += QByteArray(16, '\0');
    for (int i = 0; i < emptyScans; ++i)
        segment(out, 0xda, QByteArray::fromHex("010100013f00"));
    out += QByteArray::fromHex("ffd9");
    return out;
}

QByteArray bmp(int width, int height, int bits, int compression, int colours, const QByteArray& pixels,
               quint32 dataOffset)
{
    const quint32 headers = 14 + 40 + 4 * quint32(colours);
    QByteArray out("BM");
    le32(out, headers + quint32(pixels.size()));
    le32(out, 0);
    le32(out, dataOffset ? dataOffset : headers);
    le32(out, 40);
    le32(out, quint32(width));
    le32(out, quint32(height));
    le16(out, 1);
    le16(out, quint32(bits));
    le32(out, quint32(compression));
    le32(out, quint32(pixels.size()));
    le32(out, 2835);
    le32(out, 2835);
    le32(out, quint32(colours));
    le32(out, 0);
    for (int i = 0; i < colours; ++i)
        le32(out, quint32(0x10 * i) << 8 | quint32(0x20 * i % 256));   // distinct, blue-green ramp
    return out + pixels;
}

// The CRC-32 that PNG puts after each chunk.
quint32 crc32(QByteArrayView bytes)
{
    quint32 crc = 0xffffffff;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
    }
    return ~crc;
}

QByteArray qtWritten(const QImage& image, const char* format, bool progressive)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

} // namespace

QByteArray progressiveJpeg(int width, int height, int emptyScans)
{
    return jpeg(width, height, true, emptyScans);
}

QByteArray bmp8(int width, int height, int compression, const QByteArray& pixels, quint32 dataOffset)
{
    return bmp(width, height, 8, compression, 8, pixels, dataOffset);
}

QByteArray bmp4(int width, int height, int compression, const QByteArray& pixels)
{
    return bmp(width, height, 4, compression, 16, pixels, 0);
}

QByteArray bmpPlain(int bits, int width, int height)
{
    const int stride = (width * bits + 31) / 32 * 4;
    QByteArray row(stride, '\0');
    for (int x = 0; x < width; ++x) {
        if (bits == 1) {
            row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        } else {
            const int at = x * bits / 8;
            row[at] = '\x99';
            row[at + 1] = '\x66';
            row[at + 2] = '\x33';
        }
    }
    QByteArray pixels;
    for (int y = 0; y < height; ++y)
        pixels += row;
    return bmp(width, height, bits, 0, bits == 1 ? 2 : 0, pixels, 0);
}

QByteArray gif(int screenW, int screenH, int imageW, int imageH)
{
    QByteArray out("GIF89a");
    le16(out, quint32(screenW));
    le16(out, quint32(screenH));
    out += QByteArray::fromHex("800000" "ff0000" "000000");   // two-colour global table: red, black
    out += QByteArray::fromHex("2c00000000");
    le16(out, quint32(imageW));
    le16(out, quint32(imageH));
    // One pixel of colour 0, then the end code: enough for a 1x1 frame.
    out += QByteArray::fromHex("00" "02024401" "00" "3b");
    return out;
}

QList<CorpusFile> hostilePictures()
{
    QList<CorpusFile> files;
    files << CorpusFile{"progressive-32000.jpg", progressiveJpeg(32000, 32000, 0)}
          << CorpusFile{"progressive-65500.jpg", progressiveJpeg(65500, 65500, 0)}
          << CorpusFile{"baseline-65500.jpg", jpeg(65500, 65500, false, 0)}
          << CorpusFile{"scans-4000.jpg", progressiveJpeg(4000, 4000, 5000)}
          << CorpusFile{"scans-1000.jpg", progressiveJpeg(1000, 1000, 20000)};

    // 8-bit run-length BMPs: the pixel data beyond the end, missing, cut
    // short, or leaving pixels that no run writes.
    files << CorpusFile{"rle8-offset-past-end.bmp", bmp(64, 64, 8, 1, 1, QByteArray(1, '\0'), 4000)}
          << CorpusFile{"rle8-no-data.bmp", bmp8(64, 64, 1, {})}
          << CorpusFile{"rle8-cut-short.bmp", bmp8(16, 16, 1, QByteArray::fromHex("1003 0000 1004"))}
          << CorpusFile{"rle8-cut-in-a-run.bmp", bmp8(16, 2, 1, QByteArray::fromHex("1003 0000 0010 0102"))}
          << CorpusFile{"rle8-skips-pixels.bmp", bmp8(16, 4, 1, QByteArray::fromHex("0402 0000 0002 0502 0001"))}
          << CorpusFile{"rle8-ends-early.bmp", bmp8(16, 4, 1, QByteArray::fromHex("1002 0000 0001"))}
          << CorpusFile{"rle8-run-past-row.bmp", bmp8(4, 2, 1, QByteArray::fromHex("ff01 0000 0401 0001"))}
          << CorpusFile{"rle4-cut-short.bmp", bmp4(16, 16, 2, QByteArray::fromHex("1012 0000"))};
    // Plain BMPs promising more rows than they hold, or too large.
    QByteArray shortBmp = bmpPlain(24, 100, 100);
    shortBmp.chop(95 * 300);
    files << CorpusFile{"bmp24-short.bmp", shortBmp}
          << CorpusFile{"bmp24-60000.bmp", bmp(60000, 60000, 24, 0, 0, QByteArray(64, '\0'), 0)};

    files << CorpusFile{"gif-65535-screen.gif", gif(65535, 65535, 1, 1)}
          << CorpusFile{"gif-65535-frame.gif", gif(1, 1, 65535, 65535)};

    QByteArray png = qtWritten(QImage(1, 1, QImage::Format_RGB32), "PNG", false);
    png.replace(16, 8, QByteArray::fromHex("0000ffff0000ffff"));   // IHDR: 65535 by 65535
    QByteArray crc;
    const quint32 sum = crc32(QByteArrayView(png).sliced(12, 17));
    for (int shift = 24; shift >= 0; shift -= 8)
        crc += char((sum >> shift) & 0xff);
    png.replace(29, 4, crc);
    files << CorpusFile{"png-65535.png", png};
    return files;
}

QList<CorpusFile> validPictures()
{
    QImage photo(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y) {
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 4, y * 5, 128));
    }
    QList<CorpusFile> files;
    files << CorpusFile{"baseline.jpg", qtWritten(photo, "JPEG", false)}
          << CorpusFile{"progressive.jpg", qtWritten(photo, "JPEG", true)}
          << CorpusFile{"grey.jpg", jpeg(16, 16, false, 0)}
          << CorpusFile{"one-bit.bmp", bmpPlain(1, 13, 5)}
          << CorpusFile{"four-bit.bmp", bmp4(5, 2, 0, QByteArray::fromHex("1212100034500000"))}
          << CorpusFile{"eight-bit.bmp", bmp8(3, 2, 0, QByteArray::fromHex("0102030001020300"))}
          << CorpusFile{"rgb24.bmp", bmpPlain(24, 7, 3)}
          << CorpusFile{"rgb32.bmp", bmpPlain(32, 7, 3)}
          << CorpusFile{"top-down.bmp", bmpPlain(24, 7, 3).replace(22, 4, QByteArray::fromHex("fdffffff"))}
          << CorpusFile{"rle8.bmp", bmp8(6, 3, 1, QByteArray::fromHex("0605 0000 0605 0000 0301 0003 020304 00 0001"))}
          << CorpusFile{"rle4.bmp", bmp4(5, 2, 2, QByteArray::fromHex("0512 0000 0005 123450 00 0001"))}
          << CorpusFile{"tiny.gif", gif(1, 1, 1, 1)}
          << CorpusFile{"photo.png", qtWritten(photo, "PNG", false)};
    return files;
}

} // namespace tavrel::test
