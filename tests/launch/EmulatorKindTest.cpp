#include "launch/DosNames.h"
#include "launch/EmulatorKind.h"

#include "../support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <algorithm>

using namespace tavrel;

TEST(EmulatorKind, FirstWordAsTheShellSplitsIt)
{
    const struct { const char* command; const char* word; const char* rest; } cases[] = {
        {"NeoRAGE.EXE", "NeoRAGE.EXE", ""},
        {"  'My Emu.exe' -x", "My Emu.exe", " -x"},
        {"\"a\\\"b\\c\"d e", "a\"b\\cd", " e"},
        {"My\\ Emu -x", "My Emu", " -x"},
        {"\t", "", ""},
    };
    for (const auto& c : cases) {
        const FirstWord first = firstShellWord(QString::fromUtf8(c.command));
        EXPECT_EQ(first.word + u'|' + QString::fromUtf8(c.command).mid(first.end), QString::fromUtf8(c.word) + u'|' + c.rest)
            << c.command;
    }
}

// The data directory first, then the search path; an exact name anywhere before a case-blind one.
TEST(EmulatorKind, TheEmulatorIsFoundAsTheLaunchRunsIt)
{
    QTemporaryDir tmp;
    const QString root = QDir(tmp.path()).canonicalPath() + u'/';
    for (const char* file : {"data/NEORAGE.EXE", "data/emu/Run.exe", "bin/NeoRAGE.EXE", "bin/tool", "bin2/tool",
                             "bin2/OTHER.COM"})
        ASSERT_TRUE(test::writeFile(root + QLatin1String(file), {}));
    const QString data = root + "data";
    const QStringList path{root + "bin", root + "bin2"};
    const struct { const char* word; const char* found; } cases[] = {
        {"NeoRAGE.EXE", "bin/NeoRAGE.EXE"}, {"neorage.exe", "data/NEORAGE.EXE"}, {"tool", "bin/tool"},
        {"other.com", "bin2/OTHER.COM"},    {"emu/run.EXE", "data/emu/Run.exe"}, {"emu", ""},
        {"missing", ""},                    {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(findEmulator(QLatin1String(c.word), data, path), *c.found ? root + QLatin1String(c.found) : QString())
            << c.word;
    EXPECT_EQ(findEmulator(root + "bin/tool", data, {}), root + "bin/tool");
}

TEST(EmulatorKind, FirstBytesDecideTheKind)
{
    auto mz = [](quint32 peOffset, QByteArray tail) {
        QByteArray bytes("MZ");
        bytes.resize(64, 0);
        qToLittleEndian(peOffset, bytes.data() + 0x3C);
        return bytes + tail;
    };
    const struct { QByteArray bytes; const char* name; EmulatorKind kind; } cases[] = {
        {mz(64, QByteArray("PE\0\0\x4c\x01", 6)), "x", EmulatorKind::Windows32},
        {mz(64, QByteArray("PE\0\0\x64\x86", 6)), "x.exe", EmulatorKind::Windows64},
        {mz(0, "code"), "NEORAGE.EXE", EmulatorKind::Dos},
        {mz(64, "NE\0\0\0\0"), "x", EmulatorKind::Dos},
        {mz(4096, ""), "x", EmulatorKind::Dos},
        {"MZ\x90", "x", EmulatorKind::Dos},
        {"\x7f" "ELF\x02\x01", "X.COM", EmulatorKind::Linux},
        {"#!/bin/sh\n", "run.com", EmulatorKind::Linux},
        {"\xb4\x09\xcd\x21", "GAME.Com", EmulatorKind::Dos},
        {"\xb4\x09\xcd\x21", "game", EmulatorKind::Linux},
        {"", "x", EmulatorKind::Linux},
    };
    for (auto c : cases) {
        QBuffer buffer(&c.bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(classifyExecutable(buffer, QLatin1String(c.name)), c.kind) << c.bytes.toHex().toStdString();
    }
    EXPECT_EQ(emulatorKind({}), EmulatorKind::Linux);
}

// DOS names keep their upper-case form; every other takes an alias of its own, whatever the entries' order.
TEST(DosNames, EveryEntryGetsOneDosNameOfItsOwn)
{
    const QStringList entries{"MSLUG.ZIP", "mslug.zip", "Metal Slug X.zip", "Metal Slug 2.zip", "neogeo.zip",
                              "100%.zip", "a.b.zip", "Été.zip", ".hidden", "LONGNAME9", "x.jpeg",
                              dosAlias("Metal Slug X.zip")};
    const QHash<QString, QString> names = dosNames(entries);
    EXPECT_EQ(names["MSLUG.ZIP"], "MSLUG.ZIP");
    EXPECT_EQ(names["neogeo.zip"], "NEOGEO.ZIP");
    EXPECT_EQ(names["mslug.zip"], dosAlias("mslug.zip"));
    EXPECT_EQ(dosAlias("Metal Slug X.zip").left(4), "MET~");
    EXPECT_EQ(dosAlias("Metal Slug X.zip", 8).size(), 12);
    EXPECT_EQ(dosAlias("Été.zip").left(2), "T~");
    EXPECT_EQ(dosAlias("x.jpeg").right(4), ".JPE");
    EXPECT_EQ(names[dosAlias("Metal Slug X.zip")], dosAlias("Metal Slug X.zip"));
    EXPECT_EQ(names["Metal Slug X.zip"], dosAlias("Metal Slug X.zip", 1));
    QStringList given = names.values();
    std::sort(given.begin(), given.end());
    EXPECT_EQ(std::unique(given.begin(), given.end()), given.end());
    for (const QString& name : given)
        EXPECT_TRUE(isDosName(name) && name == name.toUpper()) << name.toStdString();
    QStringList reversed = entries;
    std::reverse(reversed.begin(), reversed.end());
    EXPECT_EQ(dosNames(reversed), names);

    for (const char* bad : {"", "NINECHARS", "A.ZIPX", "A.", ".A", "A B", "A.B.C", "é", "100%", "A+B"})
        EXPECT_FALSE(isDosName(QString::fromUtf8(bad))) << bad;
}

TEST(DosNames, DosBoxMountsAndWinePaths)
{
    EXPECT_EQ(dosboxMount(u'D', "/run/user/1000/a b/d"), "mount D \"/run/user/1000/a b/d\"");
    EXPECT_EQ(dosboxMount(u'C', "/tmp/100%/é"), "mount C \"/tmp/100%%/é\"");
    EXPECT_EQ(dosboxMount(u'C', "/tmp/say \"hi\""), "");
    EXPECT_EQ(wineZPath("/home/me/My Roms/x.zip"), "Z:\\home\\me\\My Roms\\x.zip");
}
