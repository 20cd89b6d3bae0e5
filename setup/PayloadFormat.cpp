#include "setup/PayloadFormat.h"

#include "platform/ProgramText.h"

namespace Quillorn {

QByteArray PayloadFormat::marker()
{
    QByteArray text("s/Kit");
    text += "start/p";
    return text;
}

QByteArray PayloadFormat::separator()
{
    QByteArray text("p/New");
    text += "File/p";
    return text;
}

bool PayloadFormat::isSafeName(QByteArrayView name)
{
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f || c == NameEnd)
            return false;
    }
    const QByteArray bytes = name.toByteArray();
    if (!ProgramText::isValidUtf8(bytes))
        return false;
    for (const QByteArray& folder : bytes.split(FolderSeparator)) {
        if (folder.isEmpty() || folder == "." || folder == "..")
            return false;
    }
    return true;
}

QString PayloadFormat::pathOf(QByteArrayView name)
{
    QString path = QString::fromUtf8(name);
    path.replace(QLatin1Char(FolderSeparator), QLatin1Char('/'));
    return path;
}

QByteArray PayloadFormat::nameOf(const QString& path)
{
    QByteArray name = path.toUtf8();
    name.replace('/', FolderSeparator);
    return name;
}

} // namespace Quillorn
