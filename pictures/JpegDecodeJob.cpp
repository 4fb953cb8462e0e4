// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegDecodeJob.h"

#include "ExifOrientation.h"
#include "JpegGraphic.h"

#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <mutex>

namespace {

// Threads of their own, at the ordinary priority: a lower one would starve
// on a busy machine while a print waits for them. At exit the pool waits
// for what it still decodes.
QThreadPool &DecodePool()
{
    static QThreadPool pool;
    static const bool once = [] {
        pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        return true;
    }();
    Q_UNUSED(once);
    return pool;
}

class TJpegDecodeWork final : public TJpegDecodeJob,
                              public std::enable_shared_from_this<TJpegDecodeWork>
{
public:
    TJpegDecodeWork(QByteArray data, QImage bitmap, int orientation, bool halves)
        : m_data(std::move(data)), m_bitmap(std::move(bitmap)), m_orientation(orientation),
          m_halves(halves),
          // Written through this pointer only: no one may detach the
          // bitmap's shared pixels while they are decoded.
          m_bits(const_cast<uchar *>(m_bitmap.constBits()))
    {
    }

    void Start() override
    {
        m_running = true;
        auto self = shared_from_this();
        DecodePool().start([self] { self->Run(); });
    }

    bool IsWhole() const override { return m_whole.load(std::memory_order_acquire); }

    void Wait() override
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_done.wait(lock, [this] { return !m_running; });
        if (m_whole.load(std::memory_order_relaxed))
            return;
        m_running = true;
        m_stop = false;
        lock.unlock();
        Run(); // stopped earlier: finished here
    }

    void Stop() override { m_stop = true; }

    bool WaitFor(int milliseconds) override
    {
        Resume();
        std::unique_lock<std::mutex> lock(m_mutex);
        m_done.wait_for(lock, std::chrono::milliseconds(milliseconds),
                        [this] { return !m_running; });
        return m_whole.load(std::memory_order_relaxed);
    }

    void SetReduced(const QImage &reduced) override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reduced = reduced;
    }

    void Resume() override
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = false;
        if (!m_whole.load(std::memory_order_relaxed) && !m_running)
            Start();
    }

private:
    void Run()
    {
        for (;;) {
            const bool whole = DecodeOnce();
            std::lock_guard<std::mutex> lock(m_mutex);
            if (whole || m_stop) {
                m_whole.store(whole, std::memory_order_release);
                m_running = false;
                m_done.notify_all();
                return;
            }
            // Resumed while it stopped: it goes on.
        }
    }

    // False when stopped. A picture that decoded small decodes whole; should
    // it fail all the same, its smaller copy enlarged stands in, never
    // memory that was not written.
    bool DecodeOnce()
    {
        try {
            TJpegLimits limits;
            limits.Stop = &m_stop;
            if (m_orientation == 1) {
                limits.Into = m_bits;
                limits.IntoSize = m_bitmap.size();
                limits.IntoBytesPerLine = m_bitmap.bytesPerLine();
                DecodeInHalves(limits);
            } else {
                CopyRows(Upright(DecodeJpeg(m_data, limits), m_orientation));
            }
            return true;
        } catch (...) {
            if (m_stop)
                return false;
            QImage reduced;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                reduced = m_reduced;
            }
            if (reduced.isNull()) { // white, as an empty area
                std::memset(m_bits, 0xFF, size_t(m_bitmap.sizeInBytes()));
                return true;
            }
            CopyRows(reduced.scaled(m_bitmap.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(m_bitmap.format()));
            return true;
        }
    }

    // The picture's lower half, by whichever thread takes it first: a
    // second one once the small copy is shown (ShareTheWork), or the worker
    // itself once it is done with the upper half. It skips the upper rows
    // (reading, not producing them), so that on two cores both halves end
    // about when one whole decode would.
    void DecodeInHalves(TJpegLimits limits)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_lower.State == TLower::Done)
                m_lower = TLower{}; // a stopped decode begun again
        }
        limits.ToRow = Middle();
        std::exception_ptr upperError;
        try {
            DecodeJpeg(m_data, limits);
        } catch (...) {
            upperError = std::current_exception();
        }
        std::unique_lock<std::mutex> lock(m_mutex);
        m_lowerDone.wait(lock, [this] { return m_lower.State != TLower::Running; });
        if (m_lower.State == TLower::Free) {
            m_lower.State = TLower::Running;
            lock.unlock();
            DecodeLower();
            lock.lock();
        }
        if (upperError)
            std::rethrow_exception(upperError);
        if (m_lower.Error)
            std::rethrow_exception(m_lower.Error);
    }

    int Middle() const { return m_halves ? m_bitmap.height() / 2 / 16 * 16 : m_bitmap.height(); }

    void DecodeLower()
    {
        std::exception_ptr error;
        try {
            TJpegLimits lower;
            lower.Stop = &m_stop;
            lower.Into = m_bits;
            lower.IntoSize = m_bitmap.size();
            lower.IntoBytesPerLine = m_bitmap.bytesPerLine();
            lower.FromRow = Middle();
            if (lower.FromRow < m_bitmap.height())
                DecodeJpeg(m_data, lower);
        } catch (...) {
            error = std::current_exception();
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        m_lower.State = TLower::Done;
        m_lower.Error = error;
        m_lowerDone.notify_all();
    }

public:
    void ShareTheWork() override
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_halves || !m_running || m_lower.State != TLower::Free)
                return;
            m_lower.State = TLower::Running;
        }
        auto self = shared_from_this();
        if (!DecodePool().tryStart([self] { self->DecodeLower(); })) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_lower.State = TLower::Free; // the worker does it
            m_lowerDone.notify_all();
        }
    }

private:
    void CopyRows(const QImage &from)
    {
        const qsizetype bytes = std::min(from.bytesPerLine(), m_bitmap.bytesPerLine());
        for (int y = 0; y < std::min(from.height(), m_bitmap.height()); ++y)
            std::memcpy(m_bits + qsizetype(y) * m_bitmap.bytesPerLine(), from.constScanLine(y),
                        size_t(bytes));
    }

    const QByteArray m_data;
    const QImage m_bitmap;
    QImage m_reduced; // guarded by m_mutex
    const int m_orientation;
    const bool m_halves;
    uchar *const m_bits;
    struct TLower
    {
        enum { Free, Running, Done } State = Free;
        std::exception_ptr Error;
    } m_lower; // guarded by m_mutex
    std::condition_variable m_lowerDone;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_whole{false};
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_running = false; // guarded by m_mutex
};

} // namespace

std::shared_ptr<TJpegDecodeJob> TJpegDecodeJob::Make(QByteArray data, QImage bitmap,
                                                     int orientation, bool halves)
{
    return std::make_shared<TJpegDecodeWork>(std::move(data), std::move(bitmap), orientation,
                                             halves);
}
