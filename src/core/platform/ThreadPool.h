#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// A fixed set of threads that share out work. The program has one, Shared(), with a thread
// per core, which every band-parallel loop uses (ParallelBands), and one of the same size
// below normal priority, Background(), for the undo compression: work started on a thread
// that belongs to it (or was marked with UseBackgroundPool) stays there, so that compression
// never takes the editing's threads.
//
// RunChunks makes the calling thread take part: it claims chunks itself until none is left,
// and the pool's threads help as they come free. So a call from inside a chunk (a nested
// loop) cannot deadlock, and a pool whose threads are all busy only makes the caller do more.
// The threads start at the first call that needs them and are joined at exit, after the work
// queued by then has run; calls after that run on the calling thread.
class CThreadPool {
public:
    // threads > 0; niceness > 0 lowers the priority of the pool's threads.
    explicit CThreadPool(int threads, int niceness = 0);
    // Runs what is still queued and joins the threads.
    ~CThreadPool();
    CThreadPool(const CThreadPool&) = delete;
    CThreadPool& operator=(const CThreadPool&) = delete;

    // The program's pool, one thread per core.
    static CThreadPool& Shared();
    // The below-normal-priority pool of the undo compression.
    static CThreadPool& Background();
    // The pool for work started on the calling thread: Background() for its threads and for
    // threads marked with UseBackgroundPool, else Shared().
    static CThreadPool& ForThisThread();
    static void UseBackgroundPool();
    // Threads in the shared pool, and in all: at least 1.
    static int CoreCount();

    int Size() const { return m_nThreads; }

    // Calls body(i) once for every i in [0, chunks), on the calling thread and the pool's
    // threads, and returns when every call has returned. body must not depend on the order.
    void RunChunks(int chunks, const std::function<void(int)>& body);

    // Runs task on one of the pool's threads, soon; the caller learns of its end from the task
    // itself. After shutdown the task runs at once on the calling thread.
    void Post(std::function<void()> task);

    // Runs the queued work, joins the threads; later calls run on the calling thread.
    void Shutdown();

private:
    struct Job;
    void StartThreads();
    void WorkerLoop();
    // Claims and runs chunks of job until none is left.
    void Help(Job& job);

    const int m_nThreads;
    const int m_nNiceness;
    std::mutex m_mutex;
    std::condition_variable m_wake;      // work queued, or stopping
    std::condition_variable m_finished;  // some job's last chunk returned
    std::deque<std::shared_ptr<Job>> m_queue;
    std::vector<std::thread> m_threads;
    bool m_bStarted = false;
    bool m_bStopped = false;
};
