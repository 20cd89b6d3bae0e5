#include "documents/DocumentCodec.h"
#include "documents/CharsetDeclaration.h"
#include "documents/SingleByteTable.h"
#include "platform/LangStrings.h"
#include "platform/Utf8Text.h"
#include "support/TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace Quillorn;
using Form = Encoding::Form;
using Source = Encoding::Source;

namespace {

const QByteArray Russian = QByteArrayLiteral("Привет, мир! Ёлка — «ёж».");

QByteArray cp1251(const QByteArray& utf8)
{
    QList<char32_t> missing;
    return SingleByteTable::forCharset("windows-1251")->encode(utf8, missing);
}

QByteArray utf16le(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

} // namespace

class DocumentCodecTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void utf8Validity_data();
    void utf8Validity();
    void declarationIsFoundInTheHead_data();
    void declarationIsFoundInTheHead();
    void detectionFollowsMarkDeclarationUtf8Language_data();
    void detectionFollowsMarkDeclarationUtf8Language();
    void decodedTextIsUtf8ForTheEditor_data();
    void decodedTextIsUtf8ForTheEditor();
    void utf8IsHandedOnWithoutCopy();
    void bytesComeBackUnchanged_data();
    void bytesComeBackUnchanged();
    void codePagesHoldEveryByte_data();
    void codePagesHoldEveryByte();
    void irreversibleDecodingKeepsTheBytes();
    void missingCharactersAreReportedNotReplaced();
    void changedDeclarationDecidesTheSave();
    void newDocumentsFollowTheirDeclaration();
};

void DocumentCodecTest::utf8Validity_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::newRow("ascii with NUL") << QByteArrayLiteral("abc\0def") << true;
    QTest::newRow("four-byte") << QByteArrayLiteral("\xF0\x9F\x98\x80") << true;
    QTest::newRow("highest") << QByteArrayLiteral("\xF4\x8F\xBF\xBF") << true;
    QTest::newRow("overlong two") << QByteArrayLiteral("\xC0\x80") << false;
    QTest::newRow("overlong three") << QByteArrayLiteral("\xE0\x80\xAF") << false;
    QTest::newRow("surrogate") << QByteArrayLiteral("\xED\xA0\x80") << false;
    QTest::newRow("above Unicode") << QByteArrayLiteral("\xF4\x90\x80\x80") << false;
    QTest::newRow("cut at the end") << QByteArrayLiteral("long ascii run first \xE2\x82") << false;
    QTest::newRow("lone continuation") << QByteArrayLiteral("12345678\x80") << false;
}

void DocumentCodecTest::utf8Validity()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QCOMPARE(Utf8Text::isValid(bytes), valid);
}

void DocumentCodecTest::declarationIsFoundInTheHead_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("charset");
    QTest::newRow("meta charset") << QByteArrayLiteral("<html><META Charset = 'KOI8-R' />")
                                  << QByteArrayLiteral("KOI8-R");
    QTest::newRow("content-type meta")
        << QByteArrayLiteral("<meta http-equiv=\"Content-Type\" "
                             "content=\"text/html; charset=windows-1251\">")
        << QByteArrayLiteral("windows-1251");
    QTest::newRow("xml declaration")
        << QByteArrayLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-5\"?><a/>")
        << QByteArrayLiteral("ISO-8859-5");
    QTest::newRow("css rule") << QByteArrayLiteral("@charset \"windows-1251\";\nbody{}")
                              << QByteArrayLiteral("windows-1251");
    QTest::newRow("css rule not first")
        << QByteArrayLiteral("\n@charset \"koi8-r\";") << QByteArray();
    QTest::newRow("inside a comment")
        << QByteArrayLiteral("<!-- <meta charset=\"koi8-r\"> --><p>") << QByteArray();
    QTest::newRow("charset outside a meta tag")
        << QByteArrayLiteral("<script>var charset = 'koi8-r';</script>") << QByteArray();
    QTest::newRow("beyond the head")
        << QByteArray(CharsetDeclaration::ScanBytes, ' ') + "<meta charset=\"koi8-r\">"
        << QByteArray();
}

void DocumentCodecTest::declarationIsFoundInTheHead()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, charset);
    QCOMPARE(CharsetDeclaration::find(bytes), charset);
}

