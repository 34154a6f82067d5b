#include "document/UndoHistory.h"

#include <FreeImage.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Parallel.h"

namespace {

// Rows are filtered and compressed in slices of about this many bytes; between slices the
// compressing threads look whether the entry is still wanted.
constexpr int64_t kSliceBytes = 256 * 1024;
// Smaller bitmaps are one stream. Larger ones are cut into a multiple of the core count of
// bands, each at most kMaxBandBytes (so every size fits zlib's and FreeImage's 32-bit counts).
constexpr int64_t kMinBandedBytes = 1 << 20;
constexpr int64_t kMaxBandBytes = int64_t(256) << 20;
// Compressed entries give their uncompressed memory back for the next copies; this many
// bitmaps are kept at most.
constexpr size_t kSpareLimit = 2;
// zlib's run-length strategy: on filtered photographs the matches of the other strategies
// find almost nothing and cost most of the time, and flat areas become long runs of zeros.
constexpr int kZlibLevel = 1;
constexpr int kZlibStrategy = Z_RLE;

std::atomic<uint64_t> g_nextHistoryId{1};

struct FreeDeleter {
    void operator()(uint8_t* p) const { std::free(p); }
};
using Buffer = std::unique_ptr<uint8_t, FreeDeleter>;

inline uint32_t Load(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}
inline void Store(uint8_t* p, uint32_t v) {
    std::memcpy(p, &v, 4);
}

// Byte-wise arithmetic on the four channels of a pixel at once, without carries between them.
constexpr uint32_t kHigh = 0x80808080u;
inline uint32_t SubBytes(uint32_t a, uint32_t b) {
    return ((a | kHigh) - (b & ~kHigh)) ^ ((a ^ ~b) & kHigh);
}
inline uint32_t AddBytes(uint32_t a, uint32_t b) {
    return ((a & ~kHigh) + (b & ~kHigh)) ^ ((a ^ b) & kHigh);
}

// PNG's "Sub" filter on a row of pixels: each byte minus the same channel of the pixel to its
// left; the first pixel stays as it is.
void SubFilterRow(const uint8_t* in, uint8_t* out, int width) {
    uint32_t left = 0;
    for (int x = 0; x < width; ++x) {
        const uint32_t p = Load(in + 4 * x);
        Store(out + 4 * x, SubBytes(p, left));
        left = p;
    }
}

void UnfilterRow(uint8_t* row, int width) {
    uint32_t left = 0;
    for (int x = 0; x < width; ++x) {
        left = AddBytes(Load(row + 4 * x), left);
        Store(row + 4 * x, left);
    }
}

struct CompressedBand {
    Buffer data;
    int64_t size = 0;
    int firstRow = 0;
    int rows = 0;
};

struct CompressedBitmap {
    int width = 0;
    int height = 0;
    int pixelFormat = 0;
    int64_t rawSize = 0;
    std::vector<CompressedBand> bands;

