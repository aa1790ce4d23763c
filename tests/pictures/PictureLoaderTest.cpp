#include "PictureCorpus.h"
#include "TestFiles.h"

#include "platform/Pictures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace tavrel;

namespace {

class PictureLoader : public ::testing::Test {
protected:
    QString put(const test::CorpusFile& file) const
    {
        EXPECT_TRUE(test::writeFile(dir.filePath(file.name), file.bytes));
        return dir.filePath(file.name);
    }

    QTemporaryDir dir;
};

// The colour that the corpus's BMP palettes give index i.
QRgb paletteColour(int i) { return qRgb(0, 0x10 * i, 0x20 * i % 256); }

} // namespace

TEST_F(PictureLoader, RefusesFilesThatCannotBeDecodedWithinBounds)
{
    for (const test::CorpusFile& file : test::hostilePictures()) {
        const QString path = put(file);
        // Repeatedly, at the shown size and whole: the decoder must never see them.
        for (const QSize size : {QSize(201, 137), QSize(), QSize(201, 137)}) {
            const PictureLoad load = loadPicture(path, size);
            EXPECT_TRUE(!load.ok && load.image.isNull()) << file.name.toStdString();
        }
    }
}

TEST_F(PictureLoader, ReadsOrdinaryPicturesInEveryEncoding)
{
    for (const test::CorpusFile& file : test::validPictures()) {
        const PictureLoad load = loadPicture(put(file), QSize());
        EXPECT_TRUE(load.ok && !load.image.isNull()) << file.name.toStdString();
    }

    // What the run-length and packed encodings hold comes out where it belongs.
    const struct { const char* file; QSize size; QPoint at; QRgb colour; } pixels[] = {
        {"rle8.bmp", {6, 3}, {0, 0}, paletteColour(1)}, {"rle8.bmp", {6, 3}, {5, 0}, paletteColour(4)},
        {"rle8.bmp", {6, 3}, {5, 2}, paletteColour(5)}, {"rle4.bmp", {5, 2}, {3, 0}, paletteColour(4)},
        {"rle4.bmp", {5, 2}, {4, 1}, paletteColour(1)}, {"one-bit.bmp", {13, 5}, {12, 4}, paletteColour(1)},
        {"top-down.bmp", {7, 3}, {6, 0}, qRgb(0x33, 0x66, 0x99)}};
    for (const auto& p : pixels) {
        const QImage image = loadPicture(dir.filePath(p.file), QSize()).image;
        EXPECT_EQ(image.size(), p.size) << p.file;
        EXPECT_EQ(image.pixel(p.at), p.colour) << p.file;
    }

    // Texts and other metadata never reach the decoder.
    EXPECT_EQ(loadPicture(dir.filePath("texts.png"), QSize()).image.textKeys(), QStringList());

    // Decoded straight at the size asked for.
    EXPECT_EQ(loadPicture(dir.filePath("progressive.jpg"), QSize(402, 274)).image.size(), QSize(402, 274));
}

TEST_F(PictureLoader, EmptyPathsMissingFilesAndOtherKindsOfFile)
{
    const PictureLoad none = loadPicture(QString(), QSize(10, 10));
    EXPECT_TRUE(none.ok && none.image.isNull());
    // A pipe named like a picture would wait for a writer forever.
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.filePath("pipe.jpg")).constData(), 0600), 0);
    for (const QString& path : {dir.filePath("missing.jpg"), dir.path(), put({"empty.gif", {}}),
                                put({"text.bmp", "BMP? no, just words"}), dir.filePath("pipe.jpg")})
        EXPECT_FALSE(loadPicture(path, QSize()).ok) << path.toStdString();
}

TEST(PictureDecodeSize, CoversTheDevicePixelsOfTheShownSize)
{
    EXPECT_EQ(decodeSizeFor(QSize(201, 137), 1.0), QSize(201, 137));
    EXPECT_EQ(decodeSizeFor(QSize(201, 137), 2.0), QSize(402, 274));
    EXPECT_EQ(decodeSizeFor(QSize(241, 193), 1.5), QSize(362, 290));
}