void DocumentCodecTest::detectionFollowsMarkDeclarationUtf8Language_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("form");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<int>("source");
    QTest::addColumn<bool>("mark");

    const QString en = QStringLiteral("english");
    const QString ru = QStringLiteral("russian");
    QTest::newRow("UTF-8 mark") << QByteArrayLiteral("\xEF\xBB\xBF<meta charset=koi8-r>") << en
                                << int(Form::Utf8) << QByteArray("UTF-8")
                                << int(Source::ByteOrderMark) << true;
    QTest::newRow("UTF-16 LE mark")
        << QByteArrayLiteral("\xFF\xFE"
                             "a\0")
        << en << int(Form::Utf16LE) << QByteArray("UTF-16LE") << int(Source::ByteOrderMark) << true;
    QTest::newRow("UTF-16 BE mark") << QByteArrayLiteral("\xFE\xFF\0a") << en << int(Form::Utf16BE)
                                    << QByteArray("UTF-16BE") << int(Source::ByteOrderMark) << true;
    QTest::newRow("UTF-32 LE mark")
        << QByteArrayLiteral("\xFF\xFE\0\0a\0\0\0") << en << int(Form::Utf32LE)
        << QByteArray("UTF-32LE") << int(Source::ByteOrderMark) << true;
    QTest::newRow("UTF-16 LE starting with U+0000")
        << QByteArrayLiteral("\xFF\xFE\0\0a\0") << en << int(Form::Utf16LE)
        << QByteArray("UTF-16LE") << int(Source::ByteOrderMark) << true;
    QTest::newRow("declared code page over valid UTF-8")
        << QByteArray("<meta charset=\"windows-1251\">" + Russian) << en << int(Form::SingleByte)
        << QByteArray("windows-1251") << int(Source::Declaration) << false;
    QTest::newRow("declared latin-1 read as browsers do")
        << QByteArrayLiteral("<meta charset=iso-8859-1>caf\xE9") << ru << int(Form::SingleByte)
        << QByteArray("windows-1252") << int(Source::Declaration) << false;
    QTest::newRow("declared multi-byte set")
        << QByteArrayLiteral("<meta charset=\"Shift_JIS\">") << en << int(Form::Converter)
        << QByteArray("Shift_JIS") << int(Source::Declaration) << false;
    QTest::newRow("declared UTF-16 in ASCII text is not believed")
        << QByteArrayLiteral("<meta charset=\"utf-16\">abc") << en << int(Form::Utf8)
        << QByteArray("UTF-8") << int(Source::Utf8) << false;
    QTest::newRow("unknown declaration")
        << QByteArray("<meta charset=\"x-nonsense\">" + Russian) << en << int(Form::Utf8)
        << QByteArray("UTF-8") << int(Source::Utf8) << false;
    QTest::newRow("valid UTF-8") << Russian << ru << int(Form::Utf8) << QByteArray("UTF-8")
                                 << int(Source::Utf8) << false;
    QTest::newRow("UTF-8 with a damaged byte")
        << QByteArray(Russian + "\xFF" + Russian) << ru << int(Form::Utf8) << QByteArray("UTF-8")
        << int(Source::Utf8) << false;
    QTest::newRow("8-bit text, Russian interface")
        << cp1251(Russian) << ru << int(Form::SingleByte) << QByteArray("windows-1251")
        << int(Source::Language) << false;
    QTest::newRow("8-bit text, English interface")
        << cp1251(Russian) << en << int(Form::SingleByte) << QByteArray("windows-1252")
        << int(Source::Language) << false;
}

void DocumentCodecTest::detectionFollowsMarkDeclarationUtf8Language()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, language);
    QFETCH(int, form);
    QFETCH(QByteArray, name);
    QFETCH(int, source);
    QFETCH(bool, mark);
    const Encoding e = DocumentCodec::detect(bytes, language);
    QCOMPARE(int(e.form), form);
    QCOMPARE(e.name, name);
    QCOMPARE(int(e.source), source);
    QCOMPARE(e.byteOrderMark, mark);
}

