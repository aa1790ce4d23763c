#include "settings/IniIndex.h"

#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace tavrel {

namespace {

constexpr qsizetype kMaxValueUnits = 254;
// A read decodes at most this many bytes of a UTF-8 value, backed up to the start of the character the
// limit falls in, so that only whole characters are decoded. At least 1,021 bytes remain, and no
// character takes more than 3 bytes per UTF-16 unit, so they still yield more than kMaxValueUnits units.
constexpr qsizetype kMaxValueBytes = 1024;

inline bool isBlank(char c) { return c == ' ' || c == '\t'; }
inline bool isBreak(char c) { return c == '\r' || c == '\n'; }

// The first CR or LF from p on, or end.
inline const char* lineEndOf(const char* p, const char* end)
{
    return std::find_if(p, end, isBreak);
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

// Text from the file: UTF-8 when it is valid UTF-8, every character kept (a U+FEFF that starts a name
// or value is part of it); otherwise it was written in an 8-bit code page, read as Latin-1.
QString decodeText(QByteArrayView bytes)
{
    if (!bytes.isValidUtf8())
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return utf8(bytes);
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// A name from the file as it is matched (see foldName()).
QByteArray foldBytes(QByteArrayView name)
{
    if (isAscii(name))
        return name.toByteArray().toLower();
    return decodeText(name).toCaseFolded().toUtf8();
}

// A section's key in the index: its folded name hashed under QHash's per-process seed.
quint64 hashFolded(QByteArrayView folded)
{
    return qHashBits(folded.data(), size_t(folded.size()), QHashSeed::globalSeed());
}

// The key of a name from the file. ASCII names (nearly all) are lowered on the stack rather than
// folded into a string of their own.
quint64 foldedHash(QByteArrayView name)
{
    char lowered[256];
    if (name.size() <= qsizetype(sizeof lowered)) {
        unsigned char high = 0;
        for (qsizetype i = 0; i < name.size(); ++i) {
            const char c = name[i];
            high |= static_cast<unsigned char>(c);
            lowered[i] = (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
        }
        if (!(high & 0x80))
            return hashFolded(QByteArrayView(lowered, name.size()));
    }
    return hashFolded(foldBytes(name));
}

bool keyMatches(QByteArrayView key, const QByteArray& folded)
{
    if (isAscii(key))
        return key.size() == folded.size() && key.compare(folded, Qt::CaseInsensitive) == 0;
    return foldBytes(key) == folded;
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
    scanHeaders(m_contentBegin);
    m_sections.reserve(qsizetype(m_headers.size()));
    for (size_t i = 0; i < m_headers.size(); ++i)
        indexHeader(int(i));
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
    // Six of these per game selected: ASCII names are lowered directly.
    const QStringView t = trimmed(name);
    QByteArray out(t.size(), Qt::Uninitialized);
    char* dst = out.data();
    for (QChar c : t) {
        const char16_t u = c.unicode();
        if (u >= 0x80)
            return t.toString().toCaseFolded().toUtf8();
        *dst++ = (u >= u'A' && u <= u'Z') ? char(u + 32) : char(u);
    }
    return out;
}

// The name of a header line: from its "[" to the last "]", blanks trimmed.
inline QByteArrayView nameOfLine(const char* open, const char* lineEnd)
{
    const qsizetype close = QByteArrayView(open + 1, lineEnd).lastIndexOf(']');
    if (close < 0)
        return {}; // not a header: a null view
    const char* nameBegin = skipBlanks(open + 1, open + 1 + close);
    return QByteArrayView(nameBegin, trimBlanksBack(nameBegin, open + 1 + close));
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
        const QByteArrayView name = nameOfLine(open, e);
        if (name.data())
            m_headers.push_back({lineStart - data, e - data, foldedHash(name)});
        p = e;
    }
}

QByteArrayView IniIndex::headerName(int header) const
{
    const Header& h = m_headers[size_t(header)];
    const char* const data = m_bytes.constData();
    return nameOfLine(skipBlanks(data + h.lineStart, data + h.lineEnd), data + h.lineEnd);
}

// Headers are indexed in file order, so of two headers with one name the first is the one found. A
// name whose hash another name already holds takes the next free key (with a seeded 64-bit hash,
// practically never).
void IniIndex::indexHeader(int header)
{
    for (quint64 key = m_headers[size_t(header)].nameHash;; ++key) {
        Slot& slot = m_sections[key];
        if (slot.header < 0) {
            slot.header = header;
            return;
        }
        if (keyMatches(headerName(slot.header), foldBytes(headerName(header))))
            return;
    }
}

int IniIndex::findSection(const QByteArray& folded) const
{
    for (quint64 key = hashFolded(folded);; ++key) {
        const auto it = m_sections.constFind(key);
        if (it == m_sections.cend())
            return -1;
        if (keyMatches(headerName(it->header), folded))
            return it->header;
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
            const char* eq = std::find(t, e, '=');
            if (eq != e && keyMatches(QByteArrayView(t, trimBlanksBack(t, eq)), foldedKey)) {
                scan.found = true;
                scan.valueBegin = eq + 1 - data;
                scan.lineEnd = e - data;
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

// A found key's value as stored: trimmed, one pair of surrounding quotes removed.
QByteArrayView IniIndex::storedValue(const KeyScan& scan) const
{
    const char* const data = m_bytes.constData();
    const char* b = skipBlanks(data + scan.valueBegin, data + scan.lineEnd);
    const char* e = trimBlanksBack(b, data + scan.lineEnd);
    if (e - b >= 2 && *b == '"' && e[-1] == '"') {
        ++b;
        --e;
    }
    return QByteArrayView(b, e);
}

QString IniIndex::value(QStringView section, QStringView key) const
{
    const int header = findSection(foldName(section));
    if (header < 0)
        return {};
    const KeyScan scan = scanSection(header, foldName(key));
    if (!scan.found)
        return {};
    const QByteArrayView stored = storedValue(scan);
    QString v;
    if (stored.isValidUtf8()) {
        qsizetype cut = std::min(stored.size(), kMaxValueBytes);
        while (cut < stored.size() && (static_cast<unsigned char>(stored[cut]) & 0xC0) == 0x80)
            --cut; // a continuation byte: the character started before the limit
        v = decodeText(stored.first(cut));
    } else {
        v = QString::fromLatin1(stored.first(std::min(stored.size(), kMaxValueUnits)));
    }
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
    const QByteArray br = lineBreak();

    Edit edit;
    const int header = findSection(foldName(name));
    if (header >= 0) {
        const KeyScan scan = scanSection(header, foldName(k));
        if (scan.found) {
            // A value read from an 8-bit code page and written back as read keeps its bytes.
            const QByteArrayView stored = storedValue(scan);
            const QByteArray v = !stored.isValidUtf8() && QString::fromLatin1(stored) == value
                ? stored.toByteArray()
                : value.toUtf8();
            // Everything after the "=" is replaced; the key's spelling and the other lines stay.
            const QByteArrayView old(m_bytes.constData() + scan.valueBegin, m_bytes.constData() + scan.lineEnd);
            if (old == v)
                return std::nullopt;
            edit.pos = scan.valueBegin;
            edit.removed = old.size();
            edit.inserted = v;
            return edit;
        }
        edit.pos = scan.insertAt;
        if (scan.insertNeedsBreak)
            edit.inserted = br;
        edit.inserted += k.toUtf8() + '=' + value.toUtf8() + br;
        return edit;
    }

    const qsizetype n = m_bytes.size();
    edit.pos = n;
    edit.addsSection = true;
    if (n > m_contentBegin && !isBreak(m_bytes[n - 1]))
        edit.inserted = br;
    edit.inserted += '[' + name.toUtf8() + ']' + br + k.toUtf8() + '=' + value.toUtf8() + br;
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
        for (size_t i = firstNew; i < m_headers.size(); ++i)
            indexHeader(int(i));
    }
}

} // namespace tavrel
