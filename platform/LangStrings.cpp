#include "platform/LangStrings.h"

#include "platform/AppPaths.h"
#include "platform/ProgramFile.h"
#include "platform/ProgramText.h"

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
    const ProgramFile::Text read = ProgramFile::read(path, MaxLanguageFileSize, language);
    if (!read.ok())
        return false;
    m_strings = ProgramText::terminatedLines(read.text);
    return true;
}

std::optional<QString> LangStrings::text(Str id) const
{
    const int number = static_cast<int>(id);
    if (number < 0 || number >= m_strings.size())
        return std::nullopt;
    return m_strings.at(number);
}

QString LangStrings::value(Str id, const QString& fallback) const
{
    return text(id).value_or(fallback);
}

QString LangStrings::message(Str id, const QString& arg) const
{
    return messageText(value(id), arg);
}

QString LangStrings::message(Str id, const QString& arg1, const QString& arg2) const
{
    return messageText(value(id), QStringList{arg1, arg2});
}

QString LangStrings::messageText(QString text, const QString& arg)
{
    return messageText(std::move(text), arg.isNull() ? QStringList() : QStringList{arg});
}

QString LangStrings::messageText(QString text, const QStringList& args)
{
    text.replace(QLatin1String("<BR>"), QLatin1String("\n"));
    text.replace(QLatin1String("<br>"), QLatin1String("\n"));
    // One pass, so that an argument holding "%2" is never replaced in its turn.
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('%') && i + 1 < text.size()) {
            const int n = text.at(i + 1).digitValue();
            if (n >= 1 && n <= args.size()) {
                result += args.at(n - 1);
                ++i;
                continue;
            }
        }
        result += text.at(i);
    }
    return result;
}

} // namespace Quillorn
