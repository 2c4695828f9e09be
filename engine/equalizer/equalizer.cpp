// The deck equalizer. Built with -ffp-contract=off (see CMakeLists.txt): every
// multiplication and addition below is rounded on its own, in the order the design states, so the
// audio is bit-exact to the defined arithmetic.
#include "engine/equalizer/equalizer.h"

#include "engine/equalizer/equalizer_kernel.h"

#include <atomic>
#include <cctype>
#include <climits>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <locale.h>
#include <ostream>

namespace {

// The constant the design uses for 2 pi throughout.
constexpr double kTwoPi = 6.28318530718;
// The gain of a killed band at its centre frequency.
constexpr float kKillGain = 0.05f;
// Lines of the text block are read up to this many characters.
constexpr int kLineChars = 255;

static_assert(std::atomic_ref<float>::is_always_lock_free);
static_assert(std::atomic_ref<int>::is_always_lock_free);
static_assert(std::atomic_ref<bool>::is_always_lock_free);

// Relaxed single-word accesses to the values the heartbeat and the user interface share.
template <class T> T Get(const T& value) {
    return std::atomic_ref<T>(const_cast<T&>(value)).load(std::memory_order_relaxed);
}
template <class T> void Put(T& value, T x) {
    std::atomic_ref<T>(value).store(x, std::memory_order_relaxed);
}

bool ValidBand(int band) {
    return band >= 0 && band < Equalizer::kMaxBands;
}

// Formats and parses numbers in the "C" locale whatever the program's locale is, so that ".eq"
// files always use a decimal point. The scope changes the calling thread's locale only.
class CNumericScope {
public:
    CNumericScope() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        m_previous = c ? uselocale(c) : static_cast<locale_t>(nullptr);
    }
    ~CNumericScope() {
        if (m_previous)
            uselocale(m_previous);
    }
    CNumericScope(const CNumericScope&) = delete;
    CNumericScope& operator=(const CNumericScope&) = delete;

private:
    locale_t m_previous;
};

bool IsLineEnd(int c) {
    return c == '\n' || c == '\r';
}

// Reads one line of at most kLineChars characters into buffer (istream::getline semantics: a
// longer line leaves the stream failed) and drops a trailing carriage return, so that files
// written on Windows read the same.
void ReadLine(std::istream& in, char (&buffer)[kLineChars + 1]) {
    buffer[0] = '\0';
    in.getline(buffer, sizeof buffer);
    const size_t length = std::strlen(buffer);
    if (length > 0 && buffer[length - 1] == '\r')
        buffer[length - 1] = '\0';
}

// The count line, as "=%d" reads it: "=", optional white space, an optional sign and decimal
// digits. Anything else gives 0. A number beyond the range of int is taken as INT_MAX or INT_MIN
// (so a huge count is refused and a huge negative one counts as negative), where sscanf would
// leave the result undefined.
int ParseCount(const char* line) {
    if (line[0] != '=')
        return 0;
    char* end = nullptr;
    const long value = std::strtol(line + 1, &end, 10);
    if (end == line + 1)
        return 0;
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

// Skips white space, as a space in a scanf format does.
const char* SkipSpace(const char* p) {
    while (std::isspace(static_cast<unsigned char>(*p)))
        ++p;
    return p;
}

// A band line, as "%f, %f, %f, %d" reads it into frequency, bandwidth, boost and kill: each
// field in turn, stopping at the first that does not parse or at a missing ","; the fields not
// reached keep their values. Numbers parse as strtof (in the "C" locale, see CNumericScope) and
// strtol read them; any non-zero kill value kills, however large.
void ParseBandLine(const char* line, float& frequency, float& bandwidth, float& boost, bool& kill) {
    float* floats[3] = {&frequency, &bandwidth, &boost};
    const char* p = line;
    for (float* field : floats) {
        char* end = nullptr;
        const float value = std::strtof(p, &end); // skips leading white space itself
        if (end == p)
            return;
        *field = value;
        p = end;
        if (*p != ',')
            return;
        p = SkipSpace(p + 1);
    }
    char* end = nullptr;
    const long value = std::strtol(p, &end, 10);
    if (end == p)
        return;
    kill = value != 0;
}

} // namespace

