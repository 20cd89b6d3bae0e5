#include "settings/FileAssociations.h"
#include "settings/MimeAppsList.h"
#include "support/TestEnvironment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <memory>

using namespace Quillorn;

class FileAssociationsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void associationsKeepOtherProgramsEntries_data();
    void associationsKeepOtherProgramsEntries();
    void projectTypeIsKnownToTheDesktop();

private:
    static QByteArray read(const QString& path);
    static bool write(const QString& path, const QByteArray& bytes);

    std::unique_ptr<QTemporaryDir> m_xdg;
    Test::TestEnvironment m_env;
};

void FileAssociationsTest::init()
{
    // A fresh desktop for every test: the data and config homes below a temporary folder.
    m_xdg = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_xdg->filePath(QStringLiteral("data"))));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_xdg->filePath(QStringLiteral("config"))));
}

QByteArray FileAssociationsTest::read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool FileAssociationsTest::write(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

void FileAssociationsTest::associationsKeepOtherProgramsEntries_data()
{
    QTest::addColumn<QString>("extension");
    QTest::addColumn<bool>("asDefault");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QStringList>("sameTypeExtensions");
    QTest::newRow("default, a type others have too")
        << ".htm" << true << "/opt/Web Tools/quillorn"
        << "\"/opt/Web Tools/quillorn\" %F" << QStringList{".html"};
    QTest::newRow("separate menu, two types") << ".JS" << false << "/usr/lib/quillorn/quillorn"
                                              << "/usr/lib/quillorn/quillorn %F" << QStringList{};
    QTest::newRow("default, a path with what must be escaped")
        << ".php3" << true << "/srv/100%/$HOME/quillorn"
        << "\"/srv/100%%/\\\\$HOME/quillorn\" %F" << QStringList{".php", ".phtml"};
}

void FileAssociationsTest::associationsKeepOtherProgramsEntries()
{
    QFETCH(QString, extension);
    QFETCH(bool, asDefault);
    QFETCH(QString, program);
    QFETCH(QString, exec);
    QFETCH(QStringList, sameTypeExtensions);
    const QByteArray others("# set by hand\n"
                            "[Default Applications]\n"
                            "text/html=firefox.desktop;\n"
                            "application/javascript=code.desktop;\n"
                            "image/png=eog.desktop\n"
                            "\n"
                            "[Added Associations]\n"
                            "text/html=gedit.desktop;\n"
                            "application/x-php=gedit.desktop;kate.desktop;\n");
    const QString listPath = FileAssociations::mimeAppsPath();
    QVERIFY(write(listPath, others));
    const QString group = asDefault ? MimeAppsList::defaultGroup() : MimeAppsList::addedGroup();
    const QString ours = FileAssociations::desktopFileName();

    FileAssociations associations(m_env.appDir(), program);
    QVERIFY(!associations.isAssociated(extension, asDefault));
    QVERIFY(associations.setAssociation(extension, true, asDefault).ok());
    QVERIFY(associations.isAssociated(extension, asDefault));
    QVERIFY(!associations.isAssociated(extension, !asDefault));
    for (const QString& same : sameTypeExtensions)
        QVERIFY2(associations.isAssociated(same, asDefault), qPrintable(same));

    // The entry names exactly this program, and the desktop's own checker accepts it.
    const QString entryPath = FileAssociations::desktopEntryPath();
    const QByteArray entry = read(entryPath);
    QVERIFY2(entry.contains(QByteArray("\nExec=" + exec.toUtf8() + "\n")), entry.constData());
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    QVERIFY(!validator.isEmpty());
    QProcess validate;
    validate.start(validator, {entryPath});
    QVERIFY(validate.waitForFinished(30000));
    QVERIFY2(validate.exitCode() == 0, validate.readAll().constData());

    // This program comes first as the default, last as one more; the others keep their places.
    const MimeAppsList list(QString::fromUtf8(read(listPath)));
    const MimeAppsList before(QString::fromUtf8(others));
    for (const QString& type : FileAssociations::mimeTypes(extension)) {
        QVERIFY2(entry.contains(QByteArray(type.toUtf8() + ';')), qPrintable(type));
        const QStringList theirs = before.applications(group, type);
        QCOMPARE(list.applications(group, type),
                 asDefault ? QStringList{ours} + theirs : theirs + QStringList{ours});
    }
    QCOMPARE(list.applications(MimeAppsList::defaultGroup(), QStringLiteral("image/png")),
             QStringList{QStringLiteral("eog.desktop")});

    // Another copy of the program in another folder is not the one associated.
    const FileAssociations otherCopy(m_env.appDir(), QStringLiteral("/elsewhere/quillorn"));
    QVERIFY(!otherCopy.isAssociated(extension, asDefault));

    // Removing takes out only this program's entries: the list is as it was, byte for byte,
    // and the entry, associated with nothing more, is gone.
    QVERIFY(associations.setAssociation(extension, false, asDefault).ok());
    QVERIFY(!associations.isAssociated(extension, asDefault));
    QCOMPARE(read(listPath), others);
    QVERIFY(!QFile::exists(entryPath));
}

void FileAssociationsTest::projectTypeIsKnownToTheDesktop()
{
    FileAssociations associations(m_env.appDir());
    QVERIFY(associations.registerProjectType(QStringLiteral("Quillorn <project> file")).ok());
    QVERIFY(associations.isAssociated(QStringLiteral(".qlp"), true));

    const QString updater = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    QVERIFY(!updater.isEmpty());
    QCOMPARE(QProcess::execute(updater, {FileAssociations::mimeFolder()}), 0);

    // A new process reads the desktop's MIME database afresh, as the file manager does.
    const QString project = m_xdg->filePath(QStringLiteral("work.qlp"));
    QVERIFY(write(project, "/home/u/index.html\r\n"));
    QProcess child;
    child.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--mime-type-of"), project});
    QVERIFY(child.waitForFinished(30000));
    const QList<QByteArray> type = child.readAllStandardOutput().split('\n');
    QCOMPARE(type.value(0), FileAssociations::projectMimeType().toUtf8());
    QCOMPARE(type.value(1), QByteArray("Quillorn <project> file"));
    // Its icon is the program's project picture, where the icon theme looks for it.
    const QString icon = m_xdg->filePath(QStringLiteral("data/icons/hicolor/scalable/mimetypes/")) +
                         QString::fromUtf8(type.value(2)) + QLatin1String(".svg");
    QCOMPARE(read(icon), read(m_env.path(QStringLiteral("icons/project.svg"))));
}

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The child that projectTypeIsKnownToTheDesktop starts: it prints the MIME type the
    // desktop's database gives the file named, its description and its icon's name.
    if (argc == 3 && qstrcmp(argv[1], "--mime-type-of") == 0) {
        const QMimeType type = QMimeDatabase().mimeTypeForFile(QFile::decodeName(argv[2]));
        for (const QString& line : {type.name(), type.comment(), type.iconName()})
            std::puts(line.toUtf8().constData());
        return 0;
    }
    FileAssociationsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FileAssociationsTest.moc"
