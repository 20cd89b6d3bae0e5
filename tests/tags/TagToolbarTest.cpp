#include "tags/TagToolbar.h"
#include "platform/LangStrings.h"
#include "support/ScriptedPrompter.h"
#include "support/TestEnvironment.h"
#include "tags/FontChooser.h"
#include "tags/ReferenceWindow.h"
#include "tags/StringTarget.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

using namespace Quillorn;

class TagToolbarTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyButtonHasAShippedPicture();
    void clickingAButtonInsertsItsText();
    void promptedButtonAsksThroughThePrompter();
    void fontButtonInsertsTheChosenFont_data();
    void fontButtonInsertsTheChosenFont();
    void referenceButtonOpensTheJavaScriptTree();
    void missingReferenceIsReported();
    void buttonWithoutPictureStillShowsSomething();
    void captionsComeFromTheLanguageTable_data();
    void captionsComeFromTheLanguageTable();

private:
    LangStrings m_strings;
};

void TagToolbarTest::initTestCase()
{
    QVERIFY(m_strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/english/main.lng"),
                           QStringLiteral("english")));
}

void TagToolbarTest::everyButtonHasAShippedPicture()
{
    for (int index = 0; index < ToolbarAction::count; ++index) {
        const QString path = TagToolbar::iconPath(QStringLiteral(QUILLORN_SHIPPED_DATA "/"), index);
        QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        const QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        QVERIFY2(image.width() == 16 || image.width() == 24, qPrintable(path));
    }
}

void TagToolbarTest::clickingAButtonInsertsItsText()
{
    Test::TestEnvironment env;
    Test::StringTarget target(QStringLiteral("word"), 0, 4);
    Test::ScriptedPrompter prompter;
    TagToolbar toolbar(target, prompter, m_strings, env.appDir());
    QSignalSpy inserted(&toolbar, &TagToolbar::inserted);
    toolbar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toolbar));
    auto* button = qobject_cast<QToolButton*>(toolbar.widgetForAction(toolbar.actionAt(34)));
    QVERIFY(button);
    QCOMPARE(button->toolTip(), QStringLiteral("Align center"));
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(target.text(), QStringLiteral("<div style=\"text-align: center\">word</div>"));
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(inserted.at(0).at(0).toInt(), 34);
    QVERIFY(!toolbar.trigger(ToolbarAction::count));
    QVERIFY(!toolbar.trigger(-1));
}

void TagToolbarTest::promptedButtonAsksThroughThePrompter()
{
    Test::TestEnvironment env;
    Test::StringTarget target;
    Test::ScriptedPrompter prompter;
    prompter.expectInput(QStringLiteral("Applet class file"), QStringLiteral("Clock.class"))
        .expectInput(QStringLiteral("Applet class file"), QString());
    TagToolbar toolbar(target, prompter, m_strings, env.appDir());
    QSignalSpy inserted(&toolbar, &TagToolbar::inserted);
    QVERIFY(toolbar.trigger(14));
    QVERIFY(!toolbar.trigger(14));
    QCOMPARE(target.text(), QStringLiteral("<applet code=\"Clock.class\">"));
    QCOMPARE(inserted.count(), 1);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void TagToolbarTest::fontButtonInsertsTheChosenFont_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("expected");
    QTest::newRow("chosen") << true
                            << "<font name=\"DejaVu Sans\" size=\"3\" color=\"#000080\">"
                               "<u>word</u></font>";
    QTest::newRow("cancelled") << false << "word";
}

void TagToolbarTest::fontButtonInsertsTheChosenFont()
{
    QFETCH(bool, accept);
    Test::TestEnvironment env;
    Test::StringTarget target(QStringLiteral("word"), 0, 4);
    Test::ScriptedPrompter prompter;
    TagToolbar toolbar(target, prompter, m_strings, env.appDir());
    QTimer::singleShot(0, this, [accept] {
        auto* chooser = qobject_cast<FontChooser*>(QApplication::activeModalWidget());
        if (!chooser)
            return;
        FontChoice choice;
        choice.name = QStringLiteral("DejaVu Sans");
        choice.size = QStringLiteral("3");
        chooser->setChoice(choice);
        QTest::mouseClick(chooser->findChild<QCheckBox*>(QStringLiteral("underline")),
                          Qt::LeftButton);
        chooser->findChild<QLineEdit*>(QStringLiteral("color"))->setText(QStringLiteral("000080"));
        QTest::keyClick(chooser, accept ? Qt::Key_Return : Qt::Key_Escape);
    });
    QCOMPARE(toolbar.trigger(36), accept);
    QTEST(target.text(), "expected");
}

