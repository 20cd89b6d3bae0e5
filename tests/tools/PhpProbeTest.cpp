#include "tools/PhpProbe.h"

#include "platform/LangStrings.h"

#include <QSignalSpy>
#include <QTest>

using namespace Quillorn;

class PhpProbeTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tellsThePhpVersion_data();
    void tellsThePhpVersion();
};

void PhpProbeTest::tellsThePhpVersion_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("labelStart");
    QTest::newRow("PHP") << PhpProbe::proposedPath() << "PHP 8.";
    QTest::newRow("missing") << "/nonexistent/php"
                             << "PHP not available";
    QTest::newRow("a folder") << "/usr"
                              << "PHP not available";
    QTest::newRow("another program") << "/bin/echo"
                                     << "PHP not available";
    QTest::newRow("empty") << ""
                           << "PHP not available";
}

void PhpProbeTest::tellsThePhpVersion()
{
    QFETCH(QString, path);
    QFETCH(QString, labelStart);
    const LangStrings strings;
    PhpProbe probe(strings);
    QSignalSpy ready(&probe, &PhpProbe::labelReady);
    // A probe replaced before it ends gives only the newer answer.
    probe.probe(QStringLiteral("/nonexistent/first"));
    probe.probe(path);
    QVERIFY(ready.wait(30000));
    QCOMPARE(ready.count(), 1);
    const QString label = ready.at(0).at(0).toString();
    QVERIFY2(label.startsWith(labelStart), qPrintable(label));
    QVERIFY(!label.contains(QLatin1String("Copyright")));
}

QTEST_GUILESS_MAIN(PhpProbeTest)
#include "PhpProbeTest.moc"
