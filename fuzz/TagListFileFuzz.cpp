// A tag list read as the tag window reads it: its pieces, then each entry's caption and text.
#include "fuzz/FuzzInput.h"
#include "tags/TagListFile.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    for (const QString& piece :
         TagListFile::read(FuzzInput::file(data, size), QStringLiteral("english"))) {
        const QString full = TagListFile::withoutLeadingLineEnd(piece);
        const TagListFile::Entry entry = TagListFile::entry(full);
        FuzzInput::check(entry.caption.size() + entry.text.size() <= full.size(),
                         "an entry's parts come from the entry");
    }
    return 0;
}
