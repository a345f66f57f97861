#include "core/help/HelpFileReader.h"

#include "core/help/HelpTransfer.h"

#include <QProcess>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

HelpFileReader::HelpFileReader(const QString &readerProgram, QObject *parent)
    : QObject(parent), m_program(readerProgram), m_watchdog(new QTimer(this)) {
    m_watchdog->setSingleShot(true);
    m_watchdog->setInterval(timeLimitMs);
    connect(m_watchdog, &QTimer::timeout, this, [this] { finish(false); });
}

HelpFileReader::~HelpFileReader() {
    stop();
}

void HelpFileReader::read(const QString &fileName) {
    stop();
    m_fileName = fileName;
    m_decoder = std::make_unique<HelpTransfer::Decoder>(fileName);
    m_process = new QProcess(this);
    m_process->setStandardInputFile(QProcess::nullDevice());
    // What chmlib says about a damaged file is of no use to the reader of the help.
    m_process->setStandardErrorFile(QProcess::nullDevice());
    connect(m_process, &QProcess::readyReadStandardOutput, this, &HelpFileReader::takeOutput);
    connect(m_process, &QProcess::finished, this,
            [this](int exitCode, QProcess::ExitStatus status) {
                takeOutput();
                finish(status == QProcess::NormalExit && exitCode == 0 &&
                       m_decoder->state() == HelpTransfer::Decoder::State::Complete);
            });
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        const QString program = m_program;
        stop();
        emit readerMissing(program);
    });
#ifdef Q_OS_UNIX
    m_process->setChildProcessModifier([] { ::setpgid(0, 0); });
#endif
    m_watchdog->start();
    m_process->start(m_program, {fileName});
}

void HelpFileReader::takeOutput() {
    if (!m_process)
        return;
    if (m_decoder->feed(m_process->readAllStandardOutput()) == HelpTransfer::Decoder::State::Broken)
        finish(false);
}

void HelpFileReader::stop() {
    m_watchdog->stop();
    if (m_process) {
        m_process->disconnect(this);
#ifdef Q_OS_UNIX
        // The reader leads its group; anything it started goes with it.
        if (const qint64 group = m_process->processId(); group > 0)
            ::kill(-pid_t(group), SIGKILL);
#endif
        m_process->kill();
        m_process->waitForFinished(1000);
        m_process->deleteLater();
        m_process = nullptr;
    }
    m_decoder.reset();
    m_fileName.clear();
}

void HelpFileReader::finish(bool success) {
    if (!m_process)
        return;
    const QString fileName = m_fileName;
    auto archive = success ? std::make_shared<const HelpArchive>(m_decoder->archive()) : nullptr;
    stop();
    if (archive)
        emit loaded(archive);
    else
        emit failed(fileName);
}
