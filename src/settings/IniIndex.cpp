#include "settings/IniIndex.h"

#include <algorithm>
#include <cstring>

namespace tavrel {

namespace {

constexpr qsizetype kMaxValueUnits = 254;
// Decoding this many bytes of a value always yields more than kMaxValueUnits UTF-16 units (no unit
// takes more than 4 bytes), so a character cut at the end of the slice never reaches the units we keep.
constexpr qsizetype kMaxValueBytes = 1024;

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
inline bool isBreak(char c) { return c == '\r' || c == '\n'; }
inline char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c; }

constexpr quint64 kOnes = 0x0101010101010101ull;
constexpr quint64 kHighs = 0x8080808080808080ull;

// Bytes of w equal to c get their high bit set (exact for the lowest such byte, which is all we use).
inline quint64 bytesEqual(quint64 w, unsigned char c)
{
    const quint64 x = w ^ (kOnes * c);
    return (x - kOnes) & ~x & kHighs;
}

// The first CR or LF from p on, or end. Eight bytes at a time: header and key lines are scanned by the
// million when the copy is built.
inline const char* lineEndOf(const char* p, const char* end)
{
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    while (end - p >= 8) {
        quint64 w;
        std::memcpy(&w, p, 8);
        const quint64 hit = bytesEqual(w, '\r') | bytesEqual(w, '\n');
        if (hit)
            return p + (__builtin_ctzll(hit) >> 3);
        p += 8;
    }
#endif
    while (p < end && !isBreak(*p))
        ++p;
    return p;
}

// Start of the next line, given the end of this one (CR, LF or CR LF).
inline const char* afterBreak(const char* e, const char* end)
{
    if (e < end && *e == '\r') {
        ++e;
        if (e < end && *e == '\n')
            ++e;
    } else if (e < end) {
        ++e;
    }
    return e;
}

inline const char* skipBlanks(const char* p, const char* end)
{
    while (p < end && isBlank(*p))
        ++p;
    return p;
}

inline const char* trimBlanksBack(const char* begin, const char* e)
{
    while (e > begin && isBlank(e[-1]))
        --e;
    return e;
}

// Word-at-a-time multiply/xor-shift hash: names differ mostly after a long common prefix ("/home/...").
quint64 hashBytes(const char* p, size_t n)
{
    quint64 h = 0x9e3779b97f4a7c15ull ^ n;
    while (n >= 8) {
        quint64 w;
        std::memcpy(&w, p, 8);
        h = (h ^ w) * 0xff51afd7ed558ccdull;
        h ^= h >> 32;
        p += 8;
        n -= 8;
    }
    quint64 w = 0;
    std::memcpy(&w, p, n);
    h = (h ^ w) * 0xc4ceb9fe1a85ec53ull;
    h ^= h >> 29;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 32;
    return h;
}

// Folds name bytes from the file onto the end of out. ASCII (nearly every name) is lowered in place;
// anything else goes through QString's Unicode case folding, decoded the way fromUtf8 does.
void appendFolded(std::string& out, const char* p, qsizetype n)
{
    const size_t start = out.size();
    out.resize(start + size_t(n));
    char* dst = out.data() + start;
    quint64 high = 0;
    qsizetype i = 0;
    for (; i + 8 <= n; i += 8) {
        // Eight ASCII letters lowered at once: set bit 5 of each byte in 'A'..'Z'.
        quint64 w;
        std::memcpy(&w, p + i, 8);
        high |= w;
        const quint64 low7 = w & ~kHighs;
        const quint64 aboveZ = low7 + kOnes * (0x7f - 'Z');
        const quint64 atLeastA = low7 + kOnes * (0x80 - 'A');
        w |= ((atLeastA ^ aboveZ) & ~w & kHighs) >> 2;
        std::memcpy(dst + i, &w, 8);
    }
    for (; i < n; ++i) {
        high |= static_cast<unsigned char>(p[i]);
        dst[i] = lowerAscii(p[i]);
    }
    if (high & kHighs) {
        out.resize(start);
        const QByteArray folded = QString::fromUtf8(p, n).toCaseFolded().toUtf8();
        out.append(folded.constData(), size_t(folded.size()));
    }
}

// Does the key of a line (raw bytes) match a folded key?
bool keyMatches(const char* p, qsizetype n, const QByteArray& folded)
{
    unsigned char high = 0;
    for (qsizetype i = 0; i < n; ++i)
        high |= static_cast<unsigned char>(p[i]);
    if (!(high & 0x80)) {
        if (n != folded.size())
            return false;
        const char* f = folded.constData();
        for (qsizetype i = 0; i < n; ++i) {
            if (lowerAscii(p[i]) != f[i])
                return false;
        }
        return true;
    }
    return QString::fromUtf8(p, n).toCaseFolded().toUtf8() == folded;
}

} // namespace

IniIndex::IniIndex() = default;

