#include "preview/PreviewPage.h"
#include "preview/PreviewCopy.h"

#include "platform/TempFiles.h"

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
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QString>("url"); // of the document's own path; empty: it has none

    QTest::newRow("disk, saved") << ""
                                 << "/home/u/a.html" << true << false << "file:///home/u/a.html";
    QTest::newRow("disk, unsaved") << ""
                                   << "/home/u/a.html" << false << true << "file:///home/u/a.html";
    QTest::newRow("disk, no path") << ""
                                   << "" << true << true << "";
    QTest::newRow("disk, blanks and non-ASCII")
        << ""
        << "/home/u/my site/страница.html" << true << false
        << "file:///home/u/my%20site/%D1%81%D1%82%D1%80%D0%B0%D0%BD%D0%B8%D1%86%D0%B0.html";
    QTest::newRow("server, inside")
        << "/srv/www"
        << "/srv/www/site/a.html" << true << false << "http://127.0.0.1/site/a.html";
    QTest::newRow("server, folder with /")
        << "/srv/www/"
        << "/srv/www/site/a.html" << true << false << "http://127.0.0.1/site/a.html";
    QTest::newRow("server, inside, unsaved")
        << "/srv/www"
        << "/srv/www/a.html" << false << true << "http://127.0.0.1/a.html";
    QTest::newRow("server, no path") << "/srv/www"
                                     << "" << true << true << "";
    QTest::newRow("server, outside") << "/srv/www/"
                                     << "/home/u/a.html" << true << true << "";
    QTest::newRow("server, folder text elsewhere in the path")
        << "/srv/www"
        << "/home/srv/www/a.html" << true << true << "";
    QTest::newRow("server, sibling folder starting alike")
        << "/srv/www"
        << "/srv/www2/a.html" << true << true << "";
    QTest::newRow("server, the folder itself") << "/srv/www/"
                                               << "/srv/www" << true << true << "";
    QTest::newRow("server, blanks, non-ASCII and #")
        << "/srv/www"
        << "/srv/www/my dir/файл #1.html" << true << false
        << "http://127.0.0.1/my%20dir/%D1%84%D0%B0%D0%B9%D0%BB%20%231.html";
}

void PreviewPageTest::choosesThePageAndItsAddress()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);
    QFETCH(bool, saved);
    QFETCH(bool, copy);
    QFETCH(QString, url);
    const PreviewPage page(folder.isEmpty() ? PreviewPage::Mode::Disk : PreviewPage::Mode::Server,
                           folder);
    QCOMPARE(page.needsCopy(path, saved), copy);
    QCOMPARE(page.url(path).toString(QUrl::FullyEncoded), url);
}

void PreviewPageTest::copyIsWrittenAndRemoved_data()
{
    QTest::addColumn<bool>("server");
    QTest::addColumn<QString>("document"); // below the server folder; "" for none
    QTest::addColumn<bool>("saved");
    QTest::newRow("disk, saved: its own file") << false << "a.html" << true;
    QTest::newRow("disk, unsaved") << false << "a.html" << false;
    QTest::newRow("disk, no path") << false << "" << false;
    QTest::newRow("server, saved inside: its own file") << true << "site/a.html" << true;
    QTest::newRow("server, saved outside") << true << "../outside.html" << true;
}

void PreviewPageTest::copyIsWrittenAndRemoved()
{
    QFETCH(bool, server);
    QFETCH(QString, document);
    QFETCH(bool, saved);
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("www"));
    QVERIFY(QDir().mkpath(folder));
    const QString path = document.isEmpty() ? QString() : folder + QLatin1Char('/') + document;
    const PreviewPage page(server ? PreviewPage::Mode::Server : PreviewPage::Mode::Disk,
                           folder + QLatin1Char('/'), QStringLiteral("http://127.0.0.1:8080/"));
    const QByteArray bytes = QByteArrayLiteral("<p>Entwurf \xc3\xa9</p>\r\n");

    QString copy;
    {
        PreviewCopy preview;
        const PreviewCopy::Page shown = preview.show(page, path, saved, bytes);
        QVERIFY(shown.ok());
        copy = preview.path();
        if (!page.needsCopy(path, saved)) {
            QVERIFY(copy.isEmpty());
            QCOMPARE(shown.url, page.url(path));
            return;
        }
        const QFileInfo info(copy);
        QCOMPARE(info.absolutePath(), server ? folder : TempFiles::userFolder());
        QCOMPARE(shown.url, page.url(copy));
        QFile file(copy);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
        // Another user's server must read a copy in its folder; a copy elsewhere stays private.
        QCOMPARE(info.permission(QFile::ReadOther), server);

        // The next switch replaces the copy; switching back removes it.
        preview.show(page, path, saved, bytes);
        QVERIFY(!QFile::exists(copy));
        copy = preview.path();
        preview.discard();
        QVERIFY(!QFile::exists(copy));
        preview.show(page, path, saved, bytes);
        copy = preview.path();
        QVERIFY(QFile::exists(copy));
    }
    // The last copy goes with its owner, at exit.
    QVERIFY(!QFile::exists(copy));
}

QTEST_GUILESS_MAIN(PreviewPageTest)
#include "PreviewPageTest.moc"
