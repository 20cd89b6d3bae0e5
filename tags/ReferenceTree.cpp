#include "tags/ReferenceTree.h"

namespace Quillorn {

int ReferenceTree::itemCount() const
{
    int count = 0;
    for (const Folder& folder : folders)
        count += static_cast<int>(folder.items.size());
    return count;
}

} // namespace Quillorn
