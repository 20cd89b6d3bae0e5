#include "app/DocumentView.h"

namespace Quillorn {

DocumentView::~DocumentView() = default;

} // namespace Quillorn
