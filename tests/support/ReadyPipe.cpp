#include "support/ReadyPipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

ReadyPipe::ReadyPipe(const QString& path) : m_strPath(path) {
    const QByteArray name = QFile::encodeName(path);
    m_bMade = ::mkfifo(name.constData(), 0600) == 0;
    if (m_bMade) {
        m_writer = std::thread([name] {
            // Waits here until someone opens the pipe for reading.
            const int fd = ::open(name.constData(), O_WRONLY);
            if (fd >= 0) {
                [[maybe_unused]] const ssize_t n = ::write(fd, "not a picture", 13);
                ::close(fd);
            }
        });
    }
}

ReadyPipe::~ReadyPipe() {
    if (!m_bMade) {
        return;
    }
    // Nobody may have read it: open it for a moment so that the writer gets through.
    const int reader = ::open(QFile::encodeName(m_strPath).constData(), O_RDONLY | O_NONBLOCK);
    m_writer.join();
    if (reader >= 0) {
        ::close(reader);
    }
}
