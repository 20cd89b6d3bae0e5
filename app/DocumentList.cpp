#include "app/DocumentList.h"

#include "platform/AppPaths.h"

#include <utility>

namespace Quillorn {

DocumentList::DocumentList(QObject* parent)
    : QObject(parent)
{
    for (int i = 0; i < Count; ++i)
        m_free.append(i);
}

int DocumentList::take(const QString& name, const QsciDocument& document)
{
    if (m_free.isEmpty())
        return -1;
    const int slot = m_free.takeFirst();
    Document& record = at(slot);
    record = Document{};
    record.name = name;
    record.kind = FileKind::kindOf(name);
    record.document = document;
    record.id = ++m_lastId;
    return slot;
}

int DocumentList::slotOf(quint64 id) const
{
    for (int slot = 0; slot < Count; ++slot) {
        if (id != 0 && inUse(slot) && (*this)[slot].id == id)
            return slot;
    }
    return -1;
}

void DocumentList::release(int slot)
{
    if (!inUse(slot))
        return;
    if (slot == m_current)
        setCurrent(-1);
    at(slot) = Document{};
    m_free.append(slot);
    Q_EMIT closed(slot);
}

void DocumentList::setPath(int slot, const QString& path)
{
    if (!inUse(slot))
        return;
    Document& record = at(slot);
    record.path = path;
    if (!path.isEmpty()) {
        record.name = AppPaths::fileName(path);
        record.kind = FileKind::kindOf(record.name);
    }
    Q_EMIT pathChanged(slot);
}

void DocumentList::setSaved(int slot, bool saved)
{
    if (!inUse(slot) || at(slot).saved == saved)
        return;
    at(slot).saved = saved;
    Q_EMIT savedChanged(slot, saved);
}

void DocumentList::setEncoding(int slot, const Encoding& encoding)
{
    if (inUse(slot))
        at(slot).encoding = encoding;
}

void DocumentList::setView(int slot, const Editor::ViewState& view)
{
    if (inUse(slot))
        at(slot).view = view;
}

void DocumentList::setPendingChecks(int slot, const QList<CurrentDocument::CheckMark>& marks)
{
    if (inUse(slot))
        at(slot).pendingChecks = marks;
}

std::optional<QList<CurrentDocument::CheckMark>> DocumentList::takePendingChecks(int slot)
{
    return inUse(slot) ? std::exchange(at(slot).pendingChecks, std::nullopt) : std::nullopt;
}

void DocumentList::setCurrent(int slot)
{
    Q_ASSERT(slot == -1 || inUse(slot));
    if (slot == m_current)
        return;
    m_current = slot;
    Q_EMIT currentChanged(slot);
}

bool DocumentList::inUse(int slot) const
{
    return isValid(slot) && !m_free.contains(slot);
}

QStringList DocumentList::paths() const
{
    QStringList result;
    for (int i = 0; i < Count; ++i) {
        if (inUse(i))
            result.append((*this)[i].path);
    }
    return result;
}

} // namespace Quillorn