Equalizer::Equalizer() : m_numBands(0), m_sampleRate(44100.0f), m_enabled(false) {
    for (Band& b : m_bands) {
        b.kill = false;
        b.p1 = 1.0f;
        b.s0 = b.s1 = b.s2 = b.s3 = 0.0f;
        b.p6 = b.p7 = b.p8 = b.p9 = 0.0f;
        b.frequency = 0.0f;
        b.boost = 0.0f;
        b.bandwidth = 0.0f;
    }
}

void Equalizer::SetEnable(bool on) {
    Put(m_enabled, on);
}
bool Equalizer::GetEnable() const {
    return Get(m_enabled);
}

void Equalizer::SetNumBands(int count) {
    if (count < 0)
        count = 0;
    if (count > kMaxBands)
        count = kMaxBands;
    Put(m_numBands, count);
}
int Equalizer::GetNumBands() const {
    return Get(m_numBands);
}

void Equalizer::setSR(float rate) {
    m_sampleRate = rate;
    const int count = Get(m_numBands);
    for (int band = 0; band < count; ++band)
        Design(band);
}

// Band design, in double precision with the roundings to float that the design states.
void Equalizer::Design(int band) {
    Band& b = m_bands[band];
    const float gain = Get(b.kill) ? kKillGain : Get(b.boost);
    const double G = gain;
    const float e = static_cast<float>(G - 1.0);
    const double R = m_sampleRate;
    const double f = b.frequency;
    const double bw = b.bandwidth;
    const double t = std::tan(f * bw * kTwoPi / (2.0 * R));
    const float d = static_cast<float>(-std::cos(f * kTwoPi / R));
    float a;
    if (G <= 1.0)
        a = static_cast<float>((t - G) / (t + G));
    else
        a = static_cast<float>((t - 1.0) / (t + 1.0));
    const double A = a;
    const double E = e;
    const double D = d;
    Put(b.p1, static_cast<float>(1.0 + (A + 1.0) * E * 0.5));
    Put(b.p6, static_cast<float>((1.0 - A) * -D));
    Put(b.p7, a);
    Put(b.p8, static_cast<float>((1.0 - A) * D));
    Put(b.p9, static_cast<float>(-A - (A + 1.0) * E * 0.5));
}

void Equalizer::setFreq(int band, float frequency) {
    if (!ValidBand(band))
        return;
    m_bands[band].frequency = frequency;
    Design(band);
}

void Equalizer::setBoost(int band, float boost) {
    if (!ValidBand(band))
        return;
    Put(m_bands[band].boost, boost);
    Design(band);
}

void Equalizer::setBandwidth(int band, float bandwidth) {
    if (!ValidBand(band))
        return;
    m_bands[band].bandwidth = bandwidth;
    Design(band);
}

void Equalizer::setFreqBoostAndBandWidth(int band, float frequency, float boost, float bandwidth) {
    if (!ValidBand(band))
        return;
    Band& b = m_bands[band];
    b.frequency = frequency;
    Put(b.boost, boost);
    b.bandwidth = bandwidth;
    Design(band);
}

float Equalizer::returnFreq(int band) const {
    return ValidBand(band) ? m_bands[band].frequency : 0.0f;
}
float Equalizer::returnBoost(int band) const {
    return ValidBand(band) ? Get(m_bands[band].boost) : 0.0f;
}
float Equalizer::returnBandwidth(int band) const {
    return ValidBand(band) ? m_bands[band].bandwidth : 0.0f;
}

void Equalizer::SetKillFreq(int band, bool on) {
    if (!ValidBand(band))
        return;
    Put(m_bands[band].kill, on);
    Design(band);
}

bool Equalizer::GetKillFreq(int band) const {
    return ValidBand(band) && Get(m_bands[band].kill);
}

void Equalizer::clear(int band) {
    if (!ValidBand(band))
        return;
    Band& b = m_bands[band];
    Put(b.s0, 0.0f);
    Put(b.s1, 0.0f);
    Put(b.s2, 0.0f);
    Put(b.s3, 0.0f);
}

