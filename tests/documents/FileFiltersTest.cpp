#include "documents/FileFilters.h"
#include "platform/LangStrings.h"
#include "support/TestEnvironment.h"

#include <QTest>

using namespace Quillorn;

class FileFiltersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void pipeFormBecomesQtForm_data();
    void pipeFormBecomesQtForm();
    void openFilterListsTheKnownKinds();
    void saveAsOffersTheDocumentsKindFirst_data();
    void saveAsOffersTheDocumentsKindFirst();

private:
    Test::TestEnvironment m_env;
    LangStrings m_strings;
};

void FileFiltersTest::initTestCase()
{
    QVERIFY(m_strings.load(LangStrings::languageFolder(m_env.appDir(), QString()) +
                               QLatin1String("main.lng"),
                           QString()));
}

void FileFiltersTest::pipeFormBecomesQtForm_data()
{
    QTest::addColumn<QString>("pipe");
    QTest::addColumn<QString>("qt");
    QTest::newRow("two") << "Pages|*.html;*.htm|All|*.*"
                         << "Pages (*.html *.htm);;All (*)";
    QTest::newRow("name without pattern") << "Lonely"
                                          << "Lonely (*)";
    QTest::newRow("blank patterns") << "Pages|*.html; ;|"
                                    << "Pages (*.html)";
    QTest::newRow("empty") << ""
                           << "";
}

void FileFiltersTest::pipeFormBecomesQtForm()
{
    QFETCH(QString, pipe);
    QFETCH(QString, qt);
    QCOMPARE(FileFilters::toQtFilter(pipe), qt);
}

void FileFiltersTest::openFilterListsTheKnownKinds()
{
    QCOMPARE(FileFilters::openFilter(m_strings),
             QStringLiteral("All known formats (*.html *.htm *.js *.css *.php *.phtml *.php3 "
                            "*.qlp);;HTML page (*.html *.htm);;Javascript file (*.js);;"
                            "PHP script (*.php *.phtml *.php3);;Quillorn project file (*.qlp);;"
                            "All files (*)"));
    QCOMPARE(FileFilters::projectFilter(m_strings),
             QStringLiteral("Quillorn project file (*.qlp)"));
}

void FileFiltersTest::saveAsOffersTheDocumentsKindFirst_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("filter");
    QTest::newRow("htm keeps its extension") << "a.htm"
                                             << "HTML page (*.htm);;All files (*)";
    QTest::newRow("css") << "style.css"
                         << "CSS file (*.css);;All files (*)";
    QTest::newRow("php3") << "x.php3"
                          << "PHP script (*.php3);;All files (*)";
    QTest::newRow("capitals") << "A.HTML"
                              << "All files (*.HTML);;All files (*)";
    QTest::newRow("no extension") << "unknown"
                                  << "All files (*);;All files (*)";
}

void FileFiltersTest::saveAsOffersTheDocumentsKindFirst()
{
    QFETCH(QString, caption);
    QFETCH(QString, filter);
    QCOMPARE(FileFilters::saveAsFilter(m_strings, caption), filter);
}

QTEST_GUILESS_MAIN(FileFiltersTest)
#include "FileFiltersTest.moc"
