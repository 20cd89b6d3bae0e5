#include "visual/FormDesign.h"
#include "platform/LangStrings.h"
#include "visual/FormFile.h"
#include "visual/FormHtmlWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Quillorn;

// The form model with its undo steps, the design file and the HTML written from a design.
class FormDesignTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyKindIsWrittenAsExpected();
    void geometryChangesTheEmittedBox_data();
    void geometryChangesTheEmittedBox();
    void labelIsForTheNearestFieldOnItsRow_data();
    void labelIsForTheNearestFieldOnItsRow();
    void undoAndRedoRestoreEveryEdit_data();
    void undoAndRedoRestoreEveryEdit();
    void savedDesignReopensEqual();
    void brokenDesignGivesTheMessage_data();
    void brokenDesignGivesTheMessage();
    void writtenHtmlPassesTidy();

private:
    LangStrings m_strings;
};

namespace {

using Kind = FormElement::Kind;

FormElement element(Kind kind, QRectF geometry, const QString& name = {}, const QString& value = {})
{
    FormElement e;
    e.kind = kind;
    e.geometry = geometry;
    e.name = name;
    e.value = value;
    return e;
}

// A design with each kind once; names left empty where the writer makes them.
FormDesign::Content everyKind()
{
    FormDesign::Content content;
    content.elements = {
        element(Kind::Label, {8, 8, 96, 24}, {}, QStringLiteral("E-mail <& \"you\">")),
        element(Kind::TextField, {112, 8, 160, 24}, QStringLiteral("mail"), QStringLiteral("a@b")),
        element(Kind::Checkbox, {8, 40, 24, 24}, {}, QStringLiteral("yes")),
        element(Kind::Option, {40, 40, 24, 24}, QStringLiteral("size"), QStringLiteral("s")),
        element(Kind::List, {8, 72, 160, 80}, {}, QStringLiteral("Two")),
        element(Kind::Link, {176, 72, 96, 24}, QStringLiteral("Home page"),
                QStringLiteral("https://example.org/?a=1&b=2")),
        element(Kind::Button, {8, 160, 96, 32}, {}, QStringLiteral("Send")),
    };
    content.elements[2].on = true;
    content.elements[4].listItems = {QStringLiteral("One"), QStringLiteral("Two")};
    content.elements[5].color = QStringLiteral("#c00000");
    content.elements[5].horizontalPercent = true;
    content.elements[5].geometry = {27.5, 72, 15, 24};
    return content;
}

QString readData(const QString& name)
{
    QFile file(QStringLiteral(QUILLORN_TEST_DATA "/visual/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

void FormDesignTest::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    QVERIFY(m_strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/english/main.lng"),
                           QStringLiteral("english")));
}

void FormDesignTest::everyKindIsWrittenAsExpected()
{
    QCOMPARE(FormHtmlWriter::write(everyKind()), readData(QStringLiteral("every-kind.html")));
}

void FormDesignTest::geometryChangesTheEmittedBox_data()
{
    QTest::addColumn<QRectF>("pixels");
    QTest::addColumn<bool>("horizontalPercent");
    QTest::addColumn<bool>("verticalPercent");
    QTest::addColumn<QString>("style");

    QTest::newRow("moved") << QRectF(40, 48, 96, 24) << false << false
                           << "left:40px;top:48px;width:96px;height:24px";
    QTest::newRow("resized") << QRectF(8, 8, 200, 64) << false << false
                             << "left:8px;top:8px;width:200px;height:64px";
    QTest::newRow("horizontal percent")
        << QRectF(160, 8, 320, 24) << true << false << "left:25%;top:8px;width:50%;height:24px";
    QTest::newRow("vertical percent") << QRectF(8, 160, 96, 100) << false << true
                                      << "left:8px;top:33.33%;width:96px;height:20.83%";
}

void FormDesignTest::geometryChangesTheEmittedBox()
{
    QFETCH(QRectF, pixels);
    QFETCH(bool, horizontalPercent);
    QFETCH(bool, verticalPercent);
    QFETCH(QString, style);

    FormDesign design;
    design.add({element(Kind::Button, {8, 8, 96, 24}, QStringLiteral("b"))});
    FormElement changed = design.elements().first();
    changed.setUnits(horizontalPercent, verticalPercent, design.body());
    changed.setPixelRect(pixels, design.body());
    design.change({0}, {changed});
    const QString html = FormHtmlWriter::write(design.content());
    QVERIFY2(html.contains(QStringLiteral("style=\"position:absolute;") + style + u'"'),
             qPrintable(html));
}

void FormDesignTest::labelIsForTheNearestFieldOnItsRow_data()
{
    QTest::addColumn<QList<FormElement>>("fields");
    QTest::addColumn<QString>("forAttribute");

    const QRectF right(120, 8, 100, 24);
    QTest::newRow("field to the right")
        << QList{element(Kind::TextField, right, "t")} << " for=\"t\"";
    QTest::newRow("nearer field to the left wins")
        << QList{element(Kind::TextField, {300, 8, 100, 24}, "far"),
                 element(Kind::Checkbox, {80, 8, 16, 16}, "near")}
        << " for=\"near\"";
    QTest::newRow("right side wins a tie")
        << QList{element(Kind::Checkbox, {0, 8, 16, 24}, "left"),
                 element(Kind::Option, {100, 8, 16, 24}, "right")}
        << " for=\"right\"";
    QTest::newRow("field on another row")
        << QList{element(Kind::TextField, {120, 40, 100, 24}, "t")} << "";
    QTest::newRow("buttons and links are no fields")
        << QList{element(Kind::Button, right, "b"), element(Kind::Link, right, "a")} << "";
    QTest::newRow("blanks in a name")
        << QList{element(Kind::List, right, " my  list ")} << " for=\"my_list\"";
}

void FormDesignTest::labelIsForTheNearestFieldOnItsRow()
{
    QFETCH(QList<FormElement>, fields);
    QFETCH(QString, forAttribute);

    FormDesign::Content content;
    content.elements = fields;
    content.elements.prepend(element(Kind::Label, {8, 8, 96, 24}, QStringLiteral("l")));
    const QString html = FormHtmlWriter::write(content);
    QVERIFY2(html.contains(QStringLiteral("<label id=\"l\"") + forAttribute + " style="),
             qPrintable(html));
}

void FormDesignTest::undoAndRedoRestoreEveryEdit_data()
{
    QTest::addColumn<int>("edit");
    QTest::newRow("add") << 0;
    QTest::newRow("move") << 1;
    QTest::newRow("property") << 2;
    QTest::newRow("delete") << 3;
    QTest::newRow("all to percent") << 4;
    QTest::newRow("opened design") << 5;
}

void FormDesignTest::undoAndRedoRestoreEveryEdit()
{
    QFETCH(int, edit);

    FormDesign design;
    design.add(everyKind().elements);
    const FormDesign::Content before = design.content();
    FormElement changed = design.elements().at(1);
    switch (edit) {
    case 0:
        design.add({element(Kind::Button, {0, 0, 10, 10})});
        break;
    case 1:
        changed.geometry.translate(8, 16);
        design.change({1}, {changed});
        break;
    case 2:
        changed.listItems = {QStringLiteral("x")};
        design.change({1}, {changed});
        break;
    case 3:
        design.remove({4, 1});
        break;
    case 4:
        design.allToPercent();
        break;
    case 5:
        design.replaceAll({{320, 200}, {}});
        break;
    }
    const FormDesign::Content after = design.content();
    QVERIFY(after != before);
    design.undoStack().undo();
    QCOMPARE(design.content(), before);
    design.undoStack().redo();
    QCOMPARE(design.content(), after);
}

void FormDesignTest::savedDesignReopensEqual()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.qform"));
    FormDesign::Content content = everyKind();
    content.body = {800, 600};
    content.elements[0].name = QStringLiteral("Имя");
    QCOMPARE(FormFile::write(path, content, m_strings), QString());
    const FormFile::ReadResult read = FormFile::read(path, m_strings);
    QVERIFY(read.content);
    QCOMPARE(*read.content, content);
}

void FormDesignTest::brokenDesignGivesTheMessage_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason");

