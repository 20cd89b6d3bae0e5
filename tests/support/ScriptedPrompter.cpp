#include "support/ScriptedPrompter.h"

namespace Quillorn::Test {

namespace {

QString kindName(ScriptedPrompter::Kind kind)
{
    switch (kind) {
    case ScriptedPrompter::Kind::Message:
        return QStringLiteral("message");
    case ScriptedPrompter::Kind::YesNo:
        return QStringLiteral("yes/no");
    case ScriptedPrompter::Kind::Save:
        return QStringLiteral("save");
    case ScriptedPrompter::Kind::Input:
        return QStringLiteral("input");
    case ScriptedPrompter::Kind::OpenFile:
        return QStringLiteral("open file");
    case ScriptedPrompter::Kind::SaveFile:
        return QStringLiteral("save file");
    case ScriptedPrompter::Kind::Folder:
        return QStringLiteral("folder");
    }
    return {};
}

} // namespace

ScriptedPrompter& ScriptedPrompter::expectMessage(const QString& textPart, Icon icon)
{
    m_queue.append({Kind::Message, textPart, icon, false, SaveChoice::Cancel, {}});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectYesNo(const QString& textPart, bool yes)
{
    m_queue.append({Kind::YesNo, textPart, Icon::Exclamation, yes, SaveChoice::Cancel, {}});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectSave(const QString& textPart, SaveChoice choice)
{
    m_queue.append({Kind::Save, textPart, Icon::Exclamation, false, choice, {}});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectInput(const QString& textPart, const QString& answer)
{
    m_queue.append({Kind::Input, textPart, Icon::Information, false, SaveChoice::Cancel, answer});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectOpenFile(const QString& textPart, const QString& answer)
{
    m_queue.append(
        {Kind::OpenFile, textPart, Icon::Information, false, SaveChoice::Cancel, answer});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectSaveFile(const QString& textPart, const QString& answer)
{
    m_queue.append(
        {Kind::SaveFile, textPart, Icon::Information, false, SaveChoice::Cancel, answer});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectFolder(const QString& textPart, const QString& answer)
{
    m_queue.append({Kind::Folder, textPart, Icon::Information, false, SaveChoice::Cancel, answer});
    return *this;
}

bool ScriptedPrompter::finished() const
{
    return m_errors.isEmpty() && m_queue.isEmpty();
}

QString ScriptedPrompter::errors() const
{
    QStringList all = m_errors;
    for (const Expectation& e : m_queue)
        all.append(
            QStringLiteral("expected %1 \"%2\" was never shown").arg(kindName(e.kind), e.textPart));
    return all.join(QLatin1Char('\n'));
}

std::optional<ScriptedPrompter::Expectation> ScriptedPrompter::take(Kind kind, const QString& text)
{
    m_shown.append(kindName(kind) + QLatin1String(": ") + text);
    if (m_queue.isEmpty()) {
        m_errors.append(QStringLiteral("unexpected %1 \"%2\"").arg(kindName(kind), text));
        return std::nullopt;
    }
    const Expectation next = m_queue.takeFirst();
    if (next.kind != kind || !text.contains(next.textPart)) {
        m_errors.append(QStringLiteral("expected %1 \"%2\", got %3 \"%4\"")
                            .arg(kindName(next.kind), next.textPart, kindName(kind), text));
        return std::nullopt;
    }
    return next;
}

void ScriptedPrompter::message(const QString& text, Icon icon, const QString&)
{
    if (const auto e = take(Kind::Message, text); e && e->icon != icon)
        m_errors.append(QStringLiteral("message \"%1\" shown with another icon").arg(text));
}

bool ScriptedPrompter::askYesNo(const QString& text, const QString&)
{
    const auto e = take(Kind::YesNo, text);
    return e && e->yes;
}

Prompter::SaveChoice ScriptedPrompter::askSave(const QString& text, const QString&)
{
    const auto e = take(Kind::Save, text);
    return e ? e->choice : SaveChoice::Cancel;
}

std::optional<QString> ScriptedPrompter::input(const QString& prompt, const QString&,
                                               const QString&)
{
    const auto e = take(Kind::Input, prompt);
    if (!e || e->answer.isNull())
        return std::nullopt;
    return e->answer;
}

QString ScriptedPrompter::openFileName(const QString&, const QString& folder, const QString& filter)
{
    m_lastProposedPath = folder;
    const auto e = take(Kind::OpenFile, filter);
    return e ? e->answer : QString();
}

QString ScriptedPrompter::saveFileName(const QString&, const QString& proposedPath,
                                       const QString& filter)
{
    m_lastProposedPath = proposedPath;
    const auto e = take(Kind::SaveFile, filter);
    return e ? e->answer : QString();
}

QString ScriptedPrompter::folderName(const QString& title, const QString& startFolder)
{
    m_lastProposedPath = startFolder;
    const auto e = take(Kind::Folder, title);
    return e ? e->answer : QString();
}

} // namespace Quillorn::Test
