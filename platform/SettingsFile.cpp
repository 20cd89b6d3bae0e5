#include "platform/SettingsFile.h"

#include "platform/FileReader.h"
#include "platform/ProgramFile.h"
#include "platform/ProgramText.h"

namespace Quillorn {

namespace {

const QLatin1String RecentSeparator("\\\\\\");
const QLatin1String FieldSeparator("///");
const QLatin1String CrLf("\r\n");

// A settings file is a few hundred bytes; a larger one is read only this far, so a damaged
// or foreign file cannot stall the start.
constexpr qint64 MaxSettingsFileSize = 16 * 1024 * 1024;

// The language named in the file decides its code page; the key and value are plain ASCII,
// so a Latin-1 pass finds them before the text is decoded.
QString declaredLanguage(const QByteArray& bytes)
{
    Settings probe;
    SettingsFile::apply(QString::fromLatin1(bytes), probe);
    return probe.language;
}

// The switches by their keys, in the order they are written: the editor's, then the check
// after saving.
QList<std::pair<QLatin1String, bool Settings::*>> switches()
{
    return {{QLatin1String("Folding"), &Settings::codeFolding},
            {QLatin1String("MatchTags"), &Settings::highlightMatching},
            {QLatin1String("CloseTags"), &Settings::completeClosingTags},
            {QLatin1String("AutoCloseTags"), &Settings::addClosingTags},
            {QLatin1String("CheckAfterSave"), &Settings::checkAfterSaving}};
}

// The switch named by `key`; null when it names none.
bool* switchOf(const QString& key, Settings& settings)
{
    for (const auto& [name, member] : switches()) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return &(settings.*member);
    }
    return nullptr;
}

void applyLine(const QString& line, Settings& settings)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return;
    const QString key = line.left(eq).toLower();
    const QString value = line.mid(eq + 1);

    if (key == QLatin1String("plugin")) {
        settings.plugIns.append(value);
    } else if (key == QLatin1String("tidy")) {
        settings.tidyAvailable = value.trimmed().toLower() == QLatin1String("true");
    } else if (key == QLatin1String("language")) {
        settings.language = value;
    } else if (key == QLatin1String("ishttpserver")) {
        if (const auto number = SettingsFile::numberValue(value))
            settings.isHttpServer = *number;
    } else if (key == QLatin1String("pathtohttpd")) {
        settings.pathToHttpd = value;
    } else if (key == QLatin1String("serveraddress")) {
        if (!value.isEmpty())
            settings.serverAddress = value;
    } else if (key == QLatin1String("open_last_session")) {
        if (const auto flag = SettingsFile::booleanValue(value))
            settings.openLastSession = *flag;
    } else if (key == QLatin1String("lastopened")) {
        const QStringList pieces = value.split(RecentSeparator);
        for (int i = 0; i < Settings::RecentCount && i < pieces.size(); ++i)
            settings.recentFiles[i] = pieces.at(i);
    } else if (key == QLatin1String("extern")) {
        const QStringList fields = value.split(FieldSeparator);
        // A line with fewer than five fields is abandoned, as a failing line is.
        if (fields.size() >= 5)
            settings.addExternalProgram(ExternalProgram{fields.at(0), fields.at(1), fields.at(2),
                                                        fields.at(3), fields.at(4)});
    } else if (key == QLatin1String("php")) {
        settings.phpPath = value;
    } else if (bool* flag = switchOf(key, settings)) {
        if (const auto on = SettingsFile::booleanValue(value))
            *flag = *on;
    }
}

} // namespace

void SettingsFile::read(Settings& settings) const
{
    const FileReader::Result read = FileReader::read(m_path, MaxSettingsFileSize);
    if (!read.ok())
        return;
    const QByteArray& bytes = read.bytes;
    apply(ProgramText::decode(bytes, declaredLanguage(bytes)), settings);
}

void SettingsFile::apply(const QString& text, Settings& settings)
{
    for (const QString& line : ProgramText::terminatedLines(text)) {
        if (!line.isEmpty())
            applyLine(line, settings);
    }
}

QString SettingsFile::compose(const Settings& settings)
{
    QStringList recent;
    for (const QString& path : settings.recentFiles)
        recent.append(path);

    QStringList plugins;
    for (const QString& plugin : settings.plugIns)
        plugins.append(QLatin1String("plugin=") + plugin);

    QStringList externs;
    for (qsizetype i = 1; i < settings.externalPrograms.size(); ++i) {
        const ExternalProgram& p = settings.externalPrograms.at(i);
        if (p.name.isEmpty())
            continue;
        externs.append(QLatin1String("extern=") +
                       QStringList{p.name, p.ddeMessage, p.program, p.programPath, p.division}.join(
                           FieldSeparator));
    }

    QStringList entries{
        QLatin1String("Language=") + settings.language,
        QLatin1String("IsHTTPServer=") + QString::number(settings.isHttpServer),
        QLatin1String("PathToHTTPD=") + settings.pathToHttpd,
        QLatin1String("LastOpened=") + recent.join(RecentSeparator),
        QLatin1String("Tidy=") + (settings.tidyAvailable.value_or(false) ? QLatin1String("true")
                                                                         : QLatin1String("false")),
        plugins.join(CrLf),
        externs.join(CrLf),
        settings.phpPath.isEmpty() ? QString() : QLatin1String("php=") + settings.phpPath,
        settings.openLastSession ? QStringLiteral("open_last_session=1") : QString(),
        QLatin1String("ServerAddress=") + settings.serverAddress,
    };
    for (const auto& [name, member] : switches())
        entries.append(name + QLatin1Char('=') + QLatin1Char(settings.*member ? '1' : '0'));
    QString text;
    for (const QString& entry : entries)
        text += entry + CrLf;
    return text;
}

FileFailure SettingsFile::write(const Settings& settings) const
{
    return ProgramFile::write(m_path, compose(settings), settings.language);
}

std::optional<qint32> SettingsFile::numberValue(const QString& text)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    qint64 value = 0;
    for (; i < text.size() && text.at(i).isDigit() && text.at(i).unicode() < 128; ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > qint64(std::numeric_limits<qint32>::max()) + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > std::numeric_limits<qint32>::max() || value < std::numeric_limits<qint32>::min())
        return std::nullopt;
    return static_cast<qint32>(value);
}

std::optional<bool> SettingsFile::booleanValue(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return number != 0.0;
}

} // namespace Quillorn
