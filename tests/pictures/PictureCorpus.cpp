#include "PictureCorpus.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

namespace tavrel::test {

namespace {

template <class T>
void le(QByteArray& out, T v)
{
    v = qToLittleEndian(v);
    out.append(reinterpret_cast<const char*>(&v), sizeof v);
}

// One JPEG marker segment: FF, the marker, the big-endian length, the body.
void segment(QByteArray& out, quint8 marker, const QByteArray& body)
{
    const quint16 length = qToBigEndian(quint16(body.size() + 2));
    out += char(0xff) + QByteArray(1, char(marker)) + QByteArray(reinterpret_cast<const char*>(&length), 2) + body;
}

QByteArray jpeg(int width, int height, bool progressive, int emptyScans, int components = 1)
{
    QByteArray out = QByteArray::fromHex("ffd8");
    segment(out, 0xdb, QByteArray(1, '\0') + QByteArray(64, '\1'));   // quantisation table 0, all ones
    const quint16 size[2] = {qToBigEndian(quint16(height)), qToBigEndian(quint16(width))};
    segment(out, progressive ? 0xc2 : 0xc0,
            char(8) + QByteArray(reinterpret_cast<const char*>(size), 4) + char(components)
                + QByteArray::fromHex("011100021100031100").left(3 * components));
    // DC and AC tables of one one-bit code for symbol 0: zero bits decode as "no change" everywhere.
    const QByteArray oneCode = QByteArray::fromHex("0100000000000000000000000000000000");
    segment(out, 0xc4, '\x00' + oneCode);
    segment(out, 0xc4, '\x10' + oneCode);
    const QByteArray all = char(components) + QByteArray::fromHex("010002000300").left(2 * components);
    // Every component, tables 0, coefficients from 0 to 0 (DC alone) or to 63 (all at once).
    segment(out, 0xda, all + QByteArray::fromHex(progressive ? "000000" : "003f00"));
    out += QByteArray(16, '\0');
    // Grey: AC scans of the one component; colour: DC refinements of all three at once.
    for (int i = 0; i < emptyScans; ++i)
        segment(out, 0xda, components == 1 ? QByteArray::fromHex("010100013f00") : all + QByteArray::fromHex("000010"));
    return out + QByteArray::fromHex("ffd9");
}

QByteArray bmp(int width, int height, int bits, int compression, int colours, const QByteArray& pixels,
               quint32 dataOffset = 0)
{
    const quint32 headers = 14 + 40 + 4 * quint32(colours), size = quint32(pixels.size());
    QByteArray out("BM");
    for (const quint32 v : {headers + size, 0u, dataOffset ? dataOffset : headers, 40u, quint32(width),
                            quint32(height), 1u | quint32(bits) << 16, quint32(compression), size, 2835u, 2835u,
                            quint32(colours), 0u})
        le(out, v);
    for (int i = 0; i < colours; ++i)
        le(out, quint32(0x10 * i) << 8 | quint32(0x20 * i % 256));   // distinct, blue-green ramp
    return out + pixels;
}

// Every pixel the colour index 1 (1 bit a pixel) or the colour 0x336699 (24 or 32).
QByteArray bmpPlain(int bits, int width, int height)
{
    QByteArray row((width * bits + 31) / 32 * 4, '\0');
    for (int x = 0; x < width; ++x) {
        if (bits == 1)
            row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        else
            row.replace(x * bits / 8, 3, "\x99\x66\x33");
    }
    return bmp(width, height, bits, 0, bits == 1 ? 2 : 0, row.repeated(height));
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

QByteArray pngChunk(const char* type, const QByteArray& data)
{
    const QByteArray body = type + data;
    const quint32 length = qToBigEndian(quint32(data.size())), crc = qToBigEndian(crc32(body));
    return QByteArray(reinterpret_cast<const char*>(&length), 4) + body + QByteArray(reinterpret_cast<const char*>(&crc), 4);
}

// Text chunks of every kind, the compressed ones each inflating to 4 MiB.
QByteArray textChunks(int count)
{
    const QByteArray inflating = qCompress(QByteArray(4 << 20, 'a'), 9).mid(4);
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += pngChunk("zTXt", "Comment" + QByteArray(2, '\0') + inflating)
            + pngChunk("iTXt", "XML:com.adobe.xmp" + QByteArray::fromHex("000100") + "en" + '\0' + '\0' + inflating)
            + pngChunk("tEXt", "Title" + QByteArray(1, '\0') + "a title");
    return out;
}

QByteArray qtWritten(const QImage& image, const char* format, bool progressive = false)
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

QByteArray progressiveJpeg(int width, int height, int emptyScans, int components)
{
    return jpeg(width, height, true, emptyScans, components);
}

QByteArray withSegments(QByteArray jpeg, quint8 marker, int count, int bodySize)
{
    QByteArray one;
    segment(one, marker, QByteArray(bodySize, 'x'));
    return jpeg.insert(2, one.repeated(count));
}

QByteArray blackPng(int width, int height, bool interlaced, const QByteArray& chunks)
{
    // Each row (of each pass when interlaced) is a filter byte and a grey byte a pixel: the most pixels
    // the decoder takes at its allocation limit. The seven passes, or the whole picture:
    const int passes[8][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2},
                              {0, 0, 1, 1}};
    qint64 raw = 0;
    for (int i = interlaced ? 0 : 7; i < (interlaced ? 7 : 8); ++i) {
        const qint64 w = (width - passes[i][0] + passes[i][2] - 1) / passes[i][2];
        const qint64 h = (height - passes[i][1] + passes[i][3] - 1) / passes[i][3];
        raw += w > 0 && h > 0 ? h * (1 + w) : 0;
    }
    const quint32 size[2] = {qToBigEndian(quint32(width)), qToBigEndian(quint32(height))};
    const QByteArray header = QByteArray(reinterpret_cast<const char*>(size), 8) + char(8) + QByteArray(3, '\0') + char(interlaced);
    const QByteArray stream = qCompress(QByteArray(raw, '\0'), 1).mid(4);
    return "\x89PNG\r\n\x1a\n" + pngChunk("IHDR", header) + chunks + pngChunk("IDAT", stream) + pngChunk("IEND", {});
}

QByteArray bmp8(int width, int height, int compression, const QByteArray& pixels, quint32 dataOffset)
{
    return bmp(width, height, 8, compression, 8, pixels, dataOffset);
}

QByteArray gif(int screenW, int screenH, int imageW, int imageH)
{
    QByteArray out("GIF89a");
    le(out, quint16(screenW));
    le(out, quint16(screenH));
    out += QByteArray::fromHex("800000" "ff0000" "000000" "2c00000000");   // red and black; a frame at 0,0
    le(out, quint16(imageW));
    le(out, quint16(imageH));
    return out + QByteArray::fromHex("00" "02024401" "00" "3b");
}

QList<CorpusFile> hostilePictures()
{
    QByteArray shortBmp = bmpPlain(24, 100, 100);
    shortBmp.chop(95 * 300);
    QByteArray png = qtWritten(QImage(1, 1, QImage::Format_RGB32), "PNG");
    png.replace(16, 8, QByteArray::fromHex("0000ffff0000ffff"));   // IHDR: 65535 by 65535
    const quint32 crc = qToBigEndian(crc32(QByteArrayView(png).sliced(12, 17)));
    png.replace(29, 4, reinterpret_cast<const char*>(&crc), 4);
    return {
        {"progressive-32000.jpg", progressiveJpeg(32000, 32000, 0)},
        {"progressive-65500.jpg", progressiveJpeg(65500, 65500, 0)},
        {"baseline-65500.jpg", jpeg(65500, 65500, false, 0)},
        {"scans-4000.jpg", progressiveJpeg(4000, 4000, 5000)},
        {"scans-1000.jpg", progressiveJpeg(1000, 1000, 20000)},
        // Run-length BMPs: data beyond the end, missing, cut short, or leaving pixels no run writes.
        {"rle8-offset-past-end.bmp", bmp(64, 64, 8, 1, 1, QByteArray(1, '\0'), 4000)},
        {"rle8-no-data.bmp", bmp8(64, 64, 1, {})},
        {"rle8-cut-short.bmp", bmp8(16, 16, 1, QByteArray::fromHex("1003 0000 1004"))},
        {"rle8-cut-in-a-run.bmp", bmp8(16, 2, 1, QByteArray::fromHex("1003 0000 0010 0102"))},
        {"rle8-skips-pixels.bmp", bmp8(16, 4, 1, QByteArray::fromHex("0402 0000 0002 0502 0001"))},
        {"rle8-ends-early.bmp", bmp8(16, 4, 1, QByteArray::fromHex("1002 0000 0001"))},
        {"rle8-run-past-row.bmp", bmp8(4, 2, 1, QByteArray::fromHex("ff01 0000 0401 0001"))},
        {"rle4-cut-short.bmp", bmp(16, 16, 4, 2, 16, QByteArray::fromHex("1012 0000"))},
        // Plain BMPs promising more rows than they hold, or too large.
        {"bmp24-short.bmp", shortBmp},
        {"bmp24-60000.bmp", bmp(60000, 60000, 24, 0, 0, QByteArray(64, '\0'))},
        {"gif-65535-screen.gif", gif(65535, 65535, 1, 1)},
        {"gif-65535-frame.gif", gif(1, 1, 65535, 65535)},
        {"png-65535.png", png},
        // Work rather than size: listed marker segments, many scans, PNGs decoded whole before scaling.
        {"comments-80000.jpg", withSegments(jpeg(16, 16, false, 0), 0xfe, 80000)},
        {"app1-80000.jpg", withSegments(jpeg(16, 16, false, 0), 0xe1, 80000)},
        {"colour-scans-5176.jpg", progressiveJpeg(5176, 5176, 199, 3)},
        {"scan-data-17m.jpg", [] {
             QByteArray file = progressiveJpeg(64, 64, 1);   // more data than the decoder reads in a second
             return file.insert(file.lastIndexOf("\xff\xda"), QByteArray(17 << 20, '\0'));
         }()},
        {"png-8192.png", blackPng(8192, 8192, false)},
        {"png-interlaced-5000.png", blackPng(5000, 5000, true)},
    };
}

QList<CorpusFile> validPictures()
{
    QImage photo(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x * 4, y * 5, 128));
    return {
        {"baseline.jpg", qtWritten(photo, "JPEG")},
        {"progressive.jpg", qtWritten(photo, "JPEG", true)},
        {"grey.jpg", jpeg(16, 16, false, 0)},
        {"one-bit.bmp", bmpPlain(1, 13, 5)},
        {"four-bit.bmp", bmp(5, 2, 4, 0, 16, QByteArray::fromHex("1212100034500000"))},
        {"eight-bit.bmp", bmp8(3, 2, 0, QByteArray::fromHex("0102030001020300"))},
        {"rgb24.bmp", bmpPlain(24, 7, 3)},
        {"rgb32.bmp", bmpPlain(32, 7, 3)},
        {"top-down.bmp", bmpPlain(24, 7, 3).replace(22, 4, QByteArray::fromHex("fdffffff"))},
        {"rle8.bmp", bmp8(6, 3, 1, QByteArray::fromHex("0605 0000 0605 0000 0301 0003 020304 00 0001"))},
        {"rle4.bmp", bmp(5, 2, 4, 2, 16, QByteArray::fromHex("0512 0000 0005 123450 00 0001"))},
        {"tiny.gif", gif(1, 1, 1, 1)},
        {"photo.png", qtWritten(photo, "PNG")},
        {"comments.jpg", withSegments(withSegments(jpeg(16, 16, false, 0), 0xfe, 100, 100), 0xe2, 100)},
        {"texts.png", blackPng(2, 2, true, textChunks(100))},
    };
}

} // namespace tavrel::test
