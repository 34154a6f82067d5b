#include "platform/ThreadPool.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>

// One RunChunks call (or one posted task), shared by the caller and the tickets in the queue:
// a thread that takes a ticket after every chunk was claimed finds nothing left to do, so the
// caller's body is never called once the caller has returned.
struct CThreadPool::Job {
    const std::function<void(int)>* body = nullptr;
    std::function<void()> task;  // a posted task, instead of chunks
    int chunks = 1;
    std::atomic<int> next{0};
    std::atomic<int> done{0};
};

namespace {

thread_local bool t_bBackground = false;

// The program's pools live until the process ends (never destroyed, so that a call during
// exit meets a stopped pool rather than a destroyed one); their threads are joined at exit.
std::atomic<CThreadPool*> g_pShared{nullptr};
std::atomic<CThreadPool*> g_pBackground{nullptr};
std::mutex g_createMutex;

CThreadPool& Lazy(std::atomic<CThreadPool*>& slot, int niceness) {
    if (CThreadPool* pool = slot.load(std::memory_order_acquire)) {
        return *pool;
    }
    std::lock_guard lock(g_createMutex);
    if (CThreadPool* pool = slot.load(std::memory_order_relaxed)) {
        return *pool;
    }
    auto* pool = new CThreadPool(CThreadPool::CoreCount(), niceness);
    slot.store(pool, std::memory_order_release);
    return *pool;
}

struct JoinPoolsAtExit {
    ~JoinPoolsAtExit() {
        for (std::atomic<CThreadPool*>* slot : {&g_pShared, &g_pBackground}) {
            if (CThreadPool* pool = slot->load(std::memory_order_acquire)) {
                pool->Shutdown();
            }
        }
    }
} g_joinPoolsAtExit;

}  // namespace

CThreadPool::CThreadPool(int threads, int niceness)
    : m_nThreads(std::max(1, threads)), m_nNiceness(niceness) {}

CThreadPool::~CThreadPool() {
    Shutdown();
}

CThreadPool& CThreadPool::Shared() {
    return Lazy(g_pShared, 0);
}

CThreadPool& CThreadPool::Background() {
    // Below normal priority, as the editing comes first.
    return Lazy(g_pBackground, 10);
}

CThreadPool& CThreadPool::ForThisThread() {
    return t_bBackground ? Background() : Shared();
}

void CThreadPool::UseBackgroundPool() {
    t_bBackground = true;
}

int CThreadPool::CoreCount() {
    return int(std::max(1u, std::thread::hardware_concurrency()));
}

void CThreadPool::StartThreads() {
    // Called with m_mutex held.
    m_bStarted = true;
    m_threads.reserve(size_t(m_nThreads));
    for (int i = 0; i < m_nThreads; ++i) {
        m_threads.emplace_back([this] { WorkerLoop(); });
    }
}

void CThreadPool::WorkerLoop() {
    if (m_nNiceness > 0) {
        setpriority(PRIO_PROCESS, id_t(gettid()), m_nNiceness);
        t_bBackground = true;
    }
    for (;;) {
        std::shared_ptr<Job> job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_bStopped || !m_queue.empty(); });
            if (m_queue.empty()) {
                return;  // stopped, and everything queued has run
            }
            job = std::move(m_queue.front());
            m_queue.pop_front();
        }
        if (job->task) {
            job->task();
        } else {
            Help(*job);
        }
    }
}

void CThreadPool::Help(Job& job) {
    for (int i; (i = job.next.fetch_add(1, std::memory_order_relaxed)) < job.chunks;) {
        (*job.body)(i);
        if (job.done.fetch_add(1, std::memory_order_acq_rel) + 1 == job.chunks) {
            // Under the lock, so that a caller between its test and its wait hears it.
            std::lock_guard lock(m_mutex);
            m_finished.notify_all();
        }
    }
}

void CThreadPool::RunChunks(int chunks, const std::function<void(int)>& body) {
    if (chunks <= 1) {
        if (chunks == 1) {
            body(0);
        }
        return;
    }
    auto job = std::make_shared<Job>();
    job->body = &body;
    job->chunks = chunks;
    int tickets = 0;
    {
        std::lock_guard lock(m_mutex);
        if (!m_bStopped) {
            if (!m_bStarted) {
                StartThreads();
            }
            tickets = std::min(chunks - 1, m_nThreads);
            for (int t = 0; t < tickets; ++t) {
                m_queue.push_back(job);
            }
        }
    }
    if (tickets == 1) {
        m_wake.notify_one();
    } else if (tickets > 1) {
        m_wake.notify_all();
    }
    Help(*job);
    std::unique_lock lock(m_mutex);
    // Tickets nobody took need no thread any more.
    std::erase(m_queue, job);
    m_finished.wait(lock, [&] { return job->done.load(std::memory_order_acquire) == job->chunks; });
}

void CThreadPool::Post(std::function<void()> task) {
    auto job = std::make_shared<Job>();
    job->task = std::move(task);
    {
        std::lock_guard lock(m_mutex);
        if (!m_bStopped) {
            if (!m_bStarted) {
                StartThreads();
            }
            m_queue.push_back(std::move(job));
        }
    }
    if (job) {
        job->task();  // stopped: no thread will come
        return;
    }
    m_wake.notify_one();
}

void CThreadPool::Shutdown() {
    std::vector<std::thread> threads;
    {
        std::lock_guard lock(m_mutex);
        m_bStopped = true;
        threads.swap(m_threads);
    }
    m_wake.notify_all();
    for (std::thread& t : threads) {
        if (t.joinable() && t.get_id() != std::this_thread::get_id()) {
            t.join();
        } else if (t.joinable()) {
            t.detach();
        }
    }
}
