#pragma once

#include <QString>

#include <memory>

namespace tavrel {

// The settings file: reads served from a parsed copy that is checked against the file (one stat) before
// each use; each write applies exactly one change under an exclusive lock and replaces the file
// atomically, so concurrent writers lose nothing and a crash never leaves a damaged file.
// One object is for one thread at a time; separate objects (in any thread or process) may share a file.
class IniStore {
public:
    explicit IniStore(QString filePath);
    ~IniStore();
    IniStore(const IniStore&) = delete;
    IniStore& operator=(const IniStore&) = delete;

    const QString& filePath() const;
    // The stored value, at most 254 characters; empty for a missing file, section or key. Anything
    // in the file's place that is not a regular file (a FIFO, a socket, a directory) reads as missing.
    QString read(const QString& section, const QString& key);
    // True when the value is on disk. False when refused (see acceptable()) or when the file could not
    // be written (nor is anything that is not a regular file ever replaced); on false the file on disk
    // is unchanged.
    bool write(const QString& section, const QString& key, const QString& value);
    // True when write() would accept these texts (no CR, LF or NUL anywhere; key without "=" and not
    // starting with "[" or ";").
    static bool acceptable(const QString& section, const QString& key, const QString& value);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace tavrel