void DocumentCodecTest::decodedTextIsUtf8ForTheEditor_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QByteArray>("utf8");
    QTest::newRow("windows-1251") << cp1251(Russian) << "russian" << Russian;
    QTest::newRow("UTF-8 mark dropped")
        << QByteArray("\xEF\xBB\xBF" + Russian) << "english" << Russian;
    QTest::newRow("UTF-16 with a pair")
        << QByteArray("\xFF\xFE" + utf16le(QString::fromUtf8(Russian + "\xF0\x9F\x98\x80")))
        << "english" << QByteArray(Russian + "\xF0\x9F\x98\x80");
    QTest::newRow("undefined windows-1252 byte")
        << QByteArrayLiteral("\x81") << "english" << QByteArrayLiteral("\xC2\x81");
}

void DocumentCodecTest::decodedTextIsUtf8ForTheEditor()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, language);
    QFETCH(QByteArray, utf8);
    QCOMPARE(DocumentCodec::decode(bytes, language).utf8, utf8);
}

void DocumentCodecTest::utf8IsHandedOnWithoutCopy()
{
    const QByteArray bytes = QByteArray(1 << 20, 'a') + Russian;
    const DocumentCodec::Decoded decoded = DocumentCodec::decode(bytes, QStringLiteral("russian"));
    QCOMPARE(decoded.utf8.constData(), bytes.constData());
}

void DocumentCodecTest::bytesComeBackUnchanged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("language");

    const QDir folder(QStringLiteral(QUILLORN_TEST_DATA "/documents/roundtrip"));
    const QStringList names = folder.entryList(QDir::Files);
    QVERIFY(names.size() >= 15);
    for (const QString& name : names) {
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        for (const char* language : {"english", "russian"})
            QTest::addRow("%s %s", qPrintable(name), language) << bytes << QString(language);
    }

    QByteArray line = QByteArrayLiteral("<p>");
    while (line.size() < 5 * 1024 * 1024)
        line += Russian + "&nbsp;";
    QTest::newRow("5 MB single UTF-8 line") << line << "english";
    QTest::newRow("5 MB single windows-1251 line") << cp1251(line) << "russian";

    QRandomGenerator random(4242);
    QByteArray noise(256 * 1024, Qt::Uninitialized);
    for (char& c : noise)
        c = char(random.bounded(256));
    QTest::newRow("random bytes, English") << noise << "english";
    QTest::newRow("random bytes, Russian") << noise << "russian";
    QTest::newRow("random bytes behind a UTF-16 mark")
        << QByteArray("\xFF\xFE" + noise) << "english";
}

void DocumentCodecTest::bytesComeBackUnchanged()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, language);
    const DocumentCodec::Decoded decoded = DocumentCodec::decode(bytes, language);
    const DocumentCodec::Encoded encoded = DocumentCodec::encode(decoded.utf8, decoded.encoding);
    QVERIFY(encoded.ok());
    QVERIFY(encoded.bytes == bytes);
    QCOMPARE(DocumentCodec::encodingForSave(decoded.utf8, decoded.encoding), decoded.encoding);
}

void DocumentCodecTest::codePagesHoldEveryByte_data()
{
    QTest::addColumn<QByteArray>("charset");
    for (const char* name :
         {"windows-1250", "windows-1251", "windows-1252", "windows-1253", "windows-1254",
          "windows-1255", "windows-1256", "windows-1257", "windows-1258", "KOI8-R",
          "KOI8-U",       "ISO-8859-2",   "ISO-8859-3",   "ISO-8859-5",   "ISO-8859-7",
          "ISO-8859-8",   "ISO-8859-15",  "ISO-8859-6",   "ISO-8859-11",  "IBM866",
          "macintosh"})
        QTest::newRow(name) << QByteArray(name);
}

