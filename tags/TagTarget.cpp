#include "tags/TagTarget.h"

namespace Quillorn {

TagTarget::~TagTarget() = default;

} // namespace Quillorn
