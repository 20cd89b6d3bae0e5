#include "setup/PayloadWriter.h"

#include "setup/core/PayloadFormat.h"
#include "setup/core/PayloadReader.h"

namespace Quillorn {

namespace {

PayloadWriter::Result refused(const QString& error)
{
    return {{}, error};
}

} // namespace

PayloadWriter::Result PayloadWriter::compose(const QByteArray& program, const QList<File>& files)
{
    const QByteArray marker = QByteArray::fromStdString(PayloadFormat::marker());
    const QByteArray separator = QByteArray::fromStdString(PayloadFormat::separator());
    if (program.contains(marker))
        return refused(QStringLiteral("the installer program holds the payload marker \"%1\" "
                                      "as text; build the text at run time")
                           .arg(QString::fromLatin1(marker)));
    QByteArray list;
    for (const File& file : files) {
        const QByteArray name =
            QByteArray::fromStdString(PayloadFormat::nameOf(file.path.toStdString()));
        if (file.path.contains(QLatin1Char(PayloadFormat::FolderSeparator)) ||
            !PayloadFormat::isSafeName(name.toStdString()))
            return refused(QStringLiteral("%1: the name cannot be carried (a backslash, a control "
                                          "character, an absolute path or a \"..\" folder)")
                               .arg(file.path));
        for (const QByteArray& text : {separator, marker}) {
            if (file.bytes.contains(text))
                return refused(QStringLiteral("%1 holds \"%2\", which the installer reads as the "
                                              "end of a file; it cannot be carried")
                                   .arg(file.path, QString::fromLatin1(text)));
        }
        list += name + PayloadFormat::NameEnd;
    }

    Result result;
    QByteArray& installer = result.installer;
    installer += program + marker + marker + list + separator;
    for (const File& file : files)
        installer += file.bytes + separator;
    installer += QByteArray::fromStdString(PayloadFormat::tail());

    // The end of one piece and the start of the next can still spell the separator or the
    // marker (a file ending in "p/NewFile/", names that spell it across their ends): only
    // reading the installer back proves that it gives every file as it is.
    const PayloadReader::Result back =
        PayloadReader::read({installer.constData(), size_t(installer.size())});
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!back.ok() || size_t(i) >= back.files.size() ||
            QString::fromStdString(back.files[i].path) != files.at(i).path ||
            QByteArrayView(back.files[i].bytes.data(), qsizetype(back.files[i].bytes.size())) !=
                files.at(i).bytes)
            return refused(QStringLiteral("%1 and the pieces around it would be read back wrongly "
                                          "by the installer; it cannot be carried")
                               .arg(files.at(i).path));
    }
    if (back.files.size() != size_t(files.size()))
        return refused(QStringLiteral("the installer would be read back with %1 files instead "
                                      "of %2")
                           .arg(qsizetype(back.files.size()))
                           .arg(files.size()));
    return result;
}

} // namespace Quillorn
