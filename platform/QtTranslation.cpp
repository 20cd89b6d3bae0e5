#include "platform/QtTranslation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace Quillorn {

namespace {

// The locale of Qt's translation file for a language folder; empty for Qt's own English.
QString qtLocale(const QString& language)
{
    if (language.compare(QLatin1String("russian"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("ru");
    return {};
}

} // namespace

QtTranslation::QtTranslation() = default;

QtTranslation::~QtTranslation()
{
    if (m_translator)
        QCoreApplication::removeTranslator(m_translator.get());
}

void QtTranslation::apply(const QString& language)
{
    if (m_translator) {
        QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }
    const QString locale = qtLocale(language);
    if (locale.isEmpty())
        return;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLatin1String("qtbase_") + locale,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return;
    QCoreApplication::installTranslator(translator.get());
    m_translator = std::move(translator);
}

} // namespace Quillorn
