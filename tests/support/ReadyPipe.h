#pragma once

#include <QString>
#include <thread>

// A named pipe at path with a writer standing ready: a reader that opened it would get a few
// bytes and an end instead of waiting for ever, so that a test of a program that must not read
// it fails instead of hanging. The writer is let go when the object goes.
class ReadyPipe {
public:
    explicit ReadyPipe(const QString& path);
    ~ReadyPipe();
    ReadyPipe(const ReadyPipe&) = delete;
    ReadyPipe& operator=(const ReadyPipe&) = delete;

    bool IsMade() const { return m_bMade; }

private:
    QString m_strPath;
    bool m_bMade = false;
    std::thread m_writer;
};