float Equalizer::returnFreqResponse(int band, float frequency) const {
    if (!ValidBand(band))
        return 0.0f;
    const Band& b = m_bands[band];
    if (Get(b.boost) == 1.0f && !Get(b.kill))
        return 1.0f;
    const double w = frequency * kTwoPi / m_sampleRate;
    const double C1 = static_cast<float>(std::cos(w));
    const double C2 = static_cast<float>(std::cos(2.0 * w));
    const double S1 = static_cast<float>(std::sin(w));
    const double S2 = static_cast<float>(std::sin(2.0 * w));
    const double p1 = Get(b.p1), p6 = Get(b.p6), p7 = Get(b.p7), p8 = Get(b.p8), p9 = Get(b.p9);
    const double nr = C1 * p8 + C2 * p1 + p9;
    const double ni = S1 * p8 + S2 * p1;
    const double dr = C2 - C1 * p6 - p7;
    const double di = S2 - S1 * p6;
    const double N = nr * nr + ni * ni;
    const double D = dr * dr + di * di;
    return static_cast<float>(std::pow(N / D, 0.5));
}

short* Equalizer::tickVectorStereo(short* input, short* output, unsigned long count) {
    if (!Get(m_enabled) || count == 0)
        return output;
    int numBands = Get(m_numBands);
    if (numBands < 0)
        numBands = 0;
    if (numBands > kMaxBands)
        numBands = kMaxBands;

    // One snapshot of the settings for the whole call.
    zem_eq::BandSnapshot bands[kMaxBands];
    for (int k = 0; k < numBands; ++k) {
        const Band& b = m_bands[k];
        zem_eq::BandSnapshot& s = bands[k];
        s.passThrough = Get(b.boost) == 1.0f && !Get(b.kill);
        s.p1 = Get(b.p1);
        s.p6 = Get(b.p6);
        s.p7 = Get(b.p7);
        s.p8 = Get(b.p8);
        s.p9 = Get(b.p9);
        s.s0 = Get(b.s0);
        s.s1 = Get(b.s1);
        s.s2 = Get(b.s2);
        s.s3 = Get(b.s3);
    }

    zem_eq::Filter(bands, numBands, input, output, count);

    for (int k = 0; k < numBands; ++k) {
        Band& b = m_bands[k];
        const zem_eq::BandSnapshot& s = bands[k];
        Put(b.s0, s.s0);
        Put(b.s1, s.s1);
        Put(b.s2, s.s2);
        Put(b.s3, s.s3);
    }
    return output;
}

bool Equalizer::ReadEqualizer(std::istream& in) {
    CNumericScope cLocale;
    char line[kLineChars + 1];

    // Empty lines before the block are skipped.
    while (in.good() && IsLineEnd(in.peek()))
        ReadLine(in, line);

    int count = 0;
    if (in.good() && in.peek() == '=') {
        ReadLine(in, line);
        count = ParseCount(line);
    }
    if (count > kMaxBands)
        return false;
    if (count == 0) {
        in.get();
        return false;
    }
    if (count < 0)
        return true;

    SetNumBands(count);
    for (int band = 0; band < count && in.good(); ++band) {
        ReadLine(in, line);
        Band& b = m_bands[band];
        float frequency = b.frequency;
        float bandwidth = b.bandwidth;
        float boost = Get(b.boost);
        bool kill = Get(b.kill);
        ParseBandLine(line, frequency, bandwidth, boost, kill);
        setFreqBoostAndBandWidth(band, frequency, boost, bandwidth);
        SetKillFreq(band, kill);
    }
    return true;
}

bool Equalizer::ReadEqualizer(std::istream* in) {
    return in ? ReadEqualizer(*in) : false;
}

bool Equalizer::WriteEqualizer(std::ostream& out) const {
    CNumericScope cLocale;
    const int count = Get(m_numBands);
    char line[512];
    std::snprintf(line, sizeof line, "=%d\n", count);
    out << line;
    for (int band = 0; band < count; ++band) {
        const Band& b = m_bands[band];
        // "%f" of a float near its largest value needs 46 characters; four fields fit.
        std::snprintf(line, sizeof line, "%f, %f, %f, %d\n", static_cast<double>(b.frequency),
                      static_cast<double>(b.bandwidth), static_cast<double>(Get(b.boost)),
                      Get(b.kill) ? 1 : 0);
        out << line;
    }
    return true;
}

std::istream& operator>>(std::istream& in, Equalizer& eq) {
    eq.ReadEqualizer(in);
    return in;
}

std::ostream& operator<<(std::ostream& out, const Equalizer& eq) {
    eq.WriteEqualizer(out);
    return out;
}
