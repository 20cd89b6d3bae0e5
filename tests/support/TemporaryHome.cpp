#include "support/TemporaryHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace Quillorn::Test {

namespace {

const char* const Variables[] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"};

} // namespace

TemporaryHome::TemporaryHome() = default;

TemporaryHome::~TemporaryHome()
{
    for (const auto& [name, value] : m_saved)
        qputenv(name.constData(), value);
}

QString TemporaryHome::path(const QString& relative) const
{
    return m_dir.filePath(relative);
}

QString TemporaryHome::installFolder() const
{
    return path(QStringLiteral(".local/share/Quillorn/"));
}

QProcessEnvironment TemporaryHome::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_dir.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), path(QStringLiteral(".local/share")));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral(".config")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), path(QStringLiteral(".cache")));
    return environment;
}

void TemporaryHome::enter()
{
    const QProcessEnvironment ours = environment();
    for (const char* name : Variables) {
        m_saved.append({name, qgetenv(name)});
        qputenv(name, QFile::encodeName(ours.value(QLatin1String(name))));
    }
}

TemporaryHome::Run TemporaryHome::run(const QString& program, const QStringList& arguments) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    return run;
}

TemporaryHome::Run TemporaryHome::install(const QStringList& arguments) const
{
    return run(binFolder() + QStringLiteral("quillsetup"),
               QStringList{QStringLiteral("--unattended")} + arguments);
}

QString TemporaryHome::binFolder()
{
    return QStringLiteral(QUILLORN_BIN_DIR "/");
}

QString TemporaryHome::installerProgram()
{
    return QStringLiteral(QUILLORN_SETUP_PROGRAM);
}

QByteArray TemporaryHome::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TemporaryHome::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace Quillorn::Test
