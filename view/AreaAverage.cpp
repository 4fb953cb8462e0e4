// SPDX-License-Identifier: GPL-3.0-or-later
#include "AreaAverage.h"

#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <algorithm>
#include <cstdint>
#include <vector>

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define VELMORA_AREA_AVERAGE_SSE2 1
#endif
#if defined(VELMORA_AREA_AVERAGE_SSE2) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace {

// Weights are in 256ths: a column of 16-bit sums then holds at most
// 255 x 256, and halved it fits the signed products of the horizontal pass.
constexpr int WeightOne = 256;
constexpr int MaxTaps = 5; // a reduction of up to 4 starts anywhere in a pixel

// For each new pixel, the first old pixel it covers and a fixed number of
// weights (zero where it covers less), so that the inner loops have a
// constant length and never read beyond the row.
struct TTaps
{
    int Count = 0;
    std::vector<int> First;
    std::vector<int16_t> Weights;
};

TTaps MakeTaps(int from, int to)
{
    // Old pixel x spans [x * to, (x + 1) * to), new pixel j spans
    // [j * from, (j + 1) * from), both in whole units.
    const int64_t f = from, t = to;
    TTaps taps;
    for (int j = 0; j < to; ++j) {
        const int64_t a = j * f, b = (j + 1) * f;
        taps.Count = std::max(taps.Count, int((b + t - 1) / t - a / t));
    }
    taps.First.reserve(size_t(to));
    taps.Weights.reserve(size_t(to) * size_t(taps.Count));
    std::vector<int> w(size_t(taps.Count));
    for (int j = 0; j < to; ++j) {
        const int64_t a = j * f, b = (j + 1) * f;
        const int first = std::min(int(a / t), from - taps.Count);
        std::fill(w.begin(), w.end(), 0);
        int sum = 0;
        size_t largest = 0;
        for (size_t k = 0; k < w.size(); ++k) {
            const int64_t x = first + int64_t(k);
            const int64_t covered = std::min(b, (x + 1) * t) - std::max(a, x * t);
            if (covered <= 0)
                continue;
            w[k] = int((covered * WeightOne * 2 + f) / (2 * f));
            sum += w[k];
            if (w[k] > w[largest])
                largest = k;
        }
        // Rounding must not brighten or darken: the weights add up to one.
        w[largest] += WeightOne - sum;
        taps.First.push_back(first);
        for (const int v : w)
            taps.Weights.push_back(int16_t(v));
    }
    return taps;
}

void AddRowPortable(uint16_t *sums, const uint8_t *row, int n, uint16_t weight)
{
    for (int k = 0; k < n; ++k)
        sums[k] = uint16_t(sums[k] + weight * row[k]);
}

template <int N>
void ReduceRowPortable(const uint16_t *sums, uint8_t *out, int width, const TTaps &taps)
{
    for (int j = 0; j < width; ++j) {
        const uint16_t *s = sums + 4 * taps.First[size_t(j)];
        const int16_t *w = taps.Weights.data() + size_t(N) * size_t(j);
        for (int c = 0; c < 4; ++c) {
            int32_t total = 1 << 14;
            for (int x = 0; x < N; ++x)
                total += int32_t(w[x]) * int32_t(s[4 * x + c] >> 1);
            out[4 * j + c] = uint8_t(total >> 15);
        }
    }
}

#ifdef VELMORA_AREA_AVERAGE_SSE2
// Where code before us left the upper halves of the AVX registers in use
// (seen under virtual machines, after other libraries' AVX-512 copies), every
// SSE instruction pays for a state transition and these loops run four times
// slower. Clearing that state once per band is all it takes.
#if defined(__GNUC__)
__attribute__((target("avx"))) void ClearUpperVectorState()
{
    _mm256_zeroupper();
}
void PrepareVectorState()
{
    if (__builtin_cpu_supports("avx"))
        ClearUpperVectorState();
}
#else
void PrepareVectorState() {}
#endif

void AddRowSse2(uint16_t *sums, const uint8_t *row, int n, uint16_t weight)
{
    const __m128i w = _mm_set1_epi16(int16_t(weight));
    const __m128i zero = _mm_setzero_si128();
    int k = 0;
    for (; k + 16 <= n; k += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(row + k));
        auto *s = reinterpret_cast<__m128i *>(sums + k);
        _mm_storeu_si128(s, _mm_add_epi16(_mm_loadu_si128(s),
                                          _mm_mullo_epi16(_mm_unpacklo_epi8(bytes, zero), w)));
        _mm_storeu_si128(s + 1, _mm_add_epi16(_mm_loadu_si128(s + 1),
                                              _mm_mullo_epi16(_mm_unpackhi_epi8(bytes, zero), w)));
    }
    AddRowPortable(sums + k, row + k, n - k, weight);
}

