#include "platform/ReadOnce.h"

namespace tavrel {

namespace {

ReadOnce* g_current = nullptr;

} // namespace

ReadOnce::ReadOnce()
    : m_outer(g_current)
{
    // A nested one keeps its own readings; the outer one resumes after it.
    g_current = this;
}

ReadOnce::~ReadOnce()
{
    g_current = m_outer;
}

DirScanResult ReadOnce::listDirectory(const QString& dir, const FilePattern& pattern, ScanFor what)
{
    ReadOnce* const once = g_current;
    if (!once)
        return scanDirectory(dir, pattern, what);
    auto folder = once->m_folders.constFind(dir);
    if (folder == once->m_folders.cend())
        folder = once->m_folders.insert(dir, scanDirectory(dir, FilePattern(), ScanFor::Both));
    DirScanResult result;
    if (!folder->ok)
        return result;
    result.ok = true;
    if (int(what) & int(ScanFor::Dirs))
        result.dirs = folder->dirs;
    if (!(int(what) & int(ScanFor::Files)))
        return result;
    if (pattern.matchesEverything()) {
        result.files = folder->files;
        return result;
    }
    const QString key = dir + QChar(0) + pattern.text();
    auto matched = once->m_matches.constFind(key);
    if (matched == once->m_matches.cend()) {
        // The folder's order is kept: filtering a sorted list leaves it sorted.
        QStringList files;
        for (const QString& name : folder->files)
            if (pattern.matches(name))
                files.append(name);
        matched = once->m_matches.insert(key, files);
    }
    result.files = *matched;
    return result;
}

QList<DriveInfo> ReadOnce::mounted(const Volumes& volumes)
{
    ReadOnce* const once = g_current;
    if (!once)
        return volumes.mounted();
    auto table = once->m_volumes.constFind(&volumes);
    if (table == once->m_volumes.cend())
        table = once->m_volumes.insert(&volumes, volumes.mounted());
    return *table;
}

} // namespace tavrel
