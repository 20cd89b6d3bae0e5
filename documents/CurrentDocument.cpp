#include "documents/CurrentDocument.h"

namespace Quillorn {

CurrentDocument::~CurrentDocument() = default;

} // namespace Quillorn
