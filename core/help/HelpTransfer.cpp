#include "core/help/HelpTransfer.h"

#include <QtEndian>

namespace HelpTransfer {

namespace {

const QByteArray magic = QByteArrayLiteral("TAVLINKO-HELP-1\n");

void appendLength(QByteArray &out, qsizetype length) {
    char bytes[4];
    qToLittleEndian(quint32(length), bytes);
    out.append(bytes, 4);
}

} // namespace

QByteArray header() {
    return magic;
}

QByteArray record(const QString &path, const QByteArray &bytes) {
    const QByteArray name = path.toUtf8();
    if (name.isEmpty() || name.size() > longestPath || bytes.size() > largestFile)
        return QByteArray();
    QByteArray out;
    out.reserve(8 + name.size() + bytes.size());
    appendLength(out, name.size());
    out += name;
    appendLength(out, bytes.size());
    out += bytes;
    return out;
}

QByteArray end() {
    QByteArray out;
    appendLength(out, 0);
    return out;
}

Decoder::State Decoder::feed(const QByteArray &piece) {
    if (m_state != State::Reading) {
        // Anything after the end means the reader did not keep to the transfer.
        if (!piece.isEmpty())
            m_state = State::Broken;
        return m_state;
    }
    m_pending += piece;
    if (!m_headerRead) {
        if (m_pending.size() < magic.size())
            return m_state = magic.startsWith(m_pending) ? State::Reading : State::Broken;
        if (!m_pending.startsWith(magic))
            return m_state = State::Broken;
        m_read = magic.size();
        m_headerRead = true;
    }
    while (m_state == State::Reading && takeRecord()) {
    }
    // Drop what has been read, now and then, so that the buffer stays as large as one record.
    if (m_read > 0 && m_read >= m_pending.size() / 2) {
        m_pending.remove(0, m_read);
        m_read = 0;
    }
    if (m_state == State::Complete && m_read < m_pending.size())
        m_state = State::Broken;
    return m_state;
}

bool Decoder::takeRecord() {
    const auto length = [this](qsizetype at) {
        return qsizetype(qFromLittleEndian<quint32>(m_pending.constData() + at));
    };
    const qsizetype available = m_pending.size() - m_read;
    if (available < 4)
        return false;
    const qsizetype pathLength = length(m_read);
    if (pathLength == 0) {
        m_read += 4;
        m_state = State::Complete;
        return false;
    }
    if (pathLength > longestPath) {
        m_state = State::Broken;
        return false;
    }
    if (available < 8 + pathLength)
        return false;
    const qsizetype size = length(m_read + 4 + pathLength);
    if (size > largestFile || m_files >= mostFiles || m_total + pathLength + size > largestTotal) {
        m_state = State::Broken;
        return false;
    }
    if (available < 8 + pathLength + size)
        return false;
    ++m_files;
    m_total += pathLength + size;
    const qsizetype start = m_read + 4;
    m_archive.add(QString::fromUtf8(m_pending.constData() + start, pathLength),
                  m_pending.mid(start + pathLength + 4, size));
    m_read = start + pathLength + 4 + size;
    return true;
}

} // namespace HelpTransfer
