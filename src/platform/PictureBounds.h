#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace tavrel {

// The most memory a picture may need to be decoded: four bytes a pixel for
// the decoded picture, plus what the decoder itself buffers.
inline constexpr qint64 kPictureMemoryLimit = 256 * 1024 * 1024;
// No real picture has more scans than this (encoders write about ten, the
// most thorough scan scripts a few dozen); each scan costs a pass over every
// block of its components.
inline constexpr int kMaxJpegScans = 200;
// The decoding work a JPEG may ask for, in blocks of 8 by 8 read: each scan
// reads every block of the components it holds.
inline constexpr qint64 kMaxJpegBlockScans = 64 * 1000 * 1000;
// The entropy-coded bytes a JPEG in several scans may hold: each is decoded
// into the coefficients of the whole picture, at some 50 MB a second here.
inline constexpr qint64 kMaxJpegScanDataBytes = 16 << 20;
// Comment and application segments: the decoder keeps the ones it saves in a
// list that it walks to its end for each new one. Real files hold a handful
// (an ICC profile is at most 255 of them).
inline constexpr int kMaxJpegMarkerSegments = 256;
// The pixels a PNG may have: it is decoded whole, at full size, then scaled;
// an interlaced one in seven passes over the whole picture.
inline constexpr qint64 kMaxPngPixels = 32 * 1000 * 1000;
inline constexpr qint64 kMaxInterlacedPngPixels = 16 * 1000 * 1000;

// Reads what a picture file's headers promise, before any decoder sees it.
// Gives the format to decode it with ("jpeg", "bmp", "gif", "png"), or null
// when the file is of another kind or cannot be decoded within bounds: too
// large, too many scans, or (BMP) pixel data that lies outside the file, is
// shorter than the header says, or leaves pixels unwritten.
const char* decodableFormat(QByteArrayView file);

// Removes from a PNG, in place, every optional chunk that does not shape its
// pixels: the decoder would keep texts (each may inflate to megabytes) and
// other metadata in memory, and the picture is shown without them. Other
// files stay as they are.
void dropPngMetadata(QByteArray& file);

} // namespace tavrel
