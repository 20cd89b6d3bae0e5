#include "documents/DocumentSet.h"

namespace Quillorn {

DocumentSet::~DocumentSet() = default;

} // namespace Quillorn