IniIndex::IniIndex(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        m_contentBegin = 3;
    // Game records run to some 450 bytes; reserving for more costs only address space.
    m_headers.reserve(size_t(m_bytes.size() / 256 + 16));
    m_folded.reserve(size_t(m_bytes.size() / 8 + 64));
    scanHeaders(m_contentBegin);
    growTable(m_headers.size() * 2);
    indexHeaders(0);
}

QStringView IniIndex::trimmed(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && (text[b] == u' ' || text[b] == u'\t'))
        ++b;
    while (e > b && (text[e - 1] == u' ' || text[e - 1] == u'\t'))
        --e;
    return text.sliced(b, e - b);
}

QByteArray IniIndex::foldName(QStringView name)
{
    const QStringView t = trimmed(name);
    bool ascii = true;
    for (QChar c : t) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (!ascii)
        return t.toString().toCaseFolded().toUtf8();
    QByteArray out(t.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (qsizetype i = 0; i < t.size(); ++i)
        dst[i] = lowerAscii(char(t[i].unicode()));
    return out;
}

// Appends every header from `from` on. A header line is found from its "[" (memchr over the whole
// file is far cheaper than splitting it into lines): the "[" must be the first non-blank of its line.
void IniIndex::scanHeaders(qsizetype from)
{
    const char* const data = m_bytes.constData();
    const char* const begin = data + m_contentBegin;
    const char* const end = data + m_bytes.size();
    const char* p = data + from;
    while (p < end) {
        const char* open = static_cast<const char*>(std::memchr(p, '[', size_t(end - p)));
        if (!open)
            break;
        const char* lineStart = open;
        while (lineStart > begin && isBlank(lineStart[-1]))
            --lineStart;
        if (lineStart > begin && !isBreak(lineStart[-1])) {
            p = open + 1; // a "[" inside some line
            continue;
        }
        const char* e = lineEndOf(open + 1, end);
        const char* close = static_cast<const char*>(memrchr(open + 1, ']', size_t(e - open - 1)));
        if (close) {
            const char* nameBegin = skipBlanks(open + 1, close);
            const char* nameEnd = trimBlanksBack(nameBegin, close);
            Header h;
            h.lineStart = lineStart - data;
            h.lineEnd = e - data;
            h.foldOffset = qsizetype(m_folded.size());
            appendFolded(m_folded, nameBegin, nameEnd - nameBegin);
            h.foldLength = qsizetype(m_folded.size()) - h.foldOffset;
            h.hash = hashBytes(m_folded.data() + h.foldOffset, size_t(h.foldLength));
            m_headers.push_back(h);
        }
        p = e;
    }
}

void IniIndex::growTable(size_t minSlots)
{
    size_t size = 16;
    while (size < minSlots)
        size *= 2;
    if (size <= m_slots.size())
        return;
    std::vector<quint64> old;
    old.swap(m_slots);
    m_slots.assign(size, 0);
    m_used = 0;
    for (quint64 s : old) {
        if (s)
            insertSlot(quint32(s) - 1);
    }
}

// A slot holds the high half of the name's hash above the header's index + 1 (0: empty), so that
// probing rarely has to look at the header itself.
static inline quint64 slotFor(quint64 hash, quint32 header)
{
    return (hash & 0xffffffff00000000ull) | (quint64(header) + 1);
}

// Inserts a header unless an earlier one has the same name (the first section of a name wins).
bool IniIndex::insertSlot(quint32 header)
{
    const Header& h = m_headers[header];
    const quint64 tag = h.hash & 0xffffffff00000000ull;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = size_t(h.hash) & mask;; i = (i + 1) & mask) {
        const quint64 s = m_slots[i];
        if (!s) {
            m_slots[i] = slotFor(h.hash, header);
            ++m_used;
            return true;
        }
        if ((s & 0xffffffff00000000ull) != tag)
            continue;
        const Header& o = m_headers[quint32(s) - 1];
        if (o.hash == h.hash && o.foldLength == h.foldLength
            && std::memcmp(m_folded.data() + o.foldOffset, m_folded.data() + h.foldOffset, size_t(h.foldLength)) == 0)
            return false;
    }
}

void IniIndex::indexHeaders(size_t firstNew)
{
    for (size_t i = firstNew; i < m_headers.size(); ++i) {
        if ((m_used + 1) * 2 > m_slots.size())
            growTable(m_slots.size() * 2);
        insertSlot(quint32(i));
    }
}

int IniIndex::findSection(const QByteArray& folded) const
{
    if (m_slots.empty())
        return -1;
    const quint64 hash = hashBytes(folded.constData(), size_t(folded.size()));
    const quint64 tag = hash & 0xffffffff00000000ull;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
        const quint64 s = m_slots[i];
        if (!s)
            return -1;
        if ((s & 0xffffffff00000000ull) != tag)
            continue;
        const Header& h = m_headers[quint32(s) - 1];
        if (h.hash == hash && h.foldLength == folded.size()
            && std::memcmp(m_folded.data() + h.foldOffset, folded.constData(), size_t(h.foldLength)) == 0)
            return int(quint32(s) - 1);
    }
}

