// A session or project file (".qlp") read as a list of document paths.
#include "documents/SessionFile.h"
#include "fuzz/FuzzInput.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SessionFile::Listing listing =
        SessionFile::read(FuzzInput::file(data, size), QStringLiteral("english"));
    FuzzInput::check(listing.readable, "a regular file is read");
    FuzzInput::check(listing.lines.size() <= SessionFile::MaxLines, "at most MaxLines lines");
    for (const QString& line : listing.lines) {
        FuzzInput::check(line.size() <= SessionFile::MaxPathLength, "no line longer than a path");
        FuzzInput::check(!line.contains(QLatin1Char('\n')) && !line.contains(QLatin1Char('\r')),
                         "no line end inside a line");
    }
    return 0;
}
