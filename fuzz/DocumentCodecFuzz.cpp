// A document opened and saved unedited: whatever its bytes, the same bytes are written back.
#include "documents/DocumentCodec.h"
#include "fuzz/FuzzInput.h"

using namespace Quillorn;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = FuzzInput::bytes(data, size);
    for (const char* language : {"english", "russian"}) {
        const DocumentCodec::Decoded decoded =
            DocumentCodec::decode(bytes, QLatin1String(language));
        const Encoding forSave = DocumentCodec::encodingForSave(decoded.utf8, decoded.encoding);
        // What it remembers of a declaration may differ (a charset that is no ASCII, such as
        // EBCDIC, hides its own declaration once decoded), the bytes it is written in may not.
        FuzzInput::check(forSave.form == decoded.encoding.form &&
                             forSave.name == decoded.encoding.name &&
                             forSave.byteOrderMark == decoded.encoding.byteOrderMark,
                         "an unedited document keeps its encoding");
        const DocumentCodec::Encoded encoded = DocumentCodec::encode(decoded.utf8, forSave);
        FuzzInput::check(encoded.ok(), "an unedited document can be saved");
        FuzzInput::check(encoded.bytes == bytes, "an unedited document is saved byte for byte");
    }
    return 0;
}
