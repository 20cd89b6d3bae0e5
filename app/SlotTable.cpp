#include "app/SlotTable.h"

namespace Quillorn {

SlotTable::SlotTable()
{
    for (int i = 0; i < Count; ++i)
        m_free.append(i);
}

int SlotTable::take()
{
    if (m_free.isEmpty())
        return -1;
    const int slot = m_free.takeFirst();
    m_slots.at(static_cast<size_t>(slot)) = Slot{};
    return slot;
}

void SlotTable::release(int slot)
{
    if (!isValid(slot))
        return;
    m_slots.at(static_cast<size_t>(slot)) = Slot{};
    if (!m_free.contains(slot))
        m_free.append(slot);
}

bool SlotTable::inUse(int slot) const
{
    return isValid(slot) && !m_free.contains(slot);
}

} // namespace Quillorn
