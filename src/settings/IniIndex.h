#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace tavrel {

// The parsed copy of a settings file: its exact bytes plus an index of its section headers.
//
// Only headers are indexed (folded name -> where the header line is); a section's keys are found by
// scanning its few lines when asked. That keeps building the copy to one pass over the file, which
// matters with a hundred thousand game sections.
//
// Line rules: lines end at CR, LF or CR LF; a UTF-8 byte-order mark at the very start of the file is
// skipped; lines are trimmed of blanks and tabs. A header starts with "[" and holds a "]", its name
// runs to the last "]". Any other line holding "=" is a key line. Names match case-insensitively,
// first occurrence wins. Text that is not valid UTF-8 (written in an 8-bit code page) reads as Latin-1.
class IniIndex {
public:
    IniIndex();
    explicit IniIndex(QByteArray bytes);

    const QByteArray& bytes() const { return m_bytes; }

    // A name as it is matched: blanks and tabs trimmed, case folded, as UTF-8.
    static QByteArray foldName(QStringView name);
    // Blanks and tabs trimmed from both ends (the only characters the file format trims).
    static QStringView trimmed(QStringView text);

    // The value of key in section (quotes removed), at most 254 UTF-16 units; empty when missing.
    QString value(QStringView section, QStringView key) const;

    // One splice of the bytes: remove `removed` bytes at `pos`, insert `inserted` there.
    struct Edit {
        qsizetype pos = 0;
        qsizetype removed = 0;
        QByteArray inserted;
        bool addsSection = false;
    };
    // The splice that makes section/key hold value. The texts must already be acceptable to the store.
    // Empty when the file already holds exactly that value.
    std::optional<Edit> planWrite(QStringView section, QStringView key, QStringView value) const;
    // Applies a splice from planWrite to the bytes and patches the index (no re-parse).
    void apply(const Edit& edit);

private:
    struct Header {
        qsizetype lineStart; // first byte of the header's line (before any blanks)
        qsizetype lineEnd;   // the CR or LF ending it, or the end of the file
        quint64 nameHash;    // of the folded name, taken while the line is at hand
    };
    struct KeyScan {
        bool found = false;
        qsizetype valueBegin = 0; // just after the "="
        qsizetype lineEnd = 0;
        qsizetype insertAt = 0;    // just after the section's last non-blank line (after its line break)
        bool insertNeedsBreak = false; // that line runs to the end of the file without a break
    };

    void scanHeaders(qsizetype from);
    void indexHeader(int header);
    QByteArrayView headerName(int header) const;
    int findSection(const QByteArray& folded) const;
    qsizetype sectionEnd(int header) const;
    KeyScan scanSection(int header, const QByteArray& foldedKey) const;
    QByteArrayView storedValue(const KeyScan& scan) const;
    QByteArray lineBreak() const;

    QByteArray m_bytes;
    qsizetype m_contentBegin = 0; // after the byte-order mark, if any
    std::vector<Header> m_headers; // in file order
    // The first header of each name, keyed by a hash of the folded name under QHash's per-process
    // seed, so names that others choose (game paths come from file names) cannot be made to collide.
    // Names are compared from the bytes, so no folded copy is kept: building the copy is mostly the
    // cost of touching fresh memory. For 100,000 records, a folded copy and a table keyed by views
    // into it took 60 ms (3,300 page faults); this takes 20 ms (425), BM_BuildParsedCopy.
    struct Slot {
        int header = -1;
    };
    QHash<quint64, Slot> m_sections;
};

} // namespace tavrel
