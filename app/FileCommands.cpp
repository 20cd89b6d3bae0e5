#include "app/FileCommands.h"

#include "app/AppContext.h"
#include "app/DocumentList.h"
#include "app/DocumentView.h"
#include "app/MainMenus.h"
#include "app/OpenReport.h"
#include "documents/CharsetDeclaration.h"
#include "documents/CurrentDocument.h"
#include "documents/DocumentCodec.h"
#include "documents/ExternalLauncher.h"
#include "documents/FileFilters.h"
#include "documents/FileIO.h"
#include "documents/FileKind.h"
#include "documents/ProjectsWindow.h"
#include "documents/RecentFiles.h"
#include "documents/SessionFile.h"
#include "documents/TemplateChooser.h"
#include "documents/TemplateStore.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>

namespace Quillorn {

FileCommands::FileCommands(AppContext& context, DocumentList& documents, CurrentDocument& document,
                           DocumentView& view, QWidget* window)
    : QObject(window)
    , m_context(context)
    , m_documents(documents)
    , m_document(document)
    , m_view(view)
    , m_window(window)
{
    const MainMenus& menus = m_view.menus();
    connect(menus.opnNew, &QAction::triggered, this, &FileCommands::newDocument);
    connect(menus.openOld, &QAction::triggered, this, &FileCommands::openFromDialog);
    connect(menus.saveHtml, &QAction::triggered, this, &FileCommands::save);
    connect(menus.saveHtmlAs, &QAction::triggered, this, &FileCommands::saveAs);
    connect(menus.saveSession, &QAction::triggered, this, &FileCommands::saveSession);
    connect(menus.saveProjAs, &QAction::triggered, this, &FileCommands::saveProject);
    connect(menus.add2Proj, &QAction::triggered, this, &FileCommands::addFileToProject);
    connect(menus.addTemplate, &QAction::triggered, this, &FileCommands::addToTemplates);
    for (int i = 0; i < menus.lstOpn.size(); ++i)
        connect(menus.lstOpn.at(i), &QAction::triggered, this, [this, i] { openRecent(i); });
}

void FileCommands::openDocument(const QString& path, bool addToRecent)
{
    openDocuments({path}, addToRecent);
}

void FileCommands::openDocuments(const QStringList& paths, bool addToRecent)
{
    OpenReport report;
    for (const QString& path : paths)
        openPath(path, addToRecent, report);
    if (!report.isEmpty())
        m_context.prompter.message(report.message(m_context.strings), Prompter::Icon::Critical);
}

void FileCommands::openPath(const QString& path, bool addToRecent, OpenReport& report)
{
    if (!FileKind::isProjectFile(path)) {
        openOneDocument(path, addToRecent, report);
        return;
    }
    // A list of documents: every entry opens in turn; lists inside lists are followed once.
    const SessionFile::Expansion list = SessionFile::expand(path, m_context.settings.language);
    if (!list.readable) {
        // The last session may simply not exist yet; any other list the user named does.
        if (path != m_context.lastSessionPath())
            report.addMissing(path);
        return;
    }
    for (const QString& document : list.documents) {
        // Entries beyond the ten slots are dropped without a word, read or not.
        if (m_documents.freeSlots().isEmpty())
            break;
        openOneDocument(document, false, report);
    }
    if (addToRecent)
        this->addToRecent(path);
    m_currentProject = path;
}

void FileCommands::openOneDocument(const QString& path, bool addToRecent, OpenReport& report)
{
    if (!QFileInfo::exists(path)) {
        report.addMissing(path);
        return;
    }
    // With every slot in use the document is dropped before anything is read or asked.
    if (m_documents.freeSlots().isEmpty())
        return;
    const qint64 size = FileIO::fileSize(path);
    if (FileIO::needsSizeQuestion(size) &&
        !m_context.prompter.askYesNo(FileIO::sizeQuestion(m_context.strings, path, size),
                                     QString()))
        return;
    const FileIO::ReadResult read = FileIO::readWholeFile(path);
    if (!read.ok()) {
        if (read.failure.kind() == FileFailure::Kind::Missing)
            report.addMissing(path);
        else
            report.addError(read.failure.describe(m_context.strings));
        return;
    }
    const int slot = m_view.newTab(AppPaths::fileName(path), {});
    if (slot < 0)
        return;
    if (addToRecent)
        this->addToRecent(path);

    const LangStrings& strings = m_context.strings;
    m_documents.setPath(slot, path);
    m_view.setStatusText(strings.value(Str::WaitParsing));
    const DocumentCodec::Decoded decoded =
        DocumentCodec::decode(read.bytes, m_context.settings.language);
    m_documents.setEncoding(slot, decoded.encoding);
    m_view.loadDocument(decoded.utf8);
    m_view.showDocumentControls();
    m_view.setStatusText(strings.value(Str::WaitParsing) + QLatin1String("  ") +
                         strings.value(Str::Completed) + QLatin1String("100%"));
    m_view.setStatusText(QStringLiteral("OK"));
}

void FileCommands::openFromDialog()
{
    const QString name =
        m_context.prompter.openFileName(m_context.strings.value(Str::Open, QStringLiteral("Open")),
                                        QString(), FileFilters::openFilter(m_context.strings));
    if (!name.isEmpty())
        openDocument(name, true);
}

void FileCommands::openRecent(int index)
{
    if (index >= 0 && index < Settings::RecentCount)
        openDocument(m_context.settings.recentFiles[static_cast<size_t>(index)], false);
}

bool FileCommands::save()
{
    const int cur = m_documents.current();
    if (cur < 0)
        return false;
    const QString path = m_documents[cur].path;
    if (path.isEmpty())
        return saveAs();
    if (!writeDocument(cur, path))
        return false;
    m_documents.setSaved(cur, true);
    Q_EMIT saved();
    return true;
}

bool FileCommands::saveAs()
{
    const int cur = m_documents.current();
    if (cur < 0)
        return false;
    const LangStrings& strings = m_context.strings;
    m_view.setStatusText(QStringLiteral("Подождите"));
    const QString caption = m_documents[cur].name;
    const QString current = m_documents[cur].path;
    const QString proposed = current.isEmpty() ? caption : current;
    const QString name =
        m_context.prompter.saveFileName(strings.value(Str::SaveAs, QStringLiteral("Save as ...")),
                                        proposed, FileFilters::saveAsFilter(strings, caption));
    if (name.isEmpty()) {
        m_view.setStatusText(QString());
        return false;
    }
    if (!writeDocument(cur, name)) {
        m_view.setStatusText(QString());
        return false;
    }
    addToRecent(name);
    m_documents.setPath(cur, name);
    m_documents.setSaved(cur, true);
    m_view.setStatusText(QString());
    Q_EMIT saved();
    return true;
}

bool FileCommands::writeDocument(int slot, const QString& path)
{
    QByteArray utf8 = m_document.bytes();
    Encoding encoding = DocumentCodec::encodingForSave(utf8, m_documents[slot].encoding);
    DocumentCodec::Encoded encoded = DocumentCodec::encode(utf8, encoding);
    if (!encoded.ok()) {
        // Never replace what the encoding cannot hold: ask to write UTF-8 instead.
        if (!m_context.prompter.askYesNo(DocumentCodec::utf8InsteadQuestion(
                                             encoding, encoded.unencodable, m_context.strings),
                                         QString()))
            return false;
        // The text says UTF-8 too, so that it reads back the same here and in a browser.
        QList<CurrentDocument::Replacement> declarations;
        for (const CharsetDeclaration::Place& place : CharsetDeclaration::places(utf8))
            declarations.append({place.offset, place.length, DocumentCodec::utf8DeclarationName()});
        if (!declarations.isEmpty()) {
            m_document.replaceBytes(declarations);
            utf8 = m_document.bytes();
        }
        encoding = DocumentCodec::utf8Instead(utf8);
        encoded = DocumentCodec::encode(utf8, encoding);
    }
    const FileIO::WriteResult written = FileIO::saveFile(path, encoded.bytes);
    if (!written.ok()) {
        m_context.prompter.message(written.describe(m_context.strings), Prompter::Icon::Critical);
        return false;
    }
    m_documents.setEncoding(slot, encoding);
    Q_EMIT documentWritten(slot);
    return true;
}

void FileCommands::addToRecent(const QString& path)
{
    RecentFiles(m_context.settings.recentFiles).addToRecent(path);
    rebuildRecentMenu();
}

void FileCommands::rebuildRecentMenu()
{
    const QList<QAction*>& entries = m_view.menus().lstOpn;
    for (QAction* entry : entries)
        entry->setVisible(false);
    for (const RecentFiles::Entry& entry :
         RecentFiles(m_context.settings.recentFiles).menuEntries()) {
        QAction* action = entries.value(entry.index);
        if (!action)
            continue;
        action->setText(entry.caption);
        action->setToolTip(entry.path);
        action->setVisible(true);
    }
}

void FileCommands::rebuildExternalMenu()
{
    QMenu* menu = m_view.menus().settings;
    for (QAction* entry : m_externalEntries)
        menu->removeAction(entry);
    qDeleteAll(m_externalEntries);
    m_externalEntries.clear();
    const auto& programs = m_context.settings.externalPrograms;
    for (qsizetype i = 1; i < programs.size(); ++i) {
        auto* entry = new QAction(programs.at(i).name, menu);
        entry->setObjectName(QStringLiteral("ext(%1)").arg(i - 1));
        entry->setVisible(!programs.at(i).name.isEmpty());
        const int index = static_cast<int>(i - 1);
        connect(entry, &QAction::triggered, this, [this, index] { openInExternal(index); });
        menu->addAction(entry);
        m_externalEntries.append(entry);
    }
}

void FileCommands::openInExternal(int index)
{
    const int cur = m_documents.current();
    const auto blocker = ExternalLauncher::blocker(cur >= 0, cur >= 0 && m_documents[cur].saved);
    if (const auto message = ExternalLauncher::blockerMessage(blocker)) {
        m_context.prompter.message(m_context.strings.message(*message));
        return;
    }
    const auto& programs = m_context.settings.externalPrograms;
    if (index + 1 >= programs.size())
        return;
    const ExternalLauncher::Result result =
        ExternalLauncher::open(programs.at(index + 1), m_documents[cur].path);
    if (result.way == ExternalLauncher::Way::Failed)
        m_context.prompter.message(m_context.strings.message(result.failure, result.subject),
                                   Prompter::Icon::Critical);
}

void FileCommands::saveSession()
{
    const QString name = m_context.prompter.saveFileName(
        m_context.strings.value(Str::SaveSession, QStringLiteral("Save session")), QString(),
        FileFilters::projectFilter(m_context.strings));
    if (name.isEmpty())
        return;
    const FileIO::WriteResult written =
        SessionFile::write(name, m_documents.paths(), m_context.settings.language);
    if (!written.ok())
        m_context.prompter.message(written.describe(m_context.strings), Prompter::Icon::Critical);
}

void FileCommands::addFileToProject()
{
    const LangStrings& strings = m_context.strings;
    if (m_currentProject.isEmpty()) {
        m_context.prompter.message(strings.message(Str::ProjectNotSaved));
        return;
    }
    const int cur = m_documents.current();
    if (cur < 0 || m_documents[cur].path.isEmpty()) {
        m_context.prompter.message(strings.message(Str::SaveFileFirstForProject));
        return;
    }
    const FileIO::WriteResult written = SessionFile::appendEntry(
        m_currentProject, m_documents[cur].path, m_context.settings.language);
    if (!written.ok())
        m_context.prompter.message(written.describe(m_context.strings), Prompter::Icon::Critical);
}

void FileCommands::saveProject()
{
    QList<ProjectsWindow::OpenDocument> documents;
    for (int i = 0; i < DocumentList::Count; ++i) {
        if (m_documents.inUse(i))
            documents.append({i, m_documents[i].name, m_documents[i].path, m_documents[i].saved});
    }
    ProjectsWindow window(documents, m_context.strings, m_context.prompter,
                          m_context.settings.language, m_window);
    window.exec();
}

void FileCommands::newDocument()
{
    TemplateChooser chooser(m_context.appDir, m_context.strings, m_context.settings.language,
                            m_window);
    if (chooser.exec() != QDialog::Accepted)
        return;
    const TemplateChooser::Choice& choice = chooser.choice();
    const int slot = m_view.newTab(QLatin1String("unknown") + choice.extension, choice.icon);
    if (slot < 0)
        return;
    const QByteArray utf8 = choice.text.toUtf8();
    m_documents.setEncoding(slot, DocumentCodec::encodingForNew(utf8));
    m_view.loadDocument(utf8);
    // A blank document holds nothing to lose; one started from a template asks before closing.
    m_documents.setSaved(slot, utf8.isEmpty());
    m_view.showDocumentControls();
}

void FileCommands::addToTemplates()
{
    if (m_documents.current() < 0)
        return;
    const auto name = m_context.prompter.input(m_context.strings.message(Str::TemplateNamePrompt),
                                               QStringLiteral("Quillorn"));
    if (!name || name->isEmpty())
        return;
    if (const auto problem = TemplateStore::nameProblem(*name)) {
        m_context.prompter.message(m_context.strings.message(*problem),
                                   Prompter::Icon::Exclamation);
        return;
    }
    const TemplateStore store(TemplateStore::folderIn(m_context.appDir));
    const FileIO::WriteResult written =
        store.addTemplate(*name, m_document.text(), m_context.settings.language);
    if (!written.ok())
        m_context.prompter.message(written.describe(m_context.strings), Prompter::Icon::Critical);
}

bool FileCommands::reopen(const RecoveryStore::Document& document)
{
    const int slot = m_view.newTab(document.name, {});
    if (slot < 0)
        return false;
    if (!document.path.isEmpty())
        m_documents.setPath(slot, document.path);
    m_documents.setEncoding(slot, document.encoding);
    m_view.loadDocument(document.utf8);
    m_documents.setSaved(slot, false);
    m_view.showDocumentControls();
    m_document.goTo(m_document.id(), document.caretLine + 1, 1);
    return true;
}

bool FileCommands::reloadCurrent()
{
    const int slot = m_documents.current();
    if (slot < 0)
        return false;
    const FileIO::ReadResult read = FileIO::readWholeFile(m_documents[slot].path);
    if (!read.ok()) {
        m_context.prompter.message(read.failure.describe(m_context.strings),
                                   Prompter::Icon::Critical);
        return false;
    }
    const DocumentCodec::Decoded decoded =
        DocumentCodec::decode(read.bytes, m_context.settings.language);
    m_document.replaceBytes({{0, m_document.bytes().size(), decoded.utf8}});
    m_documents.setEncoding(slot, decoded.encoding);
    m_documents.setSaved(slot, true);
    return true;
}

} // namespace Quillorn
