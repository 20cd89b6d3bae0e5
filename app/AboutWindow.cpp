#include "app/AboutWindow.h"

#include "platform/ProgramFile.h"
#include "platform/WindowPlacement.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace Quillorn {

namespace {
constexpr qint64 MaxAboutSize = 64 * 1024;
}

AboutWindow::AboutWindow(const QString& languageDir, const QString& language, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutF"));
    WindowPlacement::keepOverParent(this);
    setWindowTitle(QStringLiteral("Quillorn"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(aboutText(languageDir, language), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setMinimumWidth(360);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QString AboutWindow::aboutText(const QString& languageDir, const QString& language)
{
    QString text =
        ProgramFile::read(languageDir + QLatin1String("about.lng"), MaxAboutSize, language).text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text.trimmed();
}

} // namespace Quillorn
