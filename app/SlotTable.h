#pragma once

#include <QList>
#include <QString>

#include <array>

namespace Quillorn {

// The ten document slots of the main window, fixed to their tab positions, and the list of
// free slots that hands out the oldest freed slot first.
class SlotTable {
public:
    static constexpr int Count = 10;

    struct Slot {
        QString path;      // the document's file; empty for a document without one
        bool saved = true; // false from the first change until the next save
    };

    SlotTable();

    // Takes the first free slot; -1 when all ten are in use.
    int take();

    // Clears the slot and gives it back at the end of the free list.
    void release(int slot);

    bool inUse(int slot) const;
    int usedCount() const { return Count - static_cast<int>(m_free.size()); }
    const QList<int>& freeSlots() const { return m_free; }

    Slot& operator[](int slot) { return m_slots.at(static_cast<size_t>(slot)); }
    const Slot& operator[](int slot) const { return m_slots.at(static_cast<size_t>(slot)); }

    static bool isValid(int slot) { return slot >= 0 && slot < Count; }

private:
    std::array<Slot, Count> m_slots;
    QList<int> m_free;
};

} // namespace Quillorn