void DocumentCodecTest::codePagesHoldEveryByte()
{
    QFETCH(QByteArray, charset);
    const auto table = SingleByteTable::forCharset(charset);
    QVERIFY(table);
    QByteArray all(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    const QByteArray utf8 = table->decode(all);
    QVERIFY(Utf8Text::isValid(utf8));
    QList<char32_t> missing;
    QCOMPARE(table->encode(utf8, missing), all);
    QVERIFY(missing.isEmpty());
}

void DocumentCodecTest::irreversibleDecodingKeepsTheBytes()
{
    // A lead byte without its second half cannot come back through the converter.
    const QByteArray bytes = QByteArrayLiteral("<meta charset=\"Shift_JIS\"><p>\x93\xFA\x81</p>");
    const DocumentCodec::Decoded decoded = DocumentCodec::decode(bytes, QStringLiteral("english"));
    QCOMPARE(decoded.encoding.source, Source::Kept);
    QCOMPARE(decoded.encoding.form, Form::Utf8);
    QCOMPARE(decoded.utf8, bytes);

    const QByteArray loneSurrogate = QByteArrayLiteral("\xFF\xFE\x00\xD8"
                                                       "a\0");
    const DocumentCodec::Decoded wide = DocumentCodec::decode(loneSurrogate, QString());
    QCOMPARE(wide.encoding.source, Source::Kept);
    QCOMPARE(DocumentCodec::encode(wide.utf8, wide.encoding).bytes, loneSurrogate);
}

void DocumentCodecTest::missingCharactersAreReportedNotReplaced()
{
    const Encoding page = *DocumentCodec::forCharset("windows-1251");
    const QByteArray text = QByteArrayLiteral("Цена 5 € ✓ 日 ✓");
    const DocumentCodec::Encoded encoded = DocumentCodec::encode(text, page);
    QVERIFY(!encoded.ok());
    QCOMPARE(encoded.unencodable, (QList<char32_t>{U'✓', U'日'}));

    Test::TestEnvironment env;
    LangStrings strings;
    QVERIFY(strings.load(env.path(QStringLiteral("languages/english/main.lng")), QString()));
    const QString question = DocumentCodec::utf8InsteadQuestion(page, encoded.unencodable, strings);
    QVERIFY(question.contains(QLatin1String("windows-1251")));
    QVERIFY(question.contains(QStringLiteral("✓ 日")));
    QVERIFY(question.contains(QLatin1String("UTF-8 instead?")));

    const DocumentCodec::Encoded instead =
        DocumentCodec::encode(text, DocumentCodec::utf8Instead(text));
    QVERIFY(instead.ok());
    QCOMPARE(instead.bytes, text);

    const Encoding sjis = *DocumentCodec::forCharset("Shift_JIS");
    const DocumentCodec::Encoded converted =
        DocumentCodec::encode(QByteArrayLiteral("日本 Ё 😀"), sjis);
    QCOMPARE(converted.unencodable, (QList<char32_t>{U'😀'}));
}

void DocumentCodecTest::changedDeclarationDecidesTheSave()
{
    const QByteArray page =
        QByteArrayLiteral("<meta charset=\"windows-1251\"><p>") + cp1251(Russian);
    const DocumentCodec::Decoded decoded = DocumentCodec::decode(page, QStringLiteral("english"));
    QCOMPARE(decoded.encoding.name, QByteArray("windows-1251"));

    QByteArray edited = decoded.utf8;
    edited.replace("windows-1251", "utf-8");
    const Encoding save = DocumentCodec::encodingForSave(edited, decoded.encoding);
    QCOMPARE(save.form, Form::Utf8);
    QCOMPARE(DocumentCodec::encode(edited, save).bytes, edited);
    // Reopened, the file is read as it now says.
    QCOMPARE(DocumentCodec::decode(edited, QStringLiteral("english")).encoding, save);

    // A byte-order mark outranks any declaration, as it does on opening.
    const QByteArray marked = QByteArrayLiteral("\xEF\xBB\xBF<meta charset=\"koi8-r\">");
    const DocumentCodec::Decoded withMark = DocumentCodec::decode(marked, QString());
    QByteArray markedEdit = withMark.utf8;
    markedEdit.replace("koi8-r", "windows-1251");
    QCOMPARE(DocumentCodec::encodingForSave(markedEdit, withMark.encoding), withMark.encoding);
}

void DocumentCodecTest::newDocumentsFollowTheirDeclaration()
{
    QFile shipped(QStringLiteral(QUILLORN_SHIPPED_DATA "/templates/HTML Document.html"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    QCOMPARE(DocumentCodec::encodingForNew(shipped.readAll()).name, QByteArray("windows-1251"));
    const Encoding plain = DocumentCodec::encodingForNew(QByteArrayLiteral("body { }"));
    QCOMPARE(plain.form, Form::Utf8);
    QVERIFY(!plain.byteOrderMark);
}

QTEST_GUILESS_MAIN(DocumentCodecTest)
#include "DocumentCodecTest.moc"
