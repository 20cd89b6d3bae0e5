#include "tags/FontChooser.h"
#include "platform/LangStrings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace Quillorn;

class FontChooserTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void choiceRoundTrips();
    void incompleteColourCannotBeAccepted();
    void swatchesAreNamedAndSetTheColour_data();
    void swatchesAreNamedAndSetTheColour();
    void askReturnsTheChoiceOrNothing_data();
    void askReturnsTheChoiceOrNothing();
    void quotesInValuesDoNotEndTheAttribute();

private:
    LangStrings m_strings;
};

void FontChooserTest::initTestCase()
{
    QVERIFY(m_strings.load(QStringLiteral(QUILLORN_SHIPPED_DATA "/languages/english/main.lng"),
                           QStringLiteral("english")));
}

void FontChooserTest::choiceRoundTrips()
{
    FontChooser chooser(m_strings);
    FontChoice wanted;
    wanted.name = QStringLiteral("DejaVu Serif");
    wanted.size = QStringLiteral("5");
    wanted.color = QColor(0x12, 0xAB, 0xEF);
    wanted.italic = true;
    wanted.strikeOut = true;
    chooser.setChoice(wanted);
    const FontChoice got = chooser.choice();
    QCOMPARE(got.name, wanted.name);
    QCOMPARE(got.size, wanted.size);
    QCOMPARE(got.colorHex(), QStringLiteral("12ABEF"));
    QCOMPARE(got.bold, false);
    QCOMPARE(got.italic, true);
    QCOMPARE(got.underline, false);
    QCOMPARE(got.strikeOut, true);
}

void FontChooserTest::incompleteColourCannotBeAccepted()
{
    FontChooser chooser(m_strings);
    chooser.show();
    auto* colour = chooser.findChild<QLineEdit*>(QStringLiteral("color"));
    auto* ok = chooser.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    QVERIFY(ok->isEnabled());
    colour->clear();
    QTest::keyClicks(colour, QStringLiteral("12zzAB"));
    QCOMPARE(colour->text(), QStringLiteral("12AB"));
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(colour, QStringLiteral("cd"));
    QVERIFY(ok->isEnabled());
    QCOMPARE(chooser.choice().colorHex(), QStringLiteral("12ABCD"));
}

void FontChooserTest::swatchesAreNamedAndSetTheColour_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("hex");
    QTest::newRow("first") << "Black"
                           << "000000";
    QTest::newRow("last") << "Fuchsia"
                          << "FF00FF";
}

void FontChooserTest::swatchesAreNamedAndSetTheColour()
{
    QFETCH(QString, name);
    QFETCH(QString, hex);
    FontChooser chooser(m_strings);
    chooser.show();
    QPushButton* swatch = nullptr;
    QStringList names;
    for (QPushButton* button : chooser.findChildren<QPushButton*>()) {
        if (button->text().isEmpty())
            names.append(button->accessibleName());
        if (button->accessibleName() == name)
            swatch = button;
    }
    // Sixteen swatches, each with a name of its own.
    names.removeDuplicates();
    QCOMPARE(names.size(), 16);
    QVERIFY(swatch);
    QCOMPARE(swatch->toolTip(), name);
    QTest::mouseClick(swatch, Qt::LeftButton);
    QCOMPARE(chooser.choice().colorHex(), hex);
}

void FontChooserTest::askReturnsTheChoiceOrNothing_data()
{
    QTest::addColumn<bool>("accept");
    QTest::newRow("accepted") << true;
    QTest::newRow("cancelled") << false;
}

void FontChooserTest::askReturnsTheChoiceOrNothing()
{
    QFETCH(bool, accept);
    bool seen = false;
    // Answers the dialog once it is up, however long a loaded machine takes to show it.
    QTimer answer;
    connect(&answer, &QTimer::timeout, this, [&] {
        auto* chooser = qobject_cast<FontChooser*>(QApplication::activeModalWidget());
        if (!chooser || !chooser->isVisible())
            return;
        answer.stop();
        seen = true;
        QTest::mouseClick(chooser->findChild<QCheckBox*>(QStringLiteral("bold")), Qt::LeftButton);
        chooser->findChild<QComboBox*>(QStringLiteral("size"))->setCurrentText(QStringLiteral("6"));
        if (accept)
            QTest::keyClick(chooser, Qt::Key_Return);
        else
            QTest::keyClick(chooser, Qt::Key_Escape);
    });
    answer.start(0);
    const std::optional<FontChoice> choice = FontChooser::ask(nullptr, m_strings);
    QVERIFY(seen);
    QCOMPARE(choice.has_value(), accept);
    if (accept) {
        QVERIFY(choice->bold);
        QCOMPARE(choice->size, QStringLiteral("6"));
        QCOMPARE(choice->colorHex(), QStringLiteral("000000"));
    }
}

void FontChooserTest::quotesInValuesDoNotEndTheAttribute()
{
    FontChoice choice;
    choice.name = QStringLiteral("My \"odd\" font");
    choice.size = QStringLiteral("3");
    QCOMPARE(choice.insertionText(QString()),
             QStringLiteral("<font name=\"My &quot;odd&quot; font\" size=\"3\" "
                            "color=\"#000000\"></font>"));
}

QTEST_MAIN(FontChooserTest)
#include "FontChooserTest.moc"
