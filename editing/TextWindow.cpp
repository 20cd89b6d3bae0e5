#include "editing/TextWindow.h"

#include "component/QsciHeaders.h"

#include <algorithm>

namespace Quillorn {

TextWindow TextWindow::read(const QsciScintillaBase& view, qint64 from, qint64 to)
{
    using S = QsciScintillaBase;
    const qint64 length = view.SendScintilla(S::SCI_GETLENGTH);
    from = std::clamp<qint64>(from, 0, length);
    to = std::clamp<qint64>(to, from, length);
    const auto* text = reinterpret_cast<const char*>(view.SendScintilla(
        S::SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), static_cast<long>(to - from)));
    return TextWindow{from, text ? QByteArrayView(text, to - from) : QByteArrayView()};
}

} // namespace Quillorn
