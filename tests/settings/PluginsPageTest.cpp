#include "settings/PluginsPage.h"
#include "platform/LangStrings.h"
#include "platform/Settings.h"
#include "support/TestEnvironment.h"

#include <QFile>
#include <QListWidget>
#include <QTest>

using namespace Quillorn;

// The page that turns the plug-ins of the program folder on and off, over a real folder.
class PluginsPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void boxesTurnLinesOnAndOff();
};

void PluginsPageTest::boxesTurnLinesOnAndOff()
{
    const Test::TestEnvironment env;
    const QString shipped = QStringLiteral(QUILLORN_PLUGIN_DIR "/");
    const QString tests = QStringLiteral(QUILLORN_TEST_PLUGIN_DIR "/");
    QVERIFY(QFile::copy(shipped + "tagstrip.so", env.path("plug-ins/tagstrip.so")));
    QVERIFY(QFile::copy(shipped + "sort-lines", env.path("plug-ins/sort-lines")));
    // Neither is a plug-in: a library without the entry points, a file that is no program.
    QVERIFY(QFile::copy(tests + "noentry.so", env.path("plug-ins/noentry.so")));
    QVERIFY(env.writeFile("plug-ins/notes.txt", "notes"));
    LangStrings strings;
    QVERIFY(strings.load(env.path("languages/english/main.lng"), {}));

    Settings settings;
    settings.plugIns =
        QStringList{"gone\\\\\\gone.so", "a line without a file", "Sort lines\\\\\\sort-lines"};
    PluginsPage page(strings, env.appDir());
    page.load(settings);
    auto* list = page.findChild<QListWidget*>(QStringLiteral("PluginList"));
    QVERIFY(list);
    QStringList rows;
    for (int row = 0; row < list->count(); ++row) {
        const QListWidgetItem* item = list->item(row);
        rows << item->text() + (item->checkState() == Qt::Checked ? " [x]" : " [ ]");
    }
    QCOMPARE(rows,
             QStringList({"gone.so does not exist. [x]", "sort-lines [x]", "tagstrip.so [ ]"}));

    // The user turns the missing one off and the tag stripper on, with the keyboard.
    for (int row : {0, 2}) {
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Space);
    }
    page.store(settings);
    QCOMPARE(settings.plugIns, QStringList({"a line without a file", "Sort lines\\\\\\sort-lines",
                                            "tagstrip\\\\\\tagstrip.so"}));
}

QTEST_MAIN(PluginsPageTest)
#include "PluginsPageTest.moc"