    int64_t Size() const {
        int64_t total = 0;
        for (const CompressedBand& band : bands) {
            total += band.size;
        }
        return total;
    }
};

int CoreCount() {
    return CThreadPool::CoreCount();
}

int BandCount(const Bitmap& bitmap) {
    if (bitmap.ByteCount() < kMinBandedBytes) {
        return 1;
    }
    const int64_t cores = CoreCount();
    const int64_t perCore =
        (bitmap.ByteCount() + cores * kMaxBandBytes - 1) / (cores * kMaxBandBytes);
    return int(std::min<int64_t>(bitmap.Height(), cores * perCore));
}

void RunSliceHook(const std::atomic<bool>& stopping);

// Deflates rows [firstRow, firstRow + rows) of bitmap, filtered, into one zlib stream. False
// when stop was set meanwhile or memory ran out.
bool CompressBand(const Bitmap& bitmap, int firstRow, int rows, const std::atomic<bool>& stop,
                  CompressedBand* out) {
    z_stream z{};
    if (deflateInit2(&z, kZlibLevel, Z_DEFLATED, 15, 8, kZlibStrategy) != Z_OK) {
        return false;
    }
    const int stride = bitmap.Stride();
    const int64_t bytes = int64_t(rows) * stride;
    size_t capacity = size_t(deflateBound(&z, uLong(bytes)));
    Buffer buffer(static_cast<uint8_t*>(std::malloc(capacity)));
    const int sliceRows = int(std::clamp<int64_t>(kSliceBytes / stride, 1, rows));
    std::vector<uint8_t> scratch;
    bool ok = buffer != nullptr;
    if (ok) {
        try {
            scratch.resize(size_t(sliceRows) * size_t(stride));
        } catch (const std::bad_alloc&) {
            ok = false;
        }
    }
    z.next_out = buffer.get();
    z.avail_out = uInt(capacity);
    for (int y = 0; ok && y < rows; y += sliceRows) {
        if (stop.load(std::memory_order_relaxed)) {
            ok = false;
            break;
        }
        const int n = std::min(sliceRows, rows - y);
        for (int r = 0; r < n; ++r) {
            SubFilterRow(reinterpret_cast<const uint8_t*>(bitmap.Row(firstRow + y + r)),
                         scratch.data() + size_t(r) * size_t(stride), bitmap.Width());
        }
        z.next_in = scratch.data();
        z.avail_in = uInt(n) * uInt(stride);
        const int flush = y + n >= rows ? Z_FINISH : Z_NO_FLUSH;
        for (;;) {
            if (z.avail_out == 0) {
                // deflateBound holds for one call; slices may need a little more.
                const size_t grown = capacity + capacity / 8 + 4096;
                auto* p = static_cast<uint8_t*>(std::realloc(buffer.get(), grown));
                if (!p) {
                    ok = false;
                    break;
                }
                (void)buffer.release();
                buffer.reset(p);
                z.next_out = p + z.total_out;
                z.avail_out = uInt(grown - z.total_out);
                capacity = grown;
            }
            const int rc = deflate(&z, flush);
            if (rc == Z_STREAM_END) {
                break;
            }
            if (rc != Z_OK && rc != Z_BUF_ERROR) {
                ok = false;
                break;
            }
            if (flush == Z_NO_FLUSH && z.avail_in == 0 && z.avail_out > 0) {
                break;
            }
        }
        RunSliceHook(stop);
    }
    const int64_t size = int64_t(z.total_out);
    deflateEnd(&z);
    if (!ok) {
        return false;
    }
    // Keep exactly the compressed bytes (for large blocks realloc only remaps the pages).
    if (auto* p =
            static_cast<uint8_t*>(std::realloc(buffer.get(), size_t(std::max<int64_t>(size, 1))))) {
        (void)buffer.release();
        buffer.reset(p);
    }
    out->data = std::move(buffer);
    out->size = size;
    out->firstRow = firstRow;
    out->rows = rows;
    return true;
}

std::optional<CompressedBitmap> CompressBitmap(const Bitmap& bitmap,
                                               const std::atomic<bool>& stop) {
    CompressedBitmap result;
    result.width = bitmap.Width();
    result.height = bitmap.Height();
    result.pixelFormat = bitmap.PixelFormat();
    result.rawSize = bitmap.ByteCount();
    const int bands = BandCount(bitmap);
    result.bands.resize(size_t(bands));
    std::atomic<bool> failed{false};
    ParallelBands(
        bands, result.rawSize / bands,
        [&](int first, int last) {
            for (int b = first; b < last && !failed.load(); ++b) {
                const int top = int(int64_t(bitmap.Height()) * b / bands);
                const int bottom = int(int64_t(bitmap.Height()) * (b + 1) / bands);
                if (!CompressBand(bitmap, top, bottom - top, stop, &result.bands[size_t(b)])) {
                    failed = true;
                }
            }
        },
        1);
    if (failed) {
        return std::nullopt;
    }
    return result;
}

class CCompressor;
CCompressor& Compressor();

}  // namespace

// --- Entries ------------------------------------------------------------------------------

class CUndoEntry {
public:
    explicit CUndoEntry(CUndoItem item) : m_item(std::move(item)) {}

    // On the compression thread: replaces the pixels by their compressed form, unless the
    // entry was taken or dropped before or meanwhile. Returns the uncompressed layer bitmap
    // that is no longer needed, for reuse.
    std::unique_ptr<Bitmap> Compress();

    // On the owner's thread: the item back, uncompressed. A compression in progress is
    // stopped. Empty when memory for the pixels cannot be had; the entry is then unchanged.
    std::optional<CUndoItem> Take();

