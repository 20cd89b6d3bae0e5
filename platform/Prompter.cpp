#include "platform/Prompter.h"

namespace Quillorn {

Prompter::~Prompter() = default;

} // namespace Quillorn
