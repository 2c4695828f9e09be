// A straightforward transcription of the equalizer's arithmetic, one frame and one band at a time,
// against which the optimised Equalizer is compared bit for bit. Built with -ffp-contract=off
// like the equalizer itself.
#pragma once

#include <cmath>

namespace ref {

struct Band {
    bool kill = false;
    float p1 = 1.0f;
    float s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    float p6 = 0, p7 = 0, p8 = 0, p9 = 0;
    float frequency = 0, boost = 0, bandwidth = 0;
};

struct Equalizer {
    Band bands[10];
    int count = 0;
    float rate = 44100.0f;
    bool enabled = false;

    // Band design, steps 1 to 5: double precision, with e, d and a rounded to floats and every
    // coefficient stored as a float.
    void Design(int k) {
        Band& b = bands[k];
        const double pi2 = 6.28318530718;
        float G = b.boost;
        if (b.kill)
            G = 0.05f;
        float e = (float)((double)G - 1.0);
        double t = std::tan((double)b.frequency * (double)b.bandwidth * pi2 / (2.0 * (double)rate));
        float d = (float)(-std::cos((double)b.frequency * pi2 / (double)rate));
        float a;
        if (G <= 1)
            a = (float)((t - (double)G) / (t + (double)G));
        else
            a = (float)((t - 1.0) / (t + 1.0));
        b.p1 = (float)(1.0 + ((double)a + 1.0) * (double)e * 0.5);
        b.p6 = (float)((1.0 - (double)a) * -(double)d);
        b.p7 = a;
        b.p8 = (float)((1.0 - (double)a) * (double)d);
        b.p9 = (float)(-(double)a - ((double)a + 1.0) * (double)e * 0.5);
    }

    void Set(int k, float f, float boost, float bw) {
        bands[k].frequency = f;
        bands[k].boost = boost;
        bands[k].bandwidth = bw;
        Design(k);
    }
    void SetBoost(int k, float boost) {
        bands[k].boost = boost;
        Design(k);
    }
    void SetKill(int k, bool on) {
        bands[k].kill = on;
        Design(k);
    }
    void SetRate(float r) {
        rate = r;
        for (int k = 0; k < count; ++k)
            Design(k);
    }

    static short Store(float v) {
        if (v != v)
            return 0; // our choice for a NaN, which the design does not consider
        if (v < -32768.0f)
            v = -32768.0f;
        if (v > 32767.0f)
            v = 32767.0f;
        return (short)(int)v;
    }

    // tickVectorStereo, steps 1 to 5. An odd n: the last frame's right input is 0 and only its
    // left output is stored.
    void Tick(const short* in, short* out, unsigned long n) {
        if (!enabled || n == 0)
            return;
        for (unsigned long i = 0; i < (n + 1) / 2; ++i) {
            const bool hasRight = 2 * i + 1 < n;
            float L = in[2 * i];
            float R = hasRight ? in[2 * i + 1] : 0.0f;
            for (int k = 0; k < count; ++k) {
                Band& b = bands[k];
                if (b.boost == 1.0f && !b.kill) {
                    b.s1 = b.s0;
                    b.s0 = L;
                    b.s3 = b.s2;
                    b.s2 = R;
                    continue;
                }
                float w = L + b.p6 * b.s0 + b.p7 * b.s1;
                float Lo = b.p1 * w + b.p8 * b.s0 + b.p9 * b.s1;
                float v = R + b.p6 * b.s2 + b.p7 * b.s3;
                float Ro = b.p1 * v + b.p8 * b.s2 + b.p9 * b.s3;
                b.s1 = b.s0;
                b.s0 = w;
                b.s3 = b.s2;
                b.s2 = v;
                L = Lo;
                R = Ro;
            }
            out[2 * i] = Store(L);
            if (hasRight)
                out[2 * i + 1] = Store(R);
        }
    }
};

} // namespace ref