    // The entry is no longer wanted: a compression in progress stops at its next slice, and
    // one not yet begun never starts.
    void Abandon() {
        std::lock_guard lock(m_mutex);
        m_bAbandoned = true;
    }

    int64_t StoredBytes() const {
        std::lock_guard lock(m_mutex);
        if (m_state == State::Compressed) {
            return m_layer.Size() + (m_fragment ? m_fragment->Size() : 0);
        }
        if (m_state == State::Gone) {
            return 0;
        }
        return (m_item.m_pBitmap ? m_item.m_pBitmap->ByteCount() : 0) +
               (m_item.m_pFragment ? m_item.m_pFragment->ByteCount() : 0);
    }

    bool IsCompressed() const {
        std::lock_guard lock(m_mutex);
        return m_state == State::Compressed;
    }

private:
    enum class State {
        Raw,          // m_item holds the bitmaps
        Compressing,  // the compression thread reads m_item's bitmaps; nobody else touches them
        Compressed,   // m_layer and m_fragment hold the pixels; m_item only the rest
        Gone,         // taken
    };

    CUndoItem CopyOfTheRest() const {
        CUndoItem item;
        item.m_nOffsetX = m_item.m_nOffsetX;
        item.m_nOffsetY = m_item.m_nOffsetY;
        item.m_Selection = m_item.m_Selection;
        item.m_rcSelection = m_item.m_rcSelection;
        item.m_bSelectionPresent = m_item.m_bSelectionPresent;
        return item;
    }

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    State m_state = State::Raw;
    std::atomic<bool> m_bAbandoned{false};
    bool m_bKeepRaw = false;  // compression failed for want of memory: stay uncompressed
    CUndoItem m_item;
    CompressedBitmap m_layer;
    std::optional<CompressedBitmap> m_fragment;
};

namespace {

// The program-wide compression thread and its queue. Entries are compressed strictly in the
// order they were queued, one at a time (the bands of one entry in parallel).
class CCompressor {
public:
    ~CCompressor() {
        {
            std::lock_guard lock(m_mutex);
            m_bStop = true;
            for (auto& entry : m_queue) {
                entry->Abandon();
            }
            m_queue.clear();
            if (m_running) {
                m_running->Abandon();
            }
        }
        m_wake.notify_all();
        if (m_thread.joinable()) {
            m_thread.join();
        }
    }

    void Queue(std::shared_ptr<CUndoEntry> entry) {
        {
            std::lock_guard lock(m_mutex);
            if (m_bStop) {
                return;
            }
            m_queue.push_back(std::move(entry));
            if (!m_thread.joinable()) {
                m_thread = std::thread([this] { Run(); });
            }
        }
        m_wake.notify_one();
    }

    bool Busy() {
        std::lock_guard lock(m_mutex);
        return m_running || !m_queue.empty();
    }

    void WaitUntilIdle() {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return !m_running && m_queue.empty(); });
    }

    std::unique_ptr<Bitmap> TakeSpare(int width, int height) {
        std::lock_guard lock(m_spareMutex);
        for (auto it = m_spares.begin(); it != m_spares.end(); ++it) {
            if ((*it)->Width() == width && (*it)->Height() == height) {
                auto spare = std::move(*it);
                m_spares.erase(it);
                return Bitmap::Renew(std::move(spare));
            }
        }
        return nullptr;
    }

    void GiveSpare(std::unique_ptr<Bitmap> bitmap) {
        if (!bitmap) {
            return;
        }
        std::unique_ptr<Bitmap> oldest;
        std::lock_guard lock(m_spareMutex);
        if (m_spares.size() >= kSpareLimit) {
            oldest = std::move(m_spares.front());
            m_spares.erase(m_spares.begin());
        }
        m_spares.push_back(std::move(bitmap));
    }

    void SetListener(std::function<void()> listener) {
        std::lock_guard lock(m_hookMutex);
        m_listener = std::move(listener);
    }
    void SetSliceHook(CLayerHistory::SliceHook hook) {
        std::lock_guard lock(m_hookMutex);
        m_sliceHook = std::move(hook);
    }
    void RunSliceHook(const std::atomic<bool>& stopping) {
        CLayerHistory::SliceHook hook;
        {
            std::lock_guard lock(m_hookMutex);
            hook = m_sliceHook;
        }
        if (hook) {
            hook(stopping);
        }
    }