    const QByteArray element = R"({"kind":"label","left":0,"top":0,"width":10,"height":10})";
    auto design = [](const QByteArray& version, const QByteArray& elements) -> QByteArray {
        return R"({"format":"quillorn-form","version":)" + version +
               R"(,"body":{"width":640,"height":480},"elements":[)" + elements + "]}";
    };
    QTest::newRow("sound") << design("1", element) << "";
    QTest::newRow("not json") << QByteArray("{\"format\": ") << "form.qform";
    QTest::newRow("other json") << QByteArray("[1,2]") << "form.qform";
    QTest::newRow("later version") << design("2", element) << "form.qform";
    QTest::newRow("unknown kind") << design("1", QByteArray(element).replace("label", "slider"))
                                  << "form.qform";
    QTest::newRow("zero width") << design("1", QByteArray(element).replace("\"width\":10",
                                                                           "\"width\":0"))
                                << "form.qform";
    QTest::newRow("huge number") << design("1", QByteArray(element).replace("\"top\":0",
                                                                            "\"top\":1e308"))
                                 << "form.qform";
    QTest::newRow("text for a number")
        << design("1", QByteArray(element).replace("\"left\":0", "\"left\":\"0\"")) << "form.qform";
    QTest::newRow("too large") << QByteArray(FormFile::MaxBytes + 1, ' ') << "too large";
}

void FormDesignTest::brokenDesignGivesTheMessage()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.qform"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    file.close();
    const FormFile::ReadResult read = FormFile::read(path, m_strings);
    QCOMPARE(read.content.has_value(), reason.isEmpty());
    if (!reason.isEmpty()) {
        QVERIFY2(read.error.startsWith(QLatin1String("The form design could not be read: ")) &&
                     read.error.contains(reason),
                 qPrintable(read.error));
    }
}

void FormDesignTest::writtenHtmlPassesTidy()
{
    const QString tidy = QStandardPaths::findExecutable(QStringLiteral("tidy"));
    if (tidy.isEmpty())
        QSKIP("tidy is not installed");
    // Every kind, a percent box, values to escape, empty lists and names given twice.
    FormDesign::Content content = everyKind();
    content.elements.append(element(Kind::List, {300, 8, 100, 24}, QStringLiteral("mail")));
    content.elements.append(element(Kind::Label, {300, 200, 100, 24}, QStringLiteral("mail")));
    const QString page = QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n<title>Form</title>\n"
                                        "</head>\n<body>\n") +
                         FormHtmlWriter::write(content) + QStringLiteral("</body>\n</html>\n");
    QProcess process;
    process.start(tidy, {QStringLiteral("-q"), QStringLiteral("-e")});
    QVERIFY(process.waitForStarted());
    process.write(page.toUtf8());
    process.closeWriteChannel();
    QVERIFY(process.waitForFinished());
    QVERIFY2(process.exitCode() == 0,
             qPrintable(QString::fromUtf8(process.readAllStandardError()) + page));
}

QTEST_MAIN(FormDesignTest)
#include "FormDesignTest.moc"
