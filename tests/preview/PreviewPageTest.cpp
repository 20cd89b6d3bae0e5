#include "preview/PreviewPage.h"

#include <QTest>

using namespace Quillorn;

class PreviewPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void choosesThePageAndItsAddress_data();
    void choosesThePageAndItsAddress();
};

void PreviewPageTest::choosesThePageAndItsAddress_data()
{
    QTest::addColumn<bool>("server");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<QString>("url"); // of the document's own path; empty: it has none

    const QString local = PreviewPage::defaultAddress();
    QTest::newRow("disk, saved") << false << "" << local << "/home/u/site/a.html" << true << false
                                 << "file:///home/u/site/a.html";
    QTest::newRow("disk, unsaved") << false << "" << local << "/home/u/site/a.html" << false << true
                                   << "file:///home/u/site/a.html";
    QTest::newRow("disk, no path") << false << "" << local << "" << false << true << "";
    QTest::newRow("disk, blanks and non-ASCII")
        << false << "" << local << "/home/u/my site/страница.html" << true << false
        << "file:///home/u/my%20site/%D1%81%D1%82%D1%80%D0%B0%D0%BD%D0%B8%D1%86%D0%B0.html";
    QTest::newRow("server, inside") << true << "/srv/www" << local << "/srv/www/site/a.html" << true
                                    << false << "http://127.0.0.1/site/a.html";
    QTest::newRow("server, folder with /") << true << "/srv/www/" << local << "/srv/www/site/a.html"
                                           << true << false << "http://127.0.0.1/site/a.html";
    QTest::newRow("server, inside, unsaved") << true << "/srv/www" << local << "/srv/www/a.html"
                                             << false << true << "http://127.0.0.1/a.html";
    QTest::newRow("server, no path") << true << "/srv/www" << local << "" << false << true << "";
    QTest::newRow("server, outside")
        << true << "/srv/www/" << local << "/home/u/a.html" << true << true << "";
    QTest::newRow("server, folder text elsewhere in the path")
        << true << "/srv/www" << local << "/home/srv/www/a.html" << true << true << "";
    QTest::newRow("server, a sibling folder starting alike")
        << true << "/srv/www" << local << "/srv/www2/a.html" << true << true << "";
    QTest::newRow("server, the folder itself")
        << true << "/srv/www/" << local << "/srv/www" << true << true << "";
    QTest::newRow("server, no folder")
        << true << "" << local << "/srv/www/a.html" << true << true << "";
    QTest::newRow("server, blanks, non-ASCII and #")
        << true << "/srv/www" << local << "/srv/www/my dir/файл #1.html" << true << false
        << "http://127.0.0.1/my%20dir/%D1%84%D0%B0%D0%B9%D0%BB%20%231.html";
    QTest::newRow("server, address with a port and no /")
        << true << "/srv/www"
        << "http://127.0.0.1:8080"
        << "/srv/www/a.html" << true << false << "http://127.0.0.1:8080/a.html";
}

void PreviewPageTest::choosesThePageAndItsAddress()
{
    QFETCH(bool, server);
    QFETCH(QString, folder);
    QFETCH(QString, address);
    QFETCH(QString, path);
    QFETCH(bool, saved);
    QFETCH(bool, copy);
    QFETCH(QString, url);
    const PreviewPage page(server ? PreviewPage::Mode::Server : PreviewPage::Mode::Disk, folder,
                           address);
    QCOMPARE(page.needsCopy(path, saved), copy);
    QCOMPARE(page.url(path).toString(QUrl::FullyEncoded), url);
}

QTEST_GUILESS_MAIN(PreviewPageTest)
#include "PreviewPageTest.moc"