private:
    void Run() {
        // Below normal priority, as the editing comes first; the bands of an entry go to the
        // pool of the same priority, never to the editing's threads.
        setpriority(PRIO_PROCESS, id_t(gettid()), 10);
        CThreadPool::UseBackgroundPool();
        for (;;) {
            std::shared_ptr<CUndoEntry> entry;
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return m_bStop || !m_queue.empty(); });
                if (m_bStop) {
                    return;
                }
                entry = std::move(m_queue.front());
                m_queue.pop_front();
                m_running = entry;
            }
            GiveSpare(entry->Compress());
            std::function<void()> listener;
            {
                std::lock_guard lock(m_hookMutex);
                listener = m_listener;
            }
            {
                std::lock_guard lock(m_mutex);
                m_running.reset();
            }
            entry.reset();
            m_idle.notify_all();
            if (listener) {
                listener();
            }
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::shared_ptr<CUndoEntry>> m_queue;
    std::shared_ptr<CUndoEntry> m_running;
    bool m_bStop = false;
    std::thread m_thread;

    std::mutex m_spareMutex;
    std::vector<std::unique_ptr<Bitmap>> m_spares;

    std::mutex m_hookMutex;
    std::function<void()> m_listener;
    CLayerHistory::SliceHook m_sliceHook;
};

CCompressor& Compressor() {
    static CCompressor compressor;
    return compressor;
}

void RunSliceHook(const std::atomic<bool>& stopping) {
    Compressor().RunSliceHook(stopping);
}

std::unique_ptr<Bitmap> DecompressBitmap(const CompressedBitmap& c) {
    if (c.pixelFormat != Bitmap::kPixelFormat32bppARGB) {
        return nullptr;
    }
    auto bitmap = Compressor().TakeSpare(c.width, c.height);
    if (!bitmap) {
        bitmap = Bitmap::Create(c.width, c.height);
    }
    if (!bitmap || bitmap->ByteCount() != c.rawSize) {
        return nullptr;
    }
    std::atomic<bool> failed{false};
    ParallelBands(
        int(c.bands.size()), c.rawSize / int64_t(c.bands.size()),
        [&](int first, int last) {
            for (int b = first; b < last; ++b) {
                const CompressedBand& band = c.bands[size_t(b)];
                auto* rows = reinterpret_cast<uint8_t*>(bitmap->Row(band.firstRow));
                const DWORD raw = DWORD(int64_t(band.rows) * bitmap->Stride());
                if (FreeImage_ZLibUncompress(rows, raw, band.data.get(), DWORD(band.size)) != raw) {
                    failed = true;
                    continue;
                }
                for (int y = 0; y < band.rows; ++y) {
                    UnfilterRow(rows + int64_t(y) * bitmap->Stride(), bitmap->Width());
                }
            }
        },
        1);
    if (failed) {
        return nullptr;
    }
    return bitmap;
}

}  // namespace

std::unique_ptr<Bitmap> CUndoEntry::Compress() {
    {
        std::lock_guard lock(m_mutex);
        if (m_state != State::Raw || m_bAbandoned || m_bKeepRaw) {
            return nullptr;
        }
        m_state = State::Compressing;
    }
    // While Compressing, the bitmaps are read here and left alone by everyone else.
    std::optional<CompressedBitmap> layer, fragment;
    layer = CompressBitmap(*m_item.m_pBitmap, m_bAbandoned);
    bool ok = layer.has_value();
    if (ok && m_item.m_pFragment) {
        fragment = CompressBitmap(*m_item.m_pFragment, m_bAbandoned);
        ok = fragment.has_value();
    }
    std::unique_ptr<Bitmap> spare, fragmentPixels;
    {
        std::lock_guard lock(m_mutex);
        if (ok && !m_bAbandoned) {
            m_layer = std::move(*layer);
            m_fragment = std::move(fragment);
            spare = std::move(m_item.m_pBitmap);
            fragmentPixels = std::move(m_item.m_pFragment);
            m_state = State::Compressed;
        } else {
            m_bKeepRaw = !m_bAbandoned;
            m_state = State::Raw;
        }
    }
    m_changed.notify_all();
    return spare;
}

