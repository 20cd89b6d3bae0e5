#include "editing/CompletionItems.h"

#include "platform/FileReader.h"
#include "platform/ProgramText.h"

namespace Quillorn {

namespace {
// The list is a few kilobytes; anything far larger is not one and is not read whole.
constexpr qint64 MaxListSize = 4 * 1024 * 1024;
} // namespace

bool CompletionItems::load(const QString& path)
{
    const FileReader::Result read = FileReader::read(path, MaxListSize);
    parse(read.bytes);
    return read.ok();
}

void CompletionItems::parse(const QByteArray& bytes)
{
    m_items.clear();
    m_names.clear();
    m_kinds.clear();
    // Tag names are ASCII; the language does not matter for decoding.
    const QStringList lines = ProgramText::terminatedLines(ProgramText::decode(bytes, {}));
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        const QString name = line.section(QLatin1Char('|'), 0, 0);
        const QString kind = line.section(QLatin1Char('|'), 1, 1);
        m_names.append(name);
        m_kinds.append(kind);
        if (name.isEmpty())
            continue;
        m_items.append(name == QLatin1String("?php") ? name : name + QLatin1Char('>'));
        bool isNumber = false;
        if (kind.trimmed().toInt(&isNumber) == 2 && isNumber)
            m_items.append(QLatin1Char('/') + name + QLatin1Char('>'));
    }
}

QSet<QByteArray> CompletionItems::voidNames() const
{
    // The list inserts these alone too, but their closing tag may only be left out: an open
    // list item or option still closes.
    static const QSet<QByteArray> mayClose{"li", "option", "dt", "dd", "p", "tr", "td", "th"};
    QSet<QByteArray> names;
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        const QByteArray name = m_names.at(i).toLower().toLatin1();
        if (m_kinds.at(i).trimmed() == QLatin1String("1") && !name.startsWith('?') &&
            !mayClose.contains(name))
            names.insert(name);
    }
    return names;
}

int CompletionItems::firstStartingWith(const QStringList& items, const QString& typed)
{
    for (int i = 0; i < items.size(); ++i) {
        if (items.at(i).startsWith(typed, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

int CompletionItems::next(int current, int count)
{
    if (count <= 0)
        return -1;
    return current + 1 >= count || current < 0 ? 0 : current + 1;
}

int CompletionItems::previous(int current, int count)
{
    if (count <= 0)
        return -1;
    return current <= 0 || current >= count ? count - 1 : current - 1;
}

} // namespace Quillorn
