#include "tags/TagListFile.h"
#include "support/TestEnvironment.h"

#include <QTest>

using namespace Quillorn;

class TagListFileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void splitKeepsPiecesBeforeTheLastSeparator_data();
    void splitKeepsPiecesBeforeTheLastSeparator();
    void entrySplitsAtTheFirstCaptionEnd_data();
    void entrySplitsAtTheFirstCaptionEnd();
    void leadingLineEndIsRemovedWithoutTouchingTheCaption_data();
    void leadingLineEndIsRemovedWithoutTouchingTheCaption();
    void missingFileHasNoEntries();
    void handEditedFileWithLineFeedsOnly();
    void codePageFileDecodesForItsLanguage();
};

void TagListFileTest::splitKeepsPiecesBeforeTheLastSeparator_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("pieces");
    QTest::newRow("two entries") << "\r\nBold///B||\r\nLink///<A HREF=\"\"></A>||"
                                 << QStringList{"\r\nBold///B", "\r\nLink///<A HREF=\"\"></A>"};
    QTest::newRow("line ends inside an entry")
        << "\r\nTable cell///<TR><TD>\r\n</TD></TR>||"
        << QStringList{"\r\nTable cell///<TR><TD>\r\n</TD></TR>"};
    QTest::newRow("last entry without separator is lost")
        << "\r\nA///a||\r\nB///b" << QStringList{"\r\nA///a"};
    QTest::newRow("no separator at all") << "\r\nBold///B" << QStringList{};
    QTest::newRow("empty file") << "" << QStringList{};
    QTest::newRow("line end after the last separator") << "\r\nA///a||\r\n"
                                                       << QStringList{"\r\nA///a"};
    QTest::newRow("empty entry between separators")
        << "\r\nA///a||||" << QStringList{"\r\nA///a", ""};
}

void TagListFileTest::splitKeepsPiecesBeforeTheLastSeparator()
{
    QFETCH(QString, text);
    QFETCH(QStringList, pieces);
    QCOMPARE(TagListFile::split(text), pieces);
}

void TagListFileTest::entrySplitsAtTheFirstCaptionEnd_data()
{
    QTest::addColumn<QString>("full");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("hasText");
    QTest::newRow("bare name") << "Header///HEAD"
                               << "Header"
                               << "HEAD" << true;
    QTest::newRow("later separators stay in the text") << "Comment///<!-- a /// b -->"
                                                       << "Comment"
                                                       << "<!-- a /// b -->" << true;
    QTest::newRow("multi-line text") << "Cell///<TD>\r\n</TD>"
                                     << "Cell"
                                     << "<TD>\r\n</TD>" << true;
    QTest::newRow("no separator") << "Just a caption"
                                  << "Just a caption"
                                  << "" << false;
    QTest::newRow("empty text") << "Nothing///"
                                << "Nothing"
                                << "" << true;
    QTest::newRow("empty caption") << "///x"
                                   << ""
                                   << "x" << true;
}

void TagListFileTest::entrySplitsAtTheFirstCaptionEnd()
{
    QFETCH(QString, full);
    const TagListFile::Entry entry = TagListFile::entry(full);
    QTEST(entry.caption, "caption");
    QTEST(entry.text, "text");
    QTEST(entry.hasText, "hasText");
}

void TagListFileTest::leadingLineEndIsRemovedWithoutTouchingTheCaption_data()
{
    QTest::addColumn<QString>("piece");
    QTest::addColumn<QString>("kept");
    QTest::newRow("CR LF") << "\r\nBold///B"
                           << "Bold///B";
    QTest::newRow("LF alone") << "\nBold///B"
                              << "Bold///B";
    QTest::newRow("blank line before") << "\r\n\r\nBold///B"
                                       << "Bold///B";
    QTest::newRow("first entry written without line end") << "Bold///B"
                                                          << "Bold///B";
    QTest::newRow("inner line ends stay") << "\r\nCell///<TD>\r\n</TD>"
                                          << "Cell///<TD>\r\n</TD>";
}

void TagListFileTest::leadingLineEndIsRemovedWithoutTouchingTheCaption()
{
    QFETCH(QString, piece);
    QTEST(TagListFile::withoutLeadingLineEnd(piece), "kept");
}

void TagListFileTest::missingFileHasNoEntries()
{
    Test::TestEnvironment env(Test::TestEnvironment::Languages::None);
    QVERIFY(TagListFile::read(env.path(QStringLiteral("nothing.lng")), QString()).isEmpty());
}

void TagListFileTest::handEditedFileWithLineFeedsOnly()
{
    const QStringList pieces =
        TagListFile::read(QStringLiteral(QUILLORN_TEST_DATA "/tags/lf-only.lng"), QString());
    QCOMPARE(pieces.size(), 3);
    QStringList entries;
    for (const QString& piece : pieces)
        entries.append(TagListFile::withoutLeadingLineEnd(piece));
    QCOMPARE(entries, (QStringList{"Header///HEAD", "Table cell///<TR><TD>\n</TD></TR>",
                                   "Comment///<!-- a /// b -->"}));
}

void TagListFileTest::codePageFileDecodesForItsLanguage()
{
    const QStringList pieces = TagListFile::read(
        QStringLiteral(QUILLORN_TEST_DATA "/tags/russian-cp1251.lng"), QStringLiteral("russian"));
    QCOMPARE(pieces.size(), 2);
    QCOMPARE(TagListFile::entry(TagListFile::withoutLeadingLineEnd(pieces.at(0))).caption,
             QStringLiteral("Жирный"));
    QCOMPARE(TagListFile::entry(TagListFile::withoutLeadingLineEnd(pieces.at(1))).text,
             QStringLiteral("<A HREF=\"\"></A>"));
}

QTEST_GUILESS_MAIN(TagListFileTest)
#include "TagListFileTest.moc"
