#include "preview/PreviewPage.h"
#include "preview/PreviewCopy.h"

#include "platform/TempFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;

// The page choice and the temporary copy it may call for.
class PreviewPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choosesThePageAndItsAddress_data();
    void choosesThePageAndItsAddress();
    void copyIsWrittenAndRemoved_data();
    void copyIsWrittenAndRemoved();
};

void PreviewPageTest::choosesThePageAndItsAddress_data()
{
    QTest::addColumn<QString>("folder"); // the server's; empty: disk mode
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("copyFolder"); // "temp": the user's temporary folder
    QTest::addColumn<QString>("url");        // of the document's own path; empty: it has none

    QTest::newRow("disk") << ""
                          << "/home/u/a.html"
                          << "/home/u"
                          << "file:///home/u/a.html";
    QTest::newRow("disk, no path") << ""
                                   << ""
                                   << "temp"
                                   << "";
    QTest::newRow("disk, blanks and non-ASCII")
        << ""
        << "/home/u/my site/страница.html"
        << "/home/u/my site"
        << "file:///home/u/my%20site/%D1%81%D1%82%D1%80%D0%B0%D0%BD%D0%B8%D1%86%D0%B0.html";
    QTest::newRow("server, inside") << "/srv/www"
                                    << "/srv/www/site/a.html"
                                    << "/srv/www/site"
                                    << "http://127.0.0.1/site/a.html";
    QTest::newRow("server, folder with /") << "/srv/www/"
                                           << "/srv/www/site/a.html"
                                           << "/srv/www/site"
                                           << "http://127.0.0.1/site/a.html";
    QTest::newRow("server, no path") << "/srv/www"
                                     << ""
                                     << "/srv/www"
                                     << "";
    QTest::newRow("server, outside") << "/srv/www/"
                                     << "/home/u/a.html"
                                     << "/srv/www"
                                     << "";
    QTest::newRow("server, folder text elsewhere in the path") << "/srv/www"
                                                               << "/home/srv/www/a.html"
                                                               << "/srv/www"
                                                               << "";
    QTest::newRow("server, sibling folder starting alike") << "/srv/www"
                                                           << "/srv/www2/a.html"
                                                           << "/srv/www"
                                                           << "";
    QTest::newRow("server, the folder itself") << "/srv/www/"
                                               << "/srv/www"
                                               << "/srv/www"
                                               << "";
    QTest::newRow("server, blanks, non-ASCII and #")
        << "/srv/www"
        << "/srv/www/my dir/файл #1.html"
        << "/srv/www/my dir"
        << "http://127.0.0.1/my%20dir/%D1%84%D0%B0%D0%B9%D0%BB%20%231.html";
}

void PreviewPageTest::choosesThePageAndItsAddress()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QFETCH(QString, copyFolder);
    QFETCH(QString, url);
    const PreviewPage page(folder.isEmpty() ? PreviewPage::Mode::Disk : PreviewPage::Mode::Server,
                           folder);
    QCOMPARE(page.copyFolder(path),
             copyFolder == QLatin1String("temp") ? TempFiles::userFolder() : copyFolder);
    QCOMPARE(page.url(path).toString(QUrl::FullyEncoded), url);
}

void PreviewPageTest::copyIsWrittenAndRemoved_data()
{
    QTest::addColumn<bool>("server");
    QTest::addColumn<QString>("document"); // below the server folder; "" for none
    QTest::addColumn<QString>("copyIn");   // below the server folder; "temp" for elsewhere
    QTest::addColumn<QString>("suffix");
    QTest::newRow("disk: beside the document") << false << "site/a.php"
                                               << "site"
                                               << ".html";
    QTest::newRow("disk, no path") << false << ""
                                   << "temp"
                                   << ".html";
    QTest::newRow("server, inside: its extension") << true << "site/a.php"
                                                   << "site"
                                                   << ".php";
    QTest::newRow("server, outside") << true << "../outside.html"
                                     << ""
                                     << ".html";
}

void PreviewPageTest::copyIsWrittenAndRemoved()
{
    QFETCH(bool, server);
    QFETCH(QString, document);
    QFETCH(QString, copyIn);
    QFETCH(QString, suffix);
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("www"));
    QVERIFY(QDir().mkpath(folder + QLatin1String("/site")));
    const QString path = document.isEmpty() ? QString() : folder + QLatin1Char('/') + document;
    const PreviewPage page(server ? PreviewPage::Mode::Server : PreviewPage::Mode::Disk,
                           folder + QLatin1Char('/'), QStringLiteral("http://127.0.0.1:8080/"));
    const QByteArray bytes = QByteArrayLiteral("<p>Entwurf \xc3\xa9</p>\r\n");

    QString copy;
    {
        PreviewCopy preview;
        const PreviewCopy::Page shown = preview.show(page, path, bytes);
        QVERIFY(shown.ok());
        copy = preview.path();
        const QFileInfo info(copy);
        QCOMPARE(info.absolutePath(), copyIn == QLatin1String("temp")
                                          ? TempFiles::userFolder()
                                          : QDir::cleanPath(folder + QLatin1Char('/') + copyIn));
        QVERIFY(copy.endsWith(suffix));
        QCOMPARE(shown.url, page.url(copy));
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        // Another user's server must read a copy in its folder; a copy elsewhere stays private.
        QCOMPARE(info.permission(QFile::ReadOther), server);

        // The next switch replaces the copy; switching back removes it.
        preview.show(page, path, bytes);
        QVERIFY(!QFile::exists(copy));
        copy = preview.path();
        preview.discard();
        QVERIFY(!QFile::exists(copy));
        preview.show(page, path, bytes);
        copy = preview.path();
        QVERIFY(QFile::exists(copy));
    }
    // The last copy goes with its owner, at exit.
    QVERIFY(!QFile::exists(copy));
}

QTEST_GUILESS_MAIN(PreviewPageTest)
#include "PreviewPageTest.moc"
