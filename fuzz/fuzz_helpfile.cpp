// What a help file does to the ruler. The first byte chooses: odd, the rest is a help file that
// the reader program reads in a child process, whose files the ruler then takes as the help
// engine does; even, the rest is what a reader hands over, arriving in pieces of the size the
// second byte gives.

#include "FuzzSupport.h"
#include "core/help/HelpFileReader.h"
#include "core/help/HelpSitemap.h"
#include "core/help/HelpTransfer.h"
#include "core/settings/TextFile.h"

#include <QElapsedTimer>

namespace {

void takeArchive(const HelpArchive &archive) {
    for (const QString &extension : {QStringLiteral("hhc"), QStringLiteral("hhk")}) {
        const QString name = archive.firstWithExtension(extension);
        if (const std::optional<QByteArray> bytes = archive.read(name))
            parseSitemap(decodeText(*bytes));
    }
}

void readThroughTheReader(const uint8_t *data, size_t size) {
    const QString path = fuzz::writeInput(QStringLiteral("fuzz.chm"), data, size);
    HelpFileReader reader(QStringLiteral(TAVLINKO_HELP_READER));
    bool done = false;
    QObject::connect(&reader, &HelpFileReader::loaded,
                     [&](std::shared_ptr<const HelpArchive> archive) {
                         takeArchive(*archive);
                         done = true;
                     });
    QObject::connect(&reader, &HelpFileReader::failed, [&] { done = true; });
    reader.read(path);
    QElapsedTimer clock;
    clock.start();
    // The reader's own watchdog ends every read; this only keeps a fault in it from hanging.
    while (!done && clock.elapsed() < 2 * HelpFileReader::timeLimitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (!done)
        __builtin_trap();
}

void decodeInPieces(const uint8_t *data, size_t size) {
    if (size == 0)
        return;
    const qsizetype piece = qsizetype(data[0]) + 1;
    HelpTransfer::Decoder decoder(QStringLiteral("fuzz.chm"));
    const QByteArray stream = fuzz::bytes(data + 1, size - 1);
    for (qsizetype at = 0; at < stream.size(); at += piece)
        decoder.feed(stream.mid(at, piece));
    if (decoder.state() == HelpTransfer::Decoder::State::Complete)
        takeArchive(decoder.archive());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    fuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0)
        return 0;
    if (data[0] & 1)
        readThroughTheReader(data + 1, size - 1);
    else
        decodeInPieces(data + 1, size - 1);
    return 0;
}
