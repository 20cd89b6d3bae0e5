// Speed of opening and saving documents without the editor: reading a generated HTML page,
// finding its encoding and turning it into the editor's UTF-8, and back; and handing a file to
// a running editor over the local socket.

#include "documents/DocumentCodec.h"
#include "documents/FileIO.h"
#include "documents/SingleInstance.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

using namespace Quillorn;

namespace {

// The generated pages: UTF-8 declared in a <meta> tag, UTF-8 found by its validity, and
// windows-1251 declared.
enum Variant { DeclaredUtf8, Utf8, Windows1251 };

// A page of about `megabytes` MB: markup, Latin and Cyrillic text, in UTF-8.
QByteArray generatedPage(int megabytes, Variant variant)
{
    QByteArray page = QByteArrayLiteral("<html><head>");
    if (variant == DeclaredUtf8)
        page += "<meta charset=\"utf-8\">";
    else if (variant == Windows1251)
        page += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">";
    page += "<title>Generated</title></head><body>\r\n";
    const QByteArray block =
        QByteArrayLiteral("<div class=\"row\"><a href=\"/items/42.html\">Item forty-two</a> "
                          "<span>Строка текста для проверки скорости, ещё немного.</span>"
                          "<p>Lorem ipsum dolor sit amet, consectetur adipiscing elit.</p>"
                          "</div>\r\n");
    const qsizetype size = qsizetype(megabytes) * 1024 * 1024;
    page.reserve(size + block.size());
    while (page.size() < size)
        page += block;
    page += "</body></html>\r\n";
    return page;
}

QByteArray inCodePage(const QByteArray& utf8, const char* charset)
{
    return DocumentCodec::encode(utf8, *DocumentCodec::forCharset(charset)).bytes;
}

struct Pages {
    QTemporaryDir dir;
    QString path(int megabytes, int variant) const
    {
        return dir.filePath(QStringLiteral("page-%1-%2.html").arg(megabytes).arg(variant));
    }
    Pages()
    {
        for (int megabytes : {20, 100}) {
            FileIO::saveFile(path(megabytes, DeclaredUtf8), generatedPage(megabytes, DeclaredUtf8));
            FileIO::saveFile(path(megabytes, Utf8), generatedPage(megabytes, Utf8));
            FileIO::saveFile(path(megabytes, Windows1251),
                             inCodePage(generatedPage(megabytes, Windows1251), "windows-1251"));
        }
    }
};

const Pages& pages()
{
    static Pages instance;
    return instance;
}

// Read from the disk (the page cache, after the first round), detect, decode.
void openDocument(benchmark::State& state)
{
    const int megabytes = int(state.range(0));
    const int variant = int(state.range(1));
    const QString path = pages().path(megabytes, variant);
    for (auto _ : state) {
        const FileIO::ReadResult read = FileIO::readWholeFile(path);
        const DocumentCodec::Decoded decoded =
            DocumentCodec::decode(read.bytes, QStringLiteral("english"));
        benchmark::DoNotOptimize(decoded.utf8.constData());
    }
    state.SetBytesProcessed(state.iterations() * qint64(megabytes) * 1024 * 1024);
}
BENCHMARK(openDocument)
    ->ArgsProduct({{20, 100}, {DeclaredUtf8, Utf8, Windows1251}})
    ->ArgNames({"MB", "variant"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Decoding alone, the bytes already in memory.
void decodeOnly(benchmark::State& state)
{
    const int megabytes = int(state.range(0));
    const int variant = int(state.range(1));
    const QByteArray bytes = FileIO::readWholeFile(pages().path(megabytes, variant)).bytes;
    for (auto _ : state) {
        const DocumentCodec::Decoded decoded =
            DocumentCodec::decode(bytes, QStringLiteral("english"));
        benchmark::DoNotOptimize(decoded.utf8.constData());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(decodeOnly)
    ->ArgsProduct({{20, 100}, {DeclaredUtf8, Utf8, Windows1251}})
    ->ArgNames({"MB", "variant"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Encoding for a save and the atomic write with its flush to the disk.
void saveDocument(benchmark::State& state)
{
    const int megabytes = int(state.range(0));
    const int variant = int(state.range(1));
    const QByteArray bytes = FileIO::readWholeFile(pages().path(megabytes, variant)).bytes;
    const DocumentCodec::Decoded decoded = DocumentCodec::decode(bytes, QStringLiteral("english"));
    const QString target = pages().dir.filePath(QStringLiteral("saved.html"));
    for (auto _ : state) {
        const DocumentCodec::Encoded encoded =
            DocumentCodec::encode(decoded.utf8, decoded.encoding);
        if (!FileIO::saveFile(target, encoded.bytes).ok())
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(saveDocument)
    ->ArgsProduct({{20, 100}, {DeclaredUtf8, Utf8, Windows1251}})
    ->ArgNames({"MB", "variant"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// `quillorn FILE` with an editor running: connect, send the path, get the acknowledgement.
void handOffToRunningEditor(benchmark::State& state)
{
    const QString application =
        QStringLiteral("QuillornBench%1").arg(QCoreApplication::applicationPid());
    QProcess server;
    server.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--serve"), application});
    if (!server.waitForStarted() || !server.waitForReadyRead(5000)) {
        state.SkipWithError("no editor to hand off to");
        return;
    }
    SingleInstance client(application, QStringLiteral("SYSTEM"));
    for (auto _ : state) {
        if (!client.handOff({QStringLiteral("/home/user/site/index.html")}).done)
            state.SkipWithError("hand-off failed");
    }
    server.kill();
    server.waitForFinished();
}
BENCHMARK(handOffToRunningEditor)->Unit(benchmark::kMillisecond)->UseRealTime();

int serve(const QString& application)
{
    SingleInstance instance(application, QStringLiteral("SYSTEM"));
    if (!instance.listen())
        return 2;
    std::printf("LISTENING\n");
    std::fflush(stdout);
    return QCoreApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc > 2 && qstrcmp(argv[1], "--serve") == 0)
        return serve(QString::fromLocal8Bit(argv[2]));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
