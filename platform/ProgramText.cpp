#include "platform/ProgramText.h"

#include "platform/Utf8Text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Quillorn {

QByteArray ProgramText::codePage(const QString& language)
{
    if (language.compare(QLatin1String("russian"), Qt::CaseInsensitive) == 0)
        return QByteArrayLiteral("windows-1251");
    return QByteArrayLiteral("windows-1252");
}

bool ProgramText::isValidUtf8(const QByteArray& bytes)
{
    return Utf8Text::isValid(bytes);
}

QString ProgramText::decode(const QByteArray& bytes, const QString& language)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes);
    QStringDecoder decoder(codePage(language).constData());
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    return decoder.decode(bytes);
}

QStringList ProgramText::terminatedLines(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (;;) {
        const qsizetype lf = text.indexOf(QLatin1Char('\n'), start);
        if (lf < 0)
            break;
        qsizetype end = lf;
        if (end > start && text.at(end - 1) == QLatin1Char('\r'))
            --end;
        lines.append(text.mid(start, end - start));
        start = lf + 1;
    }
    return lines;
}

QByteArray ProgramText::encode(const QString& text, const QString& language)
{
    QStringEncoder encoder(codePage(language).constData(), QStringEncoder::Flag::Stateless);
    if (encoder.isValid()) {
        // The encoder substitutes what the code page lacks without always saying so:
        // only a text that decodes back unchanged is kept in the code page.
        QByteArray bytes = encoder.encode(text);
        QStringDecoder decoder(codePage(language).constData());
        if (!encoder.hasError() && QString(decoder.decode(bytes)) == text)
            return bytes;
    }
    return text.toUtf8();
}

} // namespace Quillorn
