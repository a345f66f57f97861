// tavlinko-help-reader FILE: reads one compiled help file and writes the files inside it to
// standard output as core/help/HelpTransfer.h describes. The ruler starts it for each help file
// it opens, so that chmlib, which trusts the file it reads, never runs inside the ruler: a file
// built to exhaust memory, to loop or to crash the library ends only this process, and the
// limits set here end it soon.

#include "core/help/ChmFile.h"
#include "core/help/ChmLibrary.h"
#include "core/help/HelpTransfer.h"
#include "core/help/HtmlSanitizer.h"

#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
// A sanitizer build reserves far more address space than any limit would allow, so there the
// sanitizer's own allocator holds the memory down instead.
extern "C" const char *__asan_default_options() {
    return "hard_rss_limit_mb=512:allocator_may_return_null=1";
}
#endif

namespace {

enum ExitCode { Done = 0, Usage = 1, NotAHelpFile = 2, NoLibrary = 3, TooLarge = 4, Lost = 5 };

void closeInheritedDescriptors() {
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    if (close_range(3, ~0U, 0) == 0)
        return;
#endif
    for (int descriptor = 3, end = int(sysconf(_SC_OPEN_MAX)); descriptor < end; ++descriptor)
        close(descriptor);
}

void limit(int resource, rlim_t value) {
    const rlimit both{value, value};
    setrlimit(resource, &both);
}

void limitResources() {
#if !defined(__SANITIZE_ADDRESS__)
    limit(RLIMIT_AS, rlim_t(512) * 1024 * 1024);
#endif
    limit(RLIMIT_CPU, 3);
    limit(RLIMIT_FSIZE, 0);
    limit(RLIMIT_CORE, 0);
    limit(RLIMIT_NOFILE, 32);
    // The ruler gives up after a few seconds too; this ends a reader stuck without using the
    // processor, on a file that never delivers its bytes.
    alarm(5);
}

bool writeAll(const QByteArray &bytes) {
    const char *next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = write(STDOUT_FILENO, next, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    closeInheritedDescriptors();
    limitResources();
    if (argc != 2)
        return Usage;
    const QString fileName = QFile::decodeName(argv[1]);
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > HelpTransfer::largestHelpFile)
        return info.isFile() ? TooLarge : NotAHelpFile;
    const ChmLibrary library;
    if (!library.isLoaded())
        return NoLibrary;
    const ChmFile file(library, fileName);
    if (!file.isOpen() || file.files().isEmpty())
        return NotAHelpFile;
    if (file.files().size() > HelpTransfer::mostFiles)
        return TooLarge;

    if (!writeAll(HelpTransfer::header()))
        return Lost;
    qsizetype total = 0;
    for (const QString &name : file.files()) {
        const std::optional<QByteArray> bytes = file.read(name);
        // A file the library cannot give, or one beyond the caps, is left out; its page then
        // says it is missing. Pages and style sheets leave this process cleaned, so that the
        // ruler's text engine never sees what the file's author wrote.
        const QByteArray record =
            bytes ? HelpTransfer::record(name, HtmlSanitizer::cleanFile(name, *bytes))
                  : QByteArray();
        if (record.isEmpty())
            continue;
        total += record.size();
        if (total > HelpTransfer::largestTotal)
            return TooLarge;
        if (!writeAll(record))
            return Lost;
    }
    return writeAll(HelpTransfer::end()) ? Done : Lost;
}
