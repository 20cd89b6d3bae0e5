#include "side/DiskCompare.h"

#include "documents/CurrentDocument.h"
#include "documents/DocumentCodec.h"
#include "documents/FileIO.h"
#include "documents/LineDiff.h"
#include "platform/LangStrings.h"
#include "platform/Prompter.h"
#include "side/CompareWindow.h"

namespace Quillorn {

DiskCompare::DiskCompare(const Context& context, QObject* parent)
    : QObject(parent)
    , m_context(context)
{
}

void DiskCompare::compareCurrent()
{
    CurrentDocument& document = m_context.document;
    if (!document.isOpen()) {
        m_context.prompter.message(m_context.strings.value(Str::OpenFileFirst),
                                   Prompter::Icon::Exclamation);
        return;
    }
    if (document.path().isEmpty()) {
        m_context.prompter.message(m_context.strings.value(Str::SaveFileFirst),
                                   Prompter::Icon::Exclamation);
        return;
    }
    const FileIO::ReadResult read = FileIO::readWholeFile(document.path());
    if (!read.ok()) {
        m_context.prompter.message(read.failure.describe(m_context.strings),
                                   Prompter::Icon::Critical);
        return;
    }
    const QString onDisk =
        QString::fromUtf8(DocumentCodec::decodeAs(read.bytes, document.encoding()).utf8);
    const LineDiff::Result result = LineDiff::compare(
        LineDiff::splitLines(onDisk), LineDiff::splitLines(QString::fromUtf8(document.bytes())));
    if (result.lines.isEmpty()) {
        if (m_window)
            m_window->close();
        m_context.prompter.message(m_context.strings.value(Str::CompareSame),
                                   Prompter::Icon::Information);
        return;
    }
    if (!m_window) {
        m_window = new CompareWindow(m_context.window);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_window->show(m_context.strings, document.path(), result);
}

} // namespace Quillorn
