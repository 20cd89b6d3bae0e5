#include "editing/EditorAccessibility.h"
#include "editing/Editor.h"
#include "editing/EditorStandInAccessible.h"

#include <QAccessible>
#include <QTest>

using namespace Quillorn;
using S = QsciScintillaBase;

// The switch to full accessibility lasts for the rest of the process, so these run in order
// in one process of their own.
class EditorAccessibilityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void standInWhileNoAssistiveTechnology();
    void fullAccessibilityOnceOneIsActive();
};

void EditorAccessibilityTest::initTestCase()
{
    EditorAccessibility::install();
}

void EditorAccessibilityTest::standInWhileNoAssistiveTechnology()
{
    if (QAccessible::isActive())
        QSKIP("an assistive technology is already running");
    Editor editor;
    editor.loadBytes("text");
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&editor);
    QVERIFY(dynamic_cast<EditorStandInAccessible*>(iface));
    QCOMPARE(iface->role(), QAccessible::EditableText);
    QVERIFY(!EditorAccessibility::isFull());
    QCOMPARE(editor.SendScintilla(S::SCI_GETMODEVENTMASK),
             long(S::SC_MOD_CHANGEFOLD | S::SC_MOD_BEFOREINSERT | S::SC_MOD_BEFOREDELETE |
                  S::SC_MOD_CHANGESTYLE));
}

void EditorAccessibilityTest::fullAccessibilityOnceOneIsActive()
{
    // Made before the bridge is up, this editor may still have the stand-in.
    Editor early;
    early.loadBytes("hello world");
    early.show();
    QVERIFY(QTest::qWaitForWindowExposed(&early));
    (void)QAccessible::queryAccessibleInterface(&early);

    // The bridge to assistive technology turns itself on when the desktop asks for it (or
    // QT_LINUX_ACCESSIBILITY_ALWAYS_ON is set); that takes a round trip on the session bus.
    (void)QTest::qWaitFor([] { return QAccessible::isActive(); }, 3000);
    if (!QAccessible::isActive())
        QSKIP("no assistive technology bridge is active: run on a session bus with the "
              "accessibility bus enabled");
    early.setFocus();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::sendEvent(&early, &key);
    QTRY_COMPARE(early.SendScintilla(S::SCI_GETMODEVENTMASK), long(S::SC_MODEVENTMASKALL));
    QVERIFY(EditorAccessibility::isFull());
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&early);
    QVERIFY(iface);
    QVERIFY(!dynamic_cast<EditorStandInAccessible*>(iface));
    QAccessibleTextInterface* text = iface->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), QStringLiteral("hello world"));
    // Edits reach the real object: it reads the text as it is now.
    early.SendScintilla(S::SCI_DOCUMENTEND);
    QTest::keyClicks(&early, "!");
    QCOMPARE(text->characterCount(), 12);
    QCOMPARE(text->text(0, 12), QStringLiteral("hello world!"));

    // Editors made from now on start with full accessibility.
    Editor later;
    QCOMPARE(later.SendScintilla(S::SCI_GETMODEVENTMASK), long(S::SC_MODEVENTMASKALL));
    later.show();
    QVERIFY(!dynamic_cast<EditorStandInAccessible*>(QAccessible::queryAccessibleInterface(&later)));
}

QTEST_MAIN(EditorAccessibilityTest)
#include "EditorAccessibilityTest.moc"
