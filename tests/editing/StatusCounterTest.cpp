#include "editing/StatusCounter.h"

#include "component/QsciHeaders.h"

#include <QTest>

using namespace Quillorn;
using S = QsciScintillaBase;

class StatusCounterTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsCharactersAsTheComponentDoes_data();
    void countsCharactersAsTheComponentDoes();
};

void StatusCounterTest::countsCharactersAsTheComponentDoes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("gapAt");
    QTest::newRow("ASCII") << QByteArray("<p>plain text</p>") << 5;
    QTest::newRow("Cyrillic, gap inside a letter")
        << QByteArray("<p>\xd0\xbf\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82 x</p>") << 6;
    QTest::newRow("three and four bytes") << QByteArray("a\xe2\x82\xac"
                                                        "b\xf0\x9f\x98\x80"
                                                        "c")
                                          << 7;
    QTest::newRow("stray and cut-off bytes") << QByteArray("a\x80"
                                                           "b\xc3(\xe2\x82z\xf0\x9f\x98")
                                             << 9;
    QTest::newRow("overlong, surrogate, above the last code point")
        << QByteArray("\xc0\x80x\xed\xa0\x80y\xe0\x80\x80\xf4\x90\x80\x80") << 4;
    QTest::newRow("noncharacters") << QByteArray("\xef\xbf\xbe\xef\xbf\xbfz\xf0\x9f\xbf\xbf") << 2;
}

void StatusCounterTest::countsCharactersAsTheComponentDoes()
{
    QFETCH(QByteArray, text);
    QFETCH(int, gapAt);
    QsciScintilla view;
    view.setUtf8(true);
    view.SendScintilla(S::SCI_APPENDTEXT, static_cast<unsigned long>(text.size()),
                       text.constData());
    // An insertion taken back leaves the buffer's gap where it was made.
    view.SendScintilla(S::SCI_INSERTTEXT, static_cast<unsigned long>(gapAt), "x");
    view.SendScintilla(S::SCI_DELETERANGE, static_cast<unsigned long>(gapAt), 1L);
    QCOMPARE(view.SendScintilla(S::SCI_GETGAPPOSITION), long(gapAt));

    QList<long> starts{0};
    while (starts.last() < text.size())
        starts.append(view.SendScintilla(S::SCI_POSITIONRELATIVE,
                                         static_cast<unsigned long>(starts.last()), 1L));
    for (const long from : starts) {
        for (const long to : starts) {
            if (to < from)
                continue;
            QCOMPARE(StatusCounter::countCharacters(&view, from, to),
                     qint64(view.SendScintilla(S::SCI_COUNTCHARACTERS,
                                               static_cast<unsigned long>(from), to)));
        }
    }
    QCOMPARE(view.SendScintilla(S::SCI_GETGAPPOSITION), long(gapAt));
}

QTEST_MAIN(StatusCounterTest)
#include "StatusCounterTest.moc"