qsizetype IniIndex::sectionEnd(int header) const
{
    const size_t next = size_t(header) + 1;
    return next < m_headers.size() ? m_headers[next].lineStart : m_bytes.size();
}

IniIndex::KeyScan IniIndex::scanSection(int header, const QByteArray& foldedKey) const
{
    const char* const data = m_bytes.constData();
    const char* const end = data + sectionEnd(header);
    const Header& h = m_headers[size_t(header)];

    KeyScan scan;
    const char* lastEnd = data + h.lineEnd; // end of the last non-blank line so far (the header)
    const char* line = afterBreak(lastEnd, end);
    while (line < end) {
        const char* e = lineEndOf(line, end);
        const char* t = skipBlanks(line, e);
        if (t < e) {
            lastEnd = e;
            const char* eq = static_cast<const char*>(std::memchr(t, '=', size_t(e - t)));
            if (eq && keyMatches(t, trimBlanksBack(t, eq) - t, foldedKey)) {
                const char* vb = skipBlanks(eq + 1, e);
                scan.found = true;
                scan.valueBegin = vb - data;
                scan.valueEnd = trimBlanksBack(vb, e) - data;
                return scan;
            }
        }
        line = afterBreak(e, end);
    }
    const char* fullEnd = data + m_bytes.size();
    scan.insertNeedsBreak = lastEnd == fullEnd;
    scan.insertAt = afterBreak(lastEnd, fullEnd) - data;
    return scan;
}

QString IniIndex::value(QStringView section, QStringView key) const
{
    const int header = findSection(foldName(section));
    if (header < 0)
        return {};
    const KeyScan scan = scanSection(header, foldName(key));
    if (!scan.found)
        return {};
    const char* b = m_bytes.constData() + scan.valueBegin;
    qsizetype n = scan.valueEnd - scan.valueBegin;
    if (n >= 2 && b[0] == '"' && b[n - 1] == '"') {
        ++b;
        n -= 2;
    }
    QString v = QString::fromUtf8(b, std::min(n, kMaxValueBytes));
    if (v.size() > kMaxValueUnits)
        v.truncate(v[kMaxValueUnits - 1].isHighSurrogate() ? kMaxValueUnits - 1 : kMaxValueUnits);
    return v;
}

// New lines use the file's first line break; CR LF when it has none.
QByteArray IniIndex::lineBreak() const
{
    const char* const end = m_bytes.constData() + m_bytes.size();
    const char* e = lineEndOf(m_bytes.constData() + m_contentBegin, end);
    if (e == end)
        return QByteArrayLiteral("\r\n");
    if (*e == '\n')
        return QByteArrayLiteral("\n");
    return (e + 1 < end && e[1] == '\n') ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\r");
}

std::optional<IniIndex::Edit> IniIndex::planWrite(QStringView section, QStringView key, QStringView value) const
{
    const QStringView name = trimmed(section);
    const QStringView k = trimmed(key);
    const QByteArray v = value.toUtf8();
    const QByteArray br = lineBreak();

    Edit edit;
    const int header = findSection(foldName(name));
    if (header >= 0) {
        const KeyScan scan = scanSection(header, foldName(k));
        if (scan.found) {
            // Only the value's bytes change: the key's spelling and the blanks around stay.
            const qsizetype oldLength = scan.valueEnd - scan.valueBegin;
            if (oldLength == v.size() && std::memcmp(m_bytes.constData() + scan.valueBegin, v.constData(), size_t(v.size())) == 0)
                return std::nullopt;
            edit.pos = scan.valueBegin;
            edit.removed = oldLength;
            edit.inserted = v;
            return edit;
        }
        edit.pos = scan.insertAt;
        if (scan.insertNeedsBreak)
            edit.inserted = br;
        edit.inserted += k.toUtf8() + '=' + v + br;
        return edit;
    }

    const qsizetype n = m_bytes.size();
    edit.pos = n;
    edit.addsSection = true;
    if (n > m_contentBegin && !isBreak(m_bytes[n - 1]))
        edit.inserted = br;
    edit.inserted += '[' + name.toUtf8() + ']' + br + k.toUtf8() + '=' + v + br;
    return edit;
}

void IniIndex::apply(const Edit& edit)
{
    m_bytes.replace(edit.pos, edit.removed, edit.inserted);
    const qsizetype delta = edit.inserted.size() - edit.removed;
    if (delta != 0) {
        auto it = std::lower_bound(m_headers.begin(), m_headers.end(), edit.pos,
                                   [](const Header& h, qsizetype pos) { return h.lineStart < pos; });
        for (; it != m_headers.end(); ++it) {
            it->lineStart += delta;
            it->lineEnd += delta;
        }
    }
    if (edit.addsSection) {
        const size_t firstNew = m_headers.size();
        scanHeaders(edit.pos);
        indexHeaders(firstNew);
    }
}

} // namespace tavrel
