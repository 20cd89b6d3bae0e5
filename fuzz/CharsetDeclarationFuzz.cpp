// The character set a document declares near its start, and where it is written.
#include "documents/CharsetDeclaration.h"
#include "fuzz/FuzzInput.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzInput::bytes(data, size);
    const QByteArray name = CharsetDeclaration::find(bytes);
    bool named = name.isEmpty();
    qsizetype end = 0;
    for (const CharsetDeclaration::Place& place : CharsetDeclaration::places(bytes)) {
        FuzzInput::check(place.offset >= end && place.length > 0 &&
                             place.offset + place.length <= bytes.size(),
                         "places lie in the text, in order, apart");
        end = place.offset + place.length;
        named = named || bytes.mid(place.offset, place.length) == name;
    }
    FuzzInput::check(named, "the declared name is written at one of the places");
    return 0;
}