// Two old pixels at a time: their channels interleaved against the two
// weights, so one multiply-add gives both contributions to each channel.
template <int N>
void ReduceRowSse2(const uint16_t *sums, uint8_t *out, int width, const TTaps &taps)
{
    const __m128i half = _mm_set1_epi32(1 << 14);
    for (int j = 0; j < width; ++j) {
        const uint16_t *s = sums + 4 * taps.First[size_t(j)];
        const int16_t *w = taps.Weights.data() + size_t(N) * size_t(j);
        __m128i total = half;
        int x = 0;
        for (; x + 1 < N; x += 2) {
            const __m128i two =
                _mm_srli_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i *>(s + 4 * x)), 1);
            const __m128i pairs = _mm_unpacklo_epi16(two, _mm_srli_si128(two, 8));
            const __m128i weights =
                _mm_set1_epi32(int32_t(uint16_t(w[x])) | (int32_t(uint16_t(w[x + 1])) << 16));
            total = _mm_add_epi32(total, _mm_madd_epi16(pairs, weights));
        }
        if (x < N) {
            const __m128i one =
                _mm_srli_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i *>(s + 4 * x)), 1);
            total =
                _mm_add_epi32(total, _mm_madd_epi16(_mm_unpacklo_epi16(one, _mm_setzero_si128()),
                                                    _mm_set1_epi32(w[x])));
        }
        total = _mm_srli_epi32(total, 15);
        const __m128i packed = _mm_packus_epi16(_mm_packs_epi32(total, total), total);
        const int32_t pixel = _mm_cvtsi128_si32(packed);
        std::copy_n(reinterpret_cast<const uint8_t *>(&pixel), 4, out + 4 * j);
    }
}
#endif

using TAddRow = void (*)(uint16_t *, const uint8_t *, int, uint16_t);
using TReduceRow = void (*)(const uint16_t *, uint8_t *, int, const TTaps &);

template <int N> TReduceRow ReduceRowFor(bool portable)
{
#ifdef VELMORA_AREA_AVERAGE_SSE2
    if (!portable)
        return ReduceRowSse2<N>;
#endif
    (void)portable;
    return ReduceRowPortable<N>;
}

TReduceRow ReduceRowFor(int taps, bool portable)
{
    switch (taps) {
    case 1:
        return ReduceRowFor<1>(portable);
    case 2:
        return ReduceRowFor<2>(portable);
    case 3:
        return ReduceRowFor<3>(portable);
    case 4:
        return ReduceRowFor<4>(portable);
    default:
        return ReduceRowFor<5>(portable);
    }
}

struct TReduction
{
    const QImage &Picture;
    uchar *Into;
    qsizetype IntoBytesPerLine;
    int IntoWidth;
    TTaps Across, Down;
    TAddRow AddRow;
    TReduceRow ReduceRow;
    void (*Prepare)() = nullptr;

    void Rows(int from, int to) const
    {
        if (Prepare)
            Prepare();
        const int n = Picture.width() * 4;
        std::vector<uint16_t> sums(static_cast<size_t>(n));
        for (int i = from; i < to; ++i) {
            std::fill(sums.begin(), sums.end(), uint16_t(0));
            const int16_t *w = Down.Weights.data() + size_t(Down.Count) * size_t(i);
            for (int r = 0; r < Down.Count; ++r)
                if (w[r] != 0)
                    AddRow(sums.data(), Picture.constScanLine(Down.First[size_t(i)] + r), n,
                           uint16_t(w[r]));
            ReduceRow(sums.data(), Into + IntoBytesPerLine * i, IntoWidth, Across);
        }
    }
};

} // namespace

bool CanAreaAverage(const QImage &picture, QSize size)
{
    const QImage::Format f = picture.format();
    return (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32_Premultiplied) &&
           !size.isEmpty() && size.width() <= picture.width() &&
           size.height() <= picture.height() && size.width() * 4 >= picture.width() &&
           size.height() * 4 >= picture.height();
}

void AreaAverage(const QImage &picture, QImage &into, TAreaAverageCode code)
{
    Q_ASSERT(CanAreaAverage(picture, into.size()) && into.format() == picture.format());
    const bool portable = code == TAreaAverageCode::Portable;
    const QSize size = into.size();
    // bits() once: it is where a shared image would be copied.
    TReduction r{picture,
                 into.bits(),
                 into.bytesPerLine(),
                 size.width(),
                 MakeTaps(picture.width(), size.width()),
                 MakeTaps(picture.height(), size.height()),
                 AddRowPortable,
                 nullptr};
#ifdef VELMORA_AREA_AVERAGE_SSE2
    if (!portable) {
        r.AddRow = AddRowSse2;
        r.Prepare = PrepareVectorState;
    }
#endif
    r.ReduceRow = ReduceRowFor(std::min(r.Across.Count, MaxTaps), portable);

    // The lower half on a pool thread when one is free and the work is worth
    // the hand-over; the rows are independent.
    const int split = size.height() / 2;
    QSemaphore lowerDone;
    const bool shared = QThread::idealThreadCount() > 1 &&
                        qint64(picture.width()) * picture.height() >= (1 << 16) && split > 0 &&
                        QThreadPool::globalInstance()->tryStart([&] {
                            r.Rows(split, size.height());
                            lowerDone.release();
                        });
    r.Rows(0, shared ? split : size.height());
    if (shared)
        lowerDone.acquire();
}
