#include "platform/LangStrings.h"

#include "platform/AppPaths.h"
#include "platform/ProgramText.h"

#include <QFile>

namespace Quillorn {

namespace {
// A language file is a few kilobytes; anything far larger is not one and is not read whole.
constexpr qint64 MaxLanguageFileSize = 4 * 1024 * 1024;
} // namespace

QString LangStrings::languageFolder(const QString& appDir, const QString& language)
{
    const QString name = language.isEmpty() ? QStringLiteral("english") : language;
    return AppPaths::withTrailingSeparator(appDir) + QLatin1String("languages/") + name +
           QLatin1Char('/');
}

bool LangStrings::load(const QString& path, const QString& language)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = file.read(MaxLanguageFileSize);
    m_strings = ProgramText::terminatedLines(ProgramText::decode(bytes, language));
    return true;
}

std::optional<QString> LangStrings::text(int number) const
{
    if (number < 0 || number >= m_strings.size())
        return std::nullopt;
    return m_strings.at(number);
}

QString LangStrings::value(int number, const QString& fallback) const
{
    return text(number).value_or(fallback);
}

QString LangStrings::message(int number, const QString& arg) const
{
    return messageText(value(number), arg);
}

QString LangStrings::messageText(QString text, const QString& arg)
{
    text.replace(QLatin1String("<BR>"), QLatin1String("\n"));
    text.replace(QLatin1String("<br>"), QLatin1String("\n"));
    if (!arg.isNull())
        text.replace(QLatin1String("%1"), arg);
    return text;
}

} // namespace Quillorn
