#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringList>

namespace Quillorn {

// The items of the tag-completion list, read from SyntaxHTML.lng: one "NAME|KIND" line per
// tag; each tag gives "NAME>", and a tag of kind 2 (one with a closing tag) also "/NAME>".
class CompletionItems {
public:
    // Reads the list file; a missing or unreadable file gives an empty list and false.
    bool load(const QString& path);
    void parse(const QByteArray& bytes);

    const QStringList& items() const { return m_items; }
    // The table of the file: tag names and their kinds, one entry per line.
    const QStringList& names() const { return m_names; }
    const QStringList& kinds() const { return m_kinds; }
    // The elements that never take a closing tag, in lower case: the tags of kind 1 but "?php"
    // and those whose closing tag is only optional.
    QSet<QByteArray> voidNames() const;

    // The first item that begins with `typed` (letter case ignored), or -1.
    static int firstStartingWith(const QStringList& items, const QString& typed);

    // Moving through the list wraps around at both ends.
    static int next(int current, int count);
    static int previous(int current, int count);

private:
    QStringList m_items;
    QStringList m_names;
    QStringList m_kinds;
};

} // namespace Quillorn
