// A recovery copy read back after a crash; what it reads as is kept again unchanged.
#include "documents/RecoveryStore.h"
#include "fuzz/FuzzInput.h"

using namespace Quillorn;

namespace {
bool same(const RecoveryStore::Document& a, const RecoveryStore::Document& b)
{
    return a.name == b.name && a.path == b.path && a.slot == b.slot && a.encoding == b.encoding &&
           a.caretLine == b.caretLine && a.utf8 == b.utf8;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::optional<RecoveryStore::Document> read =
        RecoveryStore::decode(FuzzInput::bytes(data, size));
    if (!read)
        return 0;
    const std::optional<RecoveryStore::Document> again =
        RecoveryStore::decode(RecoveryStore::encode(*read));
    FuzzInput::check(again && same(*again, *read), "a copy kept again reads back the same");
    return 0;
}
