#include "documents/FileKind.h"

#include <QFile>
#include <QTest>

using namespace Quillorn;
using Kind = FileKind::Kind;

class FileKindTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void kindComesFromTheExactExtension_data();
    void kindComesFromTheExactExtension();
    void projectFilesAreToldWithoutRegardToCase_data();
    void projectFilesAreToldWithoutRegardToCase();
    void picturesAndNamesPerKind();
};

void FileKindTest::kindComesFromTheExactExtension_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<int>("kind");
    QTest::newRow("html") << "/w/index.html"
                          << ".html" << int(Kind::Html);
    QTest::newRow("htm") << "/w/index.htm"
                         << ".htm" << int(Kind::Html);
    QTest::newRow("capitals are another kind") << "/w/INDEX.HTML"
                                               << ".HTML" << int(Kind::Other);
    QTest::newRow("js") << "a.min.js"
                        << ".js" << int(Kind::JavaScript);
    QTest::newRow("css") << "style.css"
                         << ".css" << int(Kind::Css);
    QTest::newRow("phtml") << "x.phtml"
                           << ".phtml" << int(Kind::Php);
    QTest::newRow("php3") << "x.php3"
                          << ".php3" << int(Kind::Php);
    QTest::newRow("dot in a folder only") << "/w/site.html/README"
                                          << "" << int(Kind::Other);
    QTest::newRow("Windows folder") << "C:\\site.d\\page.htm"
                                    << ".htm" << int(Kind::Html);
    QTest::newRow("untitled") << "unknown"
                              << "" << int(Kind::Other);
}

void FileKindTest::kindComesFromTheExactExtension()
{
    QFETCH(QString, path);
    QFETCH(QString, extension);
    QFETCH(int, kind);
    QCOMPARE(FileKind::extension(path), extension);
    QCOMPARE(int(FileKind::kindOf(path)), kind);
}

void FileKindTest::projectFilesAreToldWithoutRegardToCase_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("project");
    QTest::newRow("lower") << "/p/site.qlp" << true;
    QTest::newRow("upper") << "/p/SITE.QLP" << true;
    QTest::newRow("mixed") << "last_session.QlP" << true;
    QTest::newRow("bare extension") << ".qlp" << true;
    QTest::newRow("other") << "/p/site.qlpx" << false;
    QTest::newRow("empty") << "" << false;
}

void FileKindTest::projectFilesAreToldWithoutRegardToCase()
{
    QFETCH(QString, path);
    QFETCH(bool, project);
    QCOMPARE(FileKind::isProjectFile(path), project);
}

void FileKindTest::picturesAndNamesPerKind()
{
    QCOMPARE(FileKind::iconPath(Kind::Php, QStringLiteral("/opt/q")),
             QStringLiteral("/opt/q/icons/php.svg"));
    QCOMPARE(FileKind::iconPath(Kind::Other, QStringLiteral("/opt/q/")), QString());
    QCOMPARE(FileKind::dialogName(Kind::Css), Str::KindCss);
    QCOMPARE(FileKind::dialogName(Kind::Other), Str::KindAllFiles);
    // Every kind with a picture has it in the shipped icons.
    for (Kind kind : {Kind::Html, Kind::JavaScript, Kind::Css, Kind::Php})
        QVERIFY(QFile::exists(QStringLiteral(QUILLORN_SHIPPED_DATA "/icons/") +
                              FileKind::iconFileName(kind)));
}

QTEST_GUILESS_MAIN(FileKindTest)
#include "FileKindTest.moc"
