#include "documents/TemplateStore.h"
#include "documents/FileIO.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;

class TemplateStoreTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void displayNameAndExtension_data();
    void displayNameAndExtension();
    void shippedTemplates();
    void addedTemplateIsListedNextTime();
    void namesLeavingTheFolderAreRefused_data();
    void namesLeavingTheFolderAreRefused();
};

void TemplateStoreTest::displayNameAndExtension_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("extension");
    QTest::newRow("plain") << "HTML Document.html"
                           << "HTML Document"
                           << ".html";
    QTest::newRow("two dots") << "page.min.js"
                              << "page.min"
                              << ".js";
    QTest::newRow("no extension") << "Makefile"
                                  << "Makefile"
                                  << "";
    QTest::newRow("dot first") << ".htaccess"
                               << ""
                               << ".htaccess";
}

void TemplateStoreTest::displayNameAndExtension()
{
    QFETCH(QString, file);
    QFETCH(QString, display);
    QFETCH(QString, extension);
    QCOMPARE(TemplateStore::displayName(file), display);
    QCOMPARE(TemplateStore::extension(file), extension);
}

void TemplateStoreTest::shippedTemplates()
{
    const TemplateStore store(QStringLiteral(QUILLORN_SHIPPED_DATA "/templates"));
    QCOMPARE(store.fileNames(),
             (QStringList{"CSS Document.css", "HTML Document.html", "JavaScript Document.js",
                          "PHP Document.php", "Text Document.txt"}));
    const QByteArray html = FileIO::readWholeFile(store.path("HTML Document.html")).bytes;
    QVERIFY(html.contains("content=\"text/html; charset=windows-1251\""));
    QVERIFY(html.contains("<title></title>"));
    QVERIFY(html.contains("name=\"description\" content=\"\""));
    QVERIFY(html.contains("name=\"keywords\" content=\"\""));
    QCOMPARE(html.count("\r\n"), html.count("\n"));
    const QByteArray php = FileIO::readWholeFile(store.path("PHP Document.php")).bytes;
    QVERIFY(php.contains("<body>\r\n<?php\r\n\r\n?>\r\n</body>"));
    for (const char* empty : {"CSS Document.css", "JavaScript Document.js", "Text Document.txt"})
        QVERIFY(FileIO::readWholeFile(store.path(QString::fromLatin1(empty))).bytes.isEmpty());
}

void TemplateStoreTest::addedTemplateIsListedNextTime()
{
    QTemporaryDir app;
    const TemplateStore store(TemplateStore::folderIn(app.path()));
    QVERIFY(store.fileNames().isEmpty());
    QVERIFY(
        store
            .addTemplate(QStringLiteral("Blog post.html"), QStringLiteral("<p>\r\n</p>"), QString())
            .ok());
    QCOMPARE(TemplateStore(TemplateStore::folderIn(app.path())).fileNames(),
             QStringList{QStringLiteral("Blog post.html")});
    QCOMPARE(FileIO::readTextFile(store.path(QStringLiteral("Blog post.html")), QString()),
             QStringLiteral("<p>\r\n</p>"));
    // Dots inside a name are the user's to choose.
    QVERIFY(store.addTemplate(QStringLiteral("v1..2.html"), QStringLiteral("v"), QString()).ok());
    QCOMPARE(store.fileNames().size(), 2);
    QVERIFY(QFile::remove(store.path(QStringLiteral("v1..2.html"))));
    // The same name again replaces the template.
    QVERIFY(
        store.addTemplate(QStringLiteral("Blog post.html"), QStringLiteral("new"), QString()).ok());
    QCOMPARE(store.fileNames().size(), 1);
}

void TemplateStoreTest::namesLeavingTheFolderAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("parent") << "../evil.html";
    QTest::newRow("absolute") << "/tmp/evil.html";
    QTest::newRow("backslash") << "..\\evil.html";
    QTest::newRow("sub folder") << "sub/evil.html";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("dot") << ".";
    QTest::newRow("blank") << "   ";
}

void TemplateStoreTest::namesLeavingTheFolderAreRefused()
{
    QFETCH(QString, name);
    QTemporaryDir app;
    const TemplateStore store(TemplateStore::folderIn(app.path()));
    const FileIO::WriteResult result = store.addTemplate(name, QStringLiteral("x"), QString());
    QVERIFY(!result.ok());
    QCOMPARE(result.kind(), FileFailure::Kind::NoName);
    QVERIFY(TemplateStore::nameProblem(name).has_value());
    QCOMPARE(QDir(app.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
    QVERIFY(store.fileNames().isEmpty());
}

QTEST_GUILESS_MAIN(TemplateStoreTest)
#include "TemplateStoreTest.moc"
