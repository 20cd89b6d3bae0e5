#include "component/QsciHeaders.h"

#include <QFontDatabase>
#include <QTest>
#include <QTextLayout>

using S = QsciScintillaBase;

// The component lays out runs of printable ASCII in a fixed-width font by multiplying instead of
// measuring: every character must still stand where Qt's own text layout puts it, in that font
// and in any other.
class LineLayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void charactersStandWhereQtPutsThem_data();
    void charactersStandWhereQtPutsThem();
    void farEndOfALongLineStandsInPlace();
};

namespace {

// `family` at 10 points, as the view below is given it.
QFont fontOf(const QString& family, bool bold)
{
    QFont font(family);
    font.setPointSize(10);
    font.setBold(bold);
    return font;
}

// Shows `text` in `view`, in `family` at 10 points.
void showText(QsciScintillaBase& view, const QString& family, bool bold, const QByteArray& text)
{
    view.SendScintilla(S::SCI_SETCODEPAGE, static_cast<unsigned long>(S::SC_CP_UTF8));
    const QByteArray familyName = family.toUtf8();
    view.SendScintilla(S::SCI_STYLESETFONT, S::STYLE_DEFAULT, familyName.constData());
    view.SendScintilla(S::SCI_STYLESETSIZE, S::STYLE_DEFAULT, 10L);
    view.SendScintilla(S::SCI_STYLESETBOLD, S::STYLE_DEFAULT, static_cast<long>(bold));
    view.SendScintilla(S::SCI_STYLECLEARALL);
    view.SendScintilla(S::SCI_APPENDTEXT, static_cast<unsigned long>(text.size()),
                       text.constData());
    view.resize(1200, 200);
    view.show();
}

long x(const QsciScintillaBase& view, long position)
{
    return view.SendScintilla(S::SCI_POINTXFROMPOSITION, 0UL, position);
}

} // namespace

void LineLayoutTest::charactersStandWhereQtPutsThem_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("fixedWidth");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<QString>("text");

    const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    const QString ascii = QStringLiteral("<p class=\"x\">Ay fi ff -> != AVATAR To 0189 {}[]~</p>");
    QTest::newRow("fixed width") << fixed << true << false << ascii;
    QTest::newRow("fixed width, bold") << fixed << true << true << ascii;
    QTest::newRow("fixed width, letters of two and three bytes")
        << fixed << true << false
        << QStringLiteral("abc caf\u00e9 \u20ac 10 na\u00efve \u0436\u0443\u043a xyz");
    QTest::newRow("proportional") << QStringLiteral("DejaVu Sans") << false << false << ascii;
}

void LineLayoutTest::charactersStandWhereQtPutsThem()
{
    QFETCH(QString, family);
    QFETCH(bool, fixedWidth);
    QFETCH(bool, bold);
    QFETCH(QString, text);
    const QFont font = fontOf(family, bold);
    // The rows are about a font of each kind, whatever the system's fonts are named.
    const QFontMetricsF metrics(font);
    QCOMPARE(metrics.horizontalAdvance(QLatin1Char('i')) ==
                 metrics.horizontalAdvance(QLatin1Char('W')),
             fixedWidth);

    QsciScintillaBase view;
    showText(view, family, bold, text.toUtf8());
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QTextLayout layout(text, font, view.viewport());
    layout.beginLayout();
    const QTextLine line = layout.createLine();
    layout.endLayout();

    const long start = x(view, 0);
    for (int i = 0; i <= text.size(); ++i) {
        const long at = x(view, text.left(i).toUtf8().size()) - start;
        const qreal expected = line.cursorToX(i);
        if (std::abs(static_cast<qreal>(at) - expected) > 1.0)
            QFAIL(qPrintable(QStringLiteral("character %1 at %2, where Qt puts it at %3")
                                 .arg(i)
                                 .arg(at)
                                 .arg(expected)));
    }
}

// Tens of millions of pixels from the start of a line, each character still stands one
// character's width after the one before.
void LineLayoutTest::farEndOfALongLineStandsInPlace()
{
    const QString family = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    const qreal width = QFontMetricsF(fontOf(family, false)).horizontalAdvance(QLatin1Char('a'));
    const long length = 10'000'000;
    QsciScintillaBase view;
    showText(view, family, false, QByteArray(length, 'a'));
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    for (long position = length - 40; position < length; ++position) {
        const long step = x(view, position + 1) - x(view, position);
        if (std::abs(static_cast<qreal>(step) - width) > 1.0)
            QFAIL(qPrintable(QStringLiteral("character %1 is %2 pixels after the one before, "
                                            "not %3")
                                 .arg(position + 1)
                                 .arg(step)
                                 .arg(width)));
    }
}

QTEST_MAIN(LineLayoutTest)
#include "LineLayoutTest.moc"
