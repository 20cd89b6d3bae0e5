#include "preview/LocalServer.h"

#include "platform/LangStrings.h"

#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;

namespace {

// A port nothing listens on just now.
quint16 freePort()
{
    QTcpServer server;
    return server.listen(QHostAddress::LocalHost, 0) ? server.serverPort() : 0;
}

// Whether a server answers at `address`, as the preview asks it.
bool answers(LocalServer& server, const QUrl& address)
{
    QSignalSpy answered(&server, &LocalServer::answered);
    server.isAnswering(address);
    if (!answered.wait(10000) || answered.size() != 1)
        return false;
    return answered.first().at(1).toBool();
}

// The body of a GET for `path` from the server at `address`.
QByteArray get(const QUrl& address, const QByteArray& path)
{
    QTcpSocket socket;
    socket.connectToHost(address.host(), static_cast<quint16>(address.port(80)));
    socket.waitForConnected(10000);
    socket.write("GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
    QByteArray response;
    // The server closes the connection after its answer.
    while (socket.waitForReadyRead(10000))
        response += socket.readAll();
    return response.mid(response.indexOf("\r\n\r\n") + 4);
}

LangStrings english()
{
    LangStrings strings;
    strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/english/main.lng"), {});
    return strings;
}

} // namespace

class LocalServerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void servesPhpPagesUntilStopped_data();
    void servesPhpPagesUntilStopped();
    void tellsWhyItCouldNotStart_data();
    void tellsWhyItCouldNotStart();
};

void LocalServerTest::servesPhpPagesUntilStopped_data()
{
    QTest::addColumn<bool>("taken");
    QTest::newRow("the preferred port") << false;
    QTest::newRow("the preferred port taken: another") << true;
}

void LocalServerTest::servesPhpPagesUntilStopped()
{
    QFETCH(bool, taken);
    QTemporaryDir folder;
    QFile page(folder.filePath(QStringLiteral("index.php")));
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.write("<?php echo 6 * 7, ' from PHP';\n");
    page.close();
    QTcpServer other;
    const quint16 preferred =
        taken ? (other.listen(QHostAddress::LocalHost, 0), other.serverPort()) : freePort();
    QVERIFY(preferred != 0);
    const LangStrings strings = english();

    LocalServer server;
    QSignalSpy started(&server, &LocalServer::started);
    QSignalSpy failed(&server, &LocalServer::failed);
    server.start(folder.path(), QString(), preferred);
    QVERIFY(started.wait(15000));
    QCOMPARE(failed.size(), 0);
    const QUrl address = started.first().first().toUrl();
    QCOMPARE(server.address(), address);
    QCOMPARE(address.host(), QStringLiteral("127.0.0.1"));
    QCOMPARE(address.port() == preferred, !taken);
    QCOMPARE(server.statusText(strings),
             "Preview through PHP's built-in server at " + address.toString());

    QCOMPARE(get(address, "/index.php"), QByteArray("42 from PHP"));
    QVERIFY(answers(server, address));
    QCOMPARE(server.state(), LocalServer::State::Started);

    server.stop();
    QCOMPARE(server.state(), LocalServer::State::None);
    QVERIFY(!answers(server, address));
    QCOMPARE(server.statusText(strings), QString());
}

void LocalServerTest::tellsWhyItCouldNotStart_data()
{
    QTest::addColumn<QString>("php");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such program") << "/nonexistent/php"
                                     << "";
    QTest::newRow("a program that ends at once") << "/bin/false"
                                                 << "/bin/false";
    QTest::newRow("PHP refusing its folder") << ""
                                             << "does not exist";
}

void LocalServerTest::tellsWhyItCouldNotStart()
{
    QFETCH(QString, php);
    QFETCH(QString, reason);
    LocalServer server;
    QSignalSpy started(&server, &LocalServer::started);
    QSignalSpy failed(&server, &LocalServer::failed);
    server.start(QStringLiteral("/nonexistent/folder"), php, freePort());
    QVERIFY(failed.wait(15000));
    QCOMPARE(failed.size(), 1);
    QCOMPARE(started.size(), 0);
    QCOMPARE(server.state(), LocalServer::State::Failed);
    const QString text = server.statusText(english());
    QVERIFY2(text.startsWith(QLatin1String("The local server could not be started: ")),
             qPrintable(text));
    QVERIFY2(text.contains(reason), qPrintable(text));
}

QTEST_GUILESS_MAIN(LocalServerTest)
#include "LocalServerTest.moc"
