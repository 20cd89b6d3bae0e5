#include "editing/TabCycle.h"

namespace Quillorn {

int TabCycle::next(const Visibility& visible, int current)
{
    for (int step = 1; step < TabCount; ++step) {
        const int tab = (current + step) % TabCount;
        if (tab >= 0 && visible[static_cast<std::size_t>(tab)])
            return tab;
    }
    return current;
}

int TabCycle::previous(const Visibility& visible, int current)
{
    for (int step = 1; step < TabCount; ++step) {
        const int tab = ((current - step) % TabCount + TabCount) % TabCount;
        if (visible[static_cast<std::size_t>(tab)])
            return tab;
    }
    return current;
}

} // namespace Quillorn
