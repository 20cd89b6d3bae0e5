#include "app/MainWindow.h"
#include "support/MainWindowDriver.h"

#include <QTest>

using namespace Quillorn;

// The current document as the subsystems see it, over a real main window and editor.
class EditorDocumentTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void speaksForTheShownDocument();
};

void EditorDocumentTest::speaksForTheShownDocument()
{
    Test::AppFixture f;
    MainWindow window(f.context);
    QVERIFY(Test::MainWindowDriver::show(window));
    CurrentDocument& document = window.currentDocument();
    QVERIFY(!document.isOpen());
    QVERIFY(document.bytes().isEmpty());

    const QString path = f.document(QStringLiteral("style.css"), "\xEF\xBB\xBFp{}\nü{}\n");
    Test::MainWindowDriver::openThroughDialog(f, window, path);
    QVERIFY(document.isOpen());
    QCOMPARE(document.bytes(), QByteArray("p{}\n\xC3\xBC{}\n"));
    QCOMPARE(document.text(), QStringLiteral("p{}\nü{}\n"));
    QCOMPARE(document.path(), path);
    QCOMPARE(document.kind(), FileKind::Kind::Css);
    QCOMPARE(document.lineEnd(), QByteArray("\n"));
    QVERIFY(document.encoding().byteOrderMark);
    QVERIFY(document.isSaved());

    // The selection: "p" becomes two lines in the document's own line end.
    window.editor()->setSelection(0, 0, 0, 1);
    QCOMPARE(document.selectedText(), QStringLiteral("p"));
    document.replaceSelection(QStringLiteral("a\r\nb"));
    QCOMPARE(document.bytes(), QByteArray("a\nb{}\n\xC3\xBC{}\n"));
    QCOMPARE(document.caretLine(), 1);
    QTRY_VERIFY(!document.isSaved());

    // The whole text goes in one step and comes back with one undo.
    const QByteArray before = document.bytes();
    document.replaceText(QStringLiteral("new\n"));
    QCOMPARE(document.bytes(), QByteArray("new\n"));
    window.editor()->undo();
    QCOMPARE(document.bytes(), before);
}

QTEST_MAIN(EditorDocumentTest)
#include "EditorDocumentTest.moc"
