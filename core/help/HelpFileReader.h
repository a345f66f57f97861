#pragma once

#include "core/help/HelpArchive.h"

#include <QObject>
#include <QString>
#include <memory>

class QProcess;
class QTimer;

namespace HelpTransfer {
class Decoder;
}

// Reads a help file without letting chmlib into this process: the help file reader program
// (app/HelpReaderMain.cpp) reads it under hard limits of memory, processor time and open files,
// and hands the files over through a pipe; what comes back is checked against the same caps.
// Reading goes on while the program answers events; it ends in loaded, failed or readerMissing.
// The reader runs in a process group of its own, and whatever it starts ends with it.
class HelpFileReader : public QObject {
    Q_OBJECT

public:
    // The reader gets this long before it is stopped.
    static constexpr int timeLimitMs = 4000;

    explicit HelpFileReader(const QString &readerProgram, QObject *parent = nullptr);
    ~HelpFileReader() override;

    void setProgram(const QString &readerProgram) { m_program = readerProgram; }
    // Starts reading the file; a read still going on is given up.
    void read(const QString &fileName);
    // Gives up the read going on, without a signal.
    void stop();
    // The file being read, or an empty string.
    const QString &reading() const { return m_fileName; }

signals:
    void loaded(std::shared_ptr<const HelpArchive> archive);
    void failed(const QString &fileName);
    // The reader program is missing or cannot be started: the installation is broken, not the
    // help file.
    void readerMissing(const QString &program);

private:
    void takeOutput();
    void finish(bool success);

    QString m_program;
    QString m_fileName;
    QProcess *m_process = nullptr;
    QTimer *m_watchdog;
    std::unique_ptr<HelpTransfer::Decoder> m_decoder;
};