std::optional<CUndoItem> CUndoEntry::Take() {
    std::unique_lock lock(m_mutex);
    if (m_state == State::Compressing) {
        m_bAbandoned = true;
        m_changed.wait(lock, [this] { return m_state != State::Compressing; });
    }
    if (m_state == State::Raw) {
        m_bAbandoned = true;
        m_state = State::Gone;
        return std::move(m_item);
    }
    if (m_state != State::Compressed) {
        return std::nullopt;
    }
    CUndoItem item = CopyOfTheRest();
    item.m_pBitmap = DecompressBitmap(m_layer);
    if (!item.m_pBitmap) {
        return std::nullopt;
    }
    if (m_fragment) {
        item.m_pFragment = DecompressBitmap(*m_fragment);
        if (!item.m_pFragment) {
            Compressor().GiveSpare(std::move(item.m_pBitmap));
            return std::nullopt;
        }
    }
    m_state = State::Gone;
    m_layer = CompressedBitmap();
    m_fragment.reset();
    return item;
}

// --- Histories ----------------------------------------------------------------------------

std::unique_ptr<Bitmap> CopyForHistory(const Bitmap& bitmap) {
    auto copy = Compressor().TakeSpare(bitmap.Width(), bitmap.Height());
    if (!copy) {
        copy = Bitmap::Create(bitmap.Width(), bitmap.Height());
        if (!copy) {
            return nullptr;
        }
    }
    const int stride = bitmap.Stride();
    ParallelBands(bitmap.Height(), stride, [&](int first, int last) {
        std::memcpy(copy->Row(first), bitmap.Row(first), size_t(last - first) * size_t(stride));
    });
    return copy;
}

CLayerHistory::CLayerHistory() : m_nId(g_nextHistoryId++) {}

CLayerHistory::~CLayerHistory() {
    Clear();
}

void CLayerHistory::AppendUndo(CUndoItem item, int limit) {
    auto entry = std::make_shared<CUndoEntry>(std::move(item));
    m_arrUndo.push_back(entry);
    Compressor().Queue(std::move(entry));
    while (!m_arrUndo.empty() && int64_t(m_arrUndo.size()) > int64_t(limit)) {
        m_arrUndo.front()->Abandon();
        m_arrUndo.pop_front();
    }
}

void CLayerHistory::AppendRedo(CUndoItem item) {
    auto entry = std::make_shared<CUndoEntry>(std::move(item));
    m_arrRedo.push_back(entry);
    Compressor().Queue(std::move(entry));
}

std::optional<CUndoItem> CLayerHistory::Take(std::deque<std::shared_ptr<CUndoEntry>>& list) {
    if (list.empty()) {
        return std::nullopt;
    }
    std::optional<CUndoItem> item = list.back()->Take();
    if (item) {
        list.pop_back();
    }
    return item;
}

std::optional<CUndoItem> CLayerHistory::TakeUndo() {
    return Take(m_arrUndo);
}

std::optional<CUndoItem> CLayerHistory::TakeRedo() {
    return Take(m_arrRedo);
}

void CLayerHistory::Drop(std::deque<std::shared_ptr<CUndoEntry>>& list) {
    for (auto& entry : list) {
        entry->Abandon();
    }
    list.clear();
}

void CLayerHistory::ClearRedo() {
    Drop(m_arrRedo);
}

void CLayerHistory::Clear() {
    Drop(m_arrUndo);
    Drop(m_arrRedo);
}

int64_t CLayerHistory::StoredBytes() const {
    int64_t total = 0;
    for (const auto* list : {&m_arrUndo, &m_arrRedo}) {
        for (const auto& entry : *list) {
            total += entry->StoredBytes();
        }
    }
    return total;
}

int CLayerHistory::CompressedCount() const {
    int count = 0;
    for (const auto* list : {&m_arrUndo, &m_arrRedo}) {
        for (const auto& entry : *list) {
            count += entry->IsCompressed() ? 1 : 0;
        }
    }
    return count;
}

bool CLayerHistory::IsCompressing() {
    return Compressor().Busy();
}

void CLayerHistory::WaitForCompression() {
    Compressor().WaitUntilIdle();
}

void CLayerHistory::SetCompressionEndedListener(std::function<void()> listener) {
    Compressor().SetListener(std::move(listener));
}

void CLayerHistory::SetCompressionSliceHook(SliceHook hook) {
    Compressor().SetSliceHook(std::move(hook));
}