void TagToolbarTest::referenceButtonOpensTheJavaScriptTree()
{
    Test::TestEnvironment env;
    Test::StringTarget target;
    Test::ScriptedPrompter prompter;
    QWidget mainWindow;
    auto* toolbar = new TagToolbar(target, prompter, m_strings, env.appDir(), &mainWindow);
    QVERIFY(!toolbar->trigger(31));
    auto* window = mainWindow.findChild<ReferenceWindow*>();
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QVERIFY(window->treeWidget()->topLevelItemCount() > 0);
    // A second click brings the same window forward instead of opening another.
    toolbar->trigger(31);
    QCOMPARE(mainWindow.findChildren<ReferenceWindow*>().size(), 1);
    QCOMPARE(toolbar->openReference(QStringLiteral("JS.QLT")), window);
    QVERIFY(toolbar->openReference(QStringLiteral("php.QLT")) != window);
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void TagToolbarTest::missingReferenceIsReported()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    Test::StringTarget target;
    Test::ScriptedPrompter prompter;
    prompter.expectMessage(QStringLiteral("JS.QLT"), Prompter::Icon::Exclamation);
    TagToolbar toolbar(target, prompter, m_strings, env.appDir());
    QVERIFY(!toolbar.trigger(31));
    QVERIFY(toolbar.findChildren<ReferenceWindow*>().isEmpty());
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

void TagToolbarTest::buttonWithoutPictureStillShowsSomething()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    Test::StringTarget target;
    Test::ScriptedPrompter prompter;
    TagToolbar toolbar(target, prompter, m_strings, env.appDir());
    const QImage image = toolbar.actionAt(18)->icon().pixmap(24, 24).toImage();
    bool drawn = false;
    for (int y = 0; y < image.height() && !drawn; ++y) {
        for (int x = 0; x < image.width() && !drawn; ++x)
            drawn = qAlpha(image.pixel(x, y)) > 0;
    }
    QVERIFY(drawn);
}

void TagToolbarTest::captionsComeFromTheLanguageTable_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<QString>("fontLabel");
    QTest::newRow("english") << "english"
                             << "Align center"
                             << "Applet class file (for example Hello.class):"
                             << "Bold";
    QTest::newRow("russian") << "russian"
                             << "По центру"
                             << "Файл класса апплета (например, Hello.class):"
                             << "Полужирный";
}

void TagToolbarTest::captionsComeFromTheLanguageTable()
{
    QFETCH(QString, language);
    QFETCH(QString, prompt);
    Test::TestEnvironment env;
    LangStrings strings;
    QVERIFY(
        strings.load(env.path(QStringLiteral("languages/%1/main.lng").arg(language)), language));
    Test::StringTarget target;
    Test::ScriptedPrompter prompter;
    prompter.expectInput(prompt, QString());
    TagToolbar toolbar(target, prompter, strings, env.appDir());
    QTEST(toolbar.actionAt(34)->toolTip(), "toolTip");
    QVERIFY(!toolbar.trigger(14));

    QString fontLabel;
    QTimer::singleShot(0, this, [&fontLabel] {
        auto* chooser = qobject_cast<FontChooser*>(QApplication::activeModalWidget());
        if (!chooser)
            return;
        fontLabel = chooser->findChild<QCheckBox*>(QStringLiteral("bold"))->text();
        chooser->reject();
    });
    QVERIFY(!toolbar.trigger(36));
    QTEST(fontLabel, "fontLabel");
    QVERIFY2(prompter.finished(), qPrintable(prompter.errors()));
}

QTEST_MAIN(TagToolbarTest)
#include "TagToolbarTest.moc"
