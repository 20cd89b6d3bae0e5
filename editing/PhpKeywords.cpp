#include "editing/PhpKeywords.h"

#include "platform/ProgramText.h"

#include <QFile>

namespace Quillorn {

QByteArray PhpKeywords::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.readAll());
}

QByteArray PhpKeywords::parse(const QByteArray& bytes)
{
    QByteArray list;
    const QStringList lines = ProgramText::terminatedLines(ProgramText::decode(bytes, {}));
    for (const QString& line : lines) {
        const QByteArray word = line.trimmed().toLower().toUtf8();
        // The lexer splits its list on blanks: a line holding one would add two keywords.
        if (word.isEmpty() || word.contains(' ') || word.contains('\t'))
            continue;
        if (!list.isEmpty())
            list += ' ';
        list += word;
    }
    return list;
}

} // namespace Quillorn
