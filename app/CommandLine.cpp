#include "app/CommandLine.h"

#include "platform/Settings.h"
#include "platform/SettingsFile.h"

namespace Quillorn {

CommandLine::Request CommandLine::parse(const QStringList& arguments)
{
    Request request;
    bool options = true;
    for (const QString& argument : arguments) {
        if (argument.isEmpty())
            continue;
        if (!options || argument == QLatin1String("-") || !argument.startsWith(QLatin1Char('-'))) {
            request.files.append(argument);
        } else if (argument == QLatin1String("--")) {
            options = false;
        } else if (argument == QLatin1String("--no-splash")) {
            request.splash = false;
        } else if (argument == QLatin1String("--help")) {
            return {Action::Help, {}, request.splash, {}};
        } else if (argument == QLatin1String("--version")) {
            return {Action::Version, {}, request.splash, {}};
        } else {
            return {Action::UnknownOption, {}, request.splash, argument};
        }
    }
    return request;
}

QString CommandLine::usage(const LangStrings& strings, const QString& program)
{
    QString text = strings.message(Str::UsageLine, program) + QLatin1Char('\n') +
                   strings.value(Str::UsageAbout) + QLatin1String("\n\n");
    for (const Str line :
         {Str::UsageNoSplash, Str::UsageHelp, Str::UsageVersion, Str::UsageEndOfOptions})
        text += strings.value(line) + QLatin1Char('\n');
    return text;
}

CommandLine::Answer CommandLine::answer(const Request& request, const LangStrings& strings,
                                        const QString& program, const QString& version)
{
    switch (request.action) {
    case Action::Help:
        return {0, usage(strings, program), {}};
    case Action::Version:
        return {0, QLatin1String("Quillorn ") + version + QLatin1Char('\n'), {}};
    case Action::UnknownOption:
        return {2,
                {},
                strings.message(Str::UnknownOption, request.unknownOption) + QLatin1Char('\n') +
                    usage(strings, program)};
    case Action::Start:
        break;
    }
    return {};
}

LangStrings CommandLine::strings(const QString& appDir)
{
    Settings settings;
    SettingsFile(appDir + QLatin1String("settings.dat")).read(settings);
    const QString english = QStringLiteral("english");
    LangStrings table;
    for (const QString& language :
         {settings.language.isEmpty() ? english : settings.language, english}) {
        if (table.load(LangStrings::languageFolder(appDir, language) + QLatin1String("main.lng"),
                       language))
            break;
    }
    return table;
}

QStringList CommandLine::initialOpen(const QStringList& files, bool openLastSession,
                                     const QString& lastSessionPath)
{
    if (!files.isEmpty())
        return files;
    return openLastSession ? QStringList{lastSessionPath} : QStringList();
}

} // namespace Quillorn
