#include "documents/TemplateChooser.h"
#include "documents/FileIO.h"
#include "platform/LangStrings.h"
#include "support/TestEnvironment.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Quillorn;

class TemplateChooserTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void showsEveryTemplateByName();
    void clickedTemplateStartsTheDocument();
    void typeChoiceDropsTheSelection();
    void nothingChosenGivesNoExtension();
    void addedTemplateAppearsNextTime();

private:
    void clickItem(TemplateChooser& chooser, int row);
    void clickOk(TemplateChooser& chooser);

    std::unique_ptr<Test::TestEnvironment> m_env;
    LangStrings m_strings;
};

void TemplateChooserTest::init()
{
    m_env = std::make_unique<Test::TestEnvironment>();
    QVERIFY(Test::TestEnvironment::copyFolder(QStringLiteral(QUILLORN_SHIPPED_DATA "/templates"),
                                              m_env->path(QStringLiteral("templates"))));
    QVERIFY(m_strings.load(LangStrings::languageFolder(m_env->appDir(), QString()) +
                               QLatin1String("main.lng"),
                           QString()));
}

void TemplateChooserTest::clickItem(TemplateChooser& chooser, int row)
{
    QListWidget* list = chooser.templateList();
    const QRect rect = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
}

void TemplateChooserTest::clickOk(TemplateChooser& chooser)
{
    auto ok = chooser.findChild<QPushButton*>(QStringLiteral("OK"));
    QVERIFY(ok);
    QTest::mouseClick(ok, Qt::LeftButton);
}

void TemplateChooserTest::showsEveryTemplateByName()
{
    TemplateChooser chooser(m_env->appDir(), m_strings, QString());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QCOMPARE(chooser.objectName(), QStringLiteral("Form1"));
    QCOMPARE(chooser.findChild<QGroupBox*>()->title(), QStringLiteral("Templates"));
    QVERIFY(chooser.findChild<QLabel*>()->text() == QStringLiteral("Select file type"));
    QListWidget* list = chooser.templateList();
    QStringList names;
    for (int i = 0; i < list->count(); ++i) {
        names.append(list->item(i)->text());
        QVERIFY(!list->item(i)->icon().isNull());
    }
    QCOMPARE(names, (QStringList{"CSS Document", "HTML Document", "JavaScript Document",
                                 "PHP Document", "Text Document"}));
    QCOMPARE(chooser.typeBox()->count(), 4);
    QCOMPARE(chooser.typeBox()->currentIndex(), -1);
}

void TemplateChooserTest::clickedTemplateStartsTheDocument()
{
    TemplateChooser chooser(m_env->appDir(), m_strings, QString());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QSignalSpy accepted(&chooser, &QDialog::accepted);
    clickItem(chooser, 1);
    QCOMPARE(chooser.templateList()->selectedItems().size(), 1);
    clickOk(chooser);
    QCOMPARE(accepted.size(), 1);
    const TemplateChooser::Choice& choice = chooser.choice();
    QCOMPARE(choice.extension, QStringLiteral(".html"));
    QCOMPARE(choice.templatePath, m_env->path(QStringLiteral("templates/HTML Document.html")));
    QVERIFY(!choice.icon.isNull());
    QCOMPARE(choice.text, FileIO::readTextFile(choice.templatePath, QString()));
    QVERIFY(choice.text.contains(QLatin1String("<title></title>\r\n")));
}

void TemplateChooserTest::typeChoiceDropsTheSelection()
{
    TemplateChooser chooser(m_env->appDir(), m_strings, QString());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    clickItem(chooser, 3);
    QCOMPARE(chooser.templateList()->selectedItems().size(), 1);
    chooser.typeBox()->setFocus();
    QTest::keyClick(chooser.typeBox(), Qt::Key_Down);
    QTest::keyClick(chooser.typeBox(), Qt::Key_Down);
    QTest::keyClick(chooser.typeBox(), Qt::Key_Down);
    QCOMPARE(chooser.typeBox()->currentIndex(), 2);
    QVERIFY(chooser.templateList()->selectedItems().isEmpty());
    clickOk(chooser);
    QCOMPARE(chooser.choice().extension, QStringLiteral(".css"));
    QVERIFY(chooser.choice().templatePath.isEmpty());
    QVERIFY(chooser.choice().text.isEmpty());
}

void TemplateChooserTest::nothingChosenGivesNoExtension()
{
    TemplateChooser chooser(m_env->appDir(), m_strings, QString());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    clickOk(chooser);
    QCOMPARE(chooser.result(), int(QDialog::Accepted));
    QVERIFY(chooser.choice().extension.isEmpty());
}

void TemplateChooserTest::addedTemplateAppearsNextTime()
{
    QVERIFY(TemplateStore(TemplateStore::folderIn(m_env->appDir()))
                .addTemplate(QStringLiteral("Article.htm"), QStringLiteral("<article>"), QString())
                .ok());
    TemplateChooser chooser(m_env->appDir(), m_strings, QString());
    chooser.show();
    QVERIFY(QTest::qWaitForWindowExposed(&chooser));
    QCOMPARE(chooser.templateList()->item(0)->text(), QStringLiteral("Article"));
    clickItem(chooser, 0);
    clickOk(chooser);
    QCOMPARE(chooser.choice().extension, QStringLiteral(".htm"));
    QCOMPARE(chooser.choice().text, QStringLiteral("<article>"));
}

QTEST_MAIN(TemplateChooserTest)
#include "TemplateChooserTest.moc"
