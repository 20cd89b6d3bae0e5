// A reference tree (".QLT") read from its file.
#include "fuzz/FuzzInput.h"
#include "tags/ReferenceTreeFile.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const ReferenceTreeFile::ReadResult read =
        ReferenceTreeFile::read(FuzzInput::file(data, size), QStringLiteral("russian"));
    FuzzInput::check(read.ok(), "a small regular file is read");
    read.tree.itemCount();
    return 0;
}
