#include "preview/PreviewCopy.h"
#include "preview/PreviewPage.h"

#include "platform/TempFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;

namespace {
QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}
} // namespace

class PreviewCopyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void copyIsWrittenAndRemoved_data();
    void copyIsWrittenAndRemoved();
};

void PreviewCopyTest::copyIsWrittenAndRemoved_data()
{
    QTest::addColumn<bool>("server");
    QTest::addColumn<QString>("document"); // below the server folder; "" for none
    QTest::addColumn<bool>("saved");
    QTest::addColumn<bool>("copy");

    QTest::newRow("disk, saved: its own file") << false << "site/a.html" << true << false;
    QTest::newRow("disk, unsaved") << false << "site/a.html" << false << true;
    QTest::newRow("disk, no path") << false << "" << false << true;
    QTest::newRow("server, saved inside: its own file") << true << "site/a.html" << true << false;
    QTest::newRow("server, unsaved") << true << "site/a.html" << false << true;
    QTest::newRow("server, saved outside") << true << "../outside.html" << true << true;
}

void PreviewCopyTest::copyIsWrittenAndRemoved()
{
    QFETCH(bool, server);
    QFETCH(QString, document);
    QFETCH(bool, saved);
    QFETCH(bool, copy);
    QTemporaryDir root;
    const QString folder = root.filePath(QStringLiteral("www"));
    const QString path = document.isEmpty() ? QString() : folder + QLatin1Char('/') + document;
    const PreviewPage page(server ? PreviewPage::Mode::Server : PreviewPage::Mode::Disk,
                           folder + QLatin1Char('/'), QStringLiteral("http://127.0.0.1:8080/"));
    const QByteArray bytes = QByteArrayLiteral("<p>Entwurf \xc3\xa9</p>\r\n");

    QString first;
    {
        PreviewCopy preview;
        // The server folder does not exist yet: no copy can be made there.
        const PreviewCopy::Page missing = preview.show(page, path, saved, bytes);
        QCOMPARE(missing.ok(), !copy || !server);
        if (missing.ok())
            preview.discard();
        QVERIFY(QDir().mkpath(folder));

        const PreviewCopy::Page shown = preview.show(page, path, saved, bytes);
        QVERIFY2(shown.ok(), qPrintable(shown.failure.path()));
        if (!copy) {
            QVERIFY(preview.path().isEmpty());
            QCOMPARE(shown.url, page.url(path));
            return;
        }
        first = preview.path();
        const QFileInfo info(first);
        QCOMPARE(info.absolutePath(), server ? folder : TempFiles::userFolder());
        QVERIFY(info.fileName().endsWith(QLatin1String(".html")));
        QCOMPARE(contents(first), bytes);
        QCOMPARE(shown.url, page.url(first));
        // Another user's server must read a copy in its folder; a copy elsewhere stays private.
        QCOMPARE(info.permission(QFile::ReadOther), server);

        // The next switch replaces the copy; switching back removes it.
        preview.show(page, path, saved, bytes);
        QVERIFY(!QFile::exists(first));
        QVERIFY(QFile::exists(preview.path()));
        first = preview.path();
        preview.discard();
        QVERIFY(!QFile::exists(first));
        QVERIFY(preview.path().isEmpty());

        preview.show(page, path, saved, bytes);
        first = preview.path();
        QVERIFY(QFile::exists(first));
    }
    // At exit the last copy goes with its owner.
    QVERIFY(!QFile::exists(first));
}

QTEST_GUILESS_MAIN(PreviewCopyTest)
#include "PreviewCopyTest.moc"
