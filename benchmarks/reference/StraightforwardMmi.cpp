#include "StraightforwardMmi.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace straightforward {

namespace {

using u16 = std::uint16_t;
using s16 = std::int16_t;
using u32 = std::uint32_t;
using s32 = std::int32_t;

// 32-bit two's-complement arithmetic, wrapping, without signed overflow.
s32 Add(s32 a, s32 b) {
  return static_cast<s32>(static_cast<u32>(a) + static_cast<u32>(b));
}
s32 Sub(s32 a, s32 b) {
  return static_cast<s32>(static_cast<u32>(a) - static_cast<u32>(b));
}
s32 Mul(s32 a, s32 b) {
  return static_cast<s32>(static_cast<u32>(a) * static_cast<u32>(b));
}
s32 D(s32 x) {
  return x / 131072;
}
s16 S16(s32 x) {
  return static_cast<s16>(static_cast<u16>(static_cast<u32>(x)));
}

s16 Q(double v) {
  const double down = std::floor(v);
  const double q = down < 5.0 ? down : std::ceil(v);
  return S16(static_cast<s32>(static_cast<std::int64_t>(q)));
}

struct Timer {
  u16 per, t, ts3;
};

Timer MakeTimer(u32 pwmFrequency) {
  Timer k;
  k.per = static_cast<u16>(72000000u / (2u * pwmFrequency));
  k.t = static_cast<u16>(4u * k.per);
  k.ts3 = static_cast<u16>(static_cast<std::int64_t>(k.t * 1.732051));
  return k;
}

struct Times {
  int sector;
  u16 a, b, c;
};

Times PhaseTimes(s16 vAlpha, s16 vBeta, const Timer &k) {
  const s32 t = k.t;
  const s32 wX = Sub(0, Mul(vBeta, t));
  const s32 wUA = Mul(vAlpha, k.ts3);
  const s32 wY = Add(wX, wUA) / 2;
  const s32 wZ = Sub(wX, wUA) / 2;
  int sector;
  if (wY >= 0)
    sector = wZ >= 0 ? 2 : (wX > 0 ? 1 : 6);
  else
    sector = wZ < 0 ? 5 : (wX > 0 ? 3 : 4);
  Times p{sector, 0, 0, 0};
  const s32 eighth = k.t >> 3;
  if (sector == 1 || sector == 4) {
    p.a = static_cast<u16>(eighth + D(Sub(Add(t, wX), wZ) / 2));
    p.b = static_cast<u16>(p.a + D(wZ));
    p.c = static_cast<u16>(p.b - D(wX));
  } else if (sector == 2 || sector == 5) {
    p.a = static_cast<u16>(eighth + D(Sub(Add(t, wY), wZ) / 2));
    p.b = static_cast<u16>(p.a + D(wZ));
    p.c = static_cast<u16>(p.a - D(wY));
  } else {
    p.a = static_cast<u16>(eighth + D(Sub(Add(t, wY), wX) / 2));
    p.c = static_cast<u16>(p.a - D(wY));
    p.b = static_cast<u16>(p.c + D(wX));
  }
  return p;
}

struct SingleShuntRecord {
  u16 state = 0, dutyA = 0, dutyB = 0, dutyC = 0, sample1 = 0, sample2 = 0, window = 0;
};

struct SingleShunt {
  Timer k;
  u16 tsamp, tdead, tmin, htmin, tbefore, window;

  explicit SingleShunt(const SirentaParams &p) : k(MakeTimer(p.pwmFrequency)) {
    const u32 sampling = p.samplingTime & 0xFFFFu, rise = p.riseTime & 0xFFFFu;
    tsamp = static_cast<u16>(sampling * 72u / 1000u);
    const u16 trise = static_cast<u16>(rise * 72u / 1000u);
    tdead = static_cast<u16>(p.deadTime * 72u / 1000u);
    tmin = static_cast<u16>((p.deadTime + rise + sampling) * 72u / 1000u + 1u);
    htmin = static_cast<u16>(tmin >> 1);
    tbefore = static_cast<u16>(p.riseTime > p.samplingTime ? 2 * trise : 2 * tsamp);
    window = static_cast<u16>(tsamp + 1);
  }

  SingleShuntRecord Evaluate(s16 vAlpha, s16 vBeta) const {
    SingleShuntRecord r;
    r.window = window;
    Times p = PhaseTimes(vAlpha, vBeta, k);
    auto order = [](const Times &q, s32 &lo, s32 &mid, s32 &hi) {
      s32 v[3] = {S16(q.a), S16(q.b), S16(q.c)};
      std::sort(v, v + 3);
      lo = v[0];
      mid = v[1];
      hi = v[2];
    };
    s32 lo, mid, hi;
    order(p, lo, mid, hi);
    const s32 d1 = S16(hi - mid), d2 = S16(mid - lo);
    if (d1 > tmin && d2 > tmin) {
      r.sample1 =
          static_cast<u16>(mid - tdead - lo > tbefore ? (tdead + lo + mid) >> 1 : mid - window);
      r.sample2 =
          static_cast<u16>(hi - tdead - mid > tbefore ? (tdead + hi + mid) >> 1 : hi - window);
    } else {
      static const u16 case2Phase[7] = {1, 3, 1, 1, 2, 2, 3};
      static const u16 case1Phase[7] = {1, 2, 2, 3, 3, 1, 1};
      const int sampleCase = d1 <= tmin ? (d2 > tmin ? 1 : 3) : 2;
      r.state = sampleCase == 1 ? case1Phase[p.sector] : sampleCase == 2 ? case2Phase[p.sector] : 1;
      u16 &reduced = r.state == 1 ? p.a : r.state == 2 ? p.b : p.c;
      reduced = static_cast<u16>(reduced - htmin);
      if (p.a > 61439)
        p.a = 12;
      if (p.b > 61439)
        p.b = 24;
      if (p.c > 61439)
        p.c = 36;
      order(p, lo, mid, hi);
      if (sampleCase == 1)
        r.sample1 =
            static_cast<u16>(mid - tdead - lo > tbefore ? (tdead + lo + mid) >> 1 : mid - window);
      else if (sampleCase == 2)
        r.sample1 =
            static_cast<u16>(hi - tdead - mid >= tbefore ? (tdead + hi + mid) >> 1 : hi - window);
      else
        r.sample1 = static_cast<u16>(lo - window);
      r.sample2 = static_cast<u16>(tsamp - htmin + k.per);
    }
    r.dutyA = p.a;
    r.dutyB = p.b;
    r.dutyC = p.c;
    return r;
  }

  bool Stops(s16 vAlpha, s16 vBeta) const {
    const SingleShuntRecord r = Evaluate(vAlpha, vBeta);
    return (r.state == 2 || r.state == 3) && static_cast<s32>(r.sample2) - r.dutyA <= r.window;
  }
};

struct ThreeShunt {
  Timer k;
  u16 tw, window;

  explicit ThreeShunt(const SirentaParams &p) : k(MakeTimer(p.pwmFrequency)) {
    const u32 tmax = p.riseTime > p.noiseTime ? p.riseTime : p.noiseTime;
    tw = static_cast<u16>(((tmax & 0xFFFFu) + p.deadTime) * 72u / 1000u);
    window = static_cast<u16>((p.samplingTime & 0xFFFFu) * 72u / 1000u + 1u);
  }

  bool Stops(s16 vAlpha, s16 vBeta) const {
    const Times p = PhaseTimes(vAlpha, vBeta, k);
    static const int leading[7] = {0, 0, 1, 1, 2, 2, 0};   // A, B or C
    static const int companion[7] = {0, 1, 0, 2, 1, 0, 2}; // A, B or C
    const u16 times[3] = {p.a, p.b, p.c};
    const u16 m = times[leading[p.sector]], n = times[companion[p.sector]];
    u16 point;
    int wrapped = 0;
    if (static_cast<u16>(k.per - m) > tw) {
      point = static_cast<u16>(k.per - 1);
    } else if (static_cast<u16>(m - n) > 2 * static_cast<u16>(k.per - m)) {
      point = static_cast<u16>(m - window);
    } else {
      const u16 s = static_cast<u16>(m + tw);
      if (s < k.per) {
        point = s;
      } else {
        wrapped = 1;
        point = static_cast<u16>(2 * k.per - s - 1);
      }
    }
    return wrapped == 1 && static_cast<s32>(point) - p.a <= window;
  }
};

int RoundIndex(std::uint8_t &v) {
  if (v < 77) {
    v = 77;
    return 1;
  }
  if (v > 100) {
    v = 100;
    return 1;
  }
  if (v <= 90 && (v - 77) % 2 != 0)
    --v;
  return 0;
}

template <class Model>
int Search(SirentaParams &params) {
  const Model model(params);
  params.maxModulationIndex = 100;
  for (int m = params.startIndex; m <= 100; ++m) {
    for (double theta = 0.0; theta < params.angleSpan; theta += params.angleStep) {
      const double r = theta * 3.141592653589793 / 180;
      const s16 vAlpha = Q(std::cos(r) * m * 327.67);
      const s16 vBeta = static_cast<s16>(-Q(std::sin(r) * m * 327.67));
      if (model.Stops(vAlpha, vBeta)) {
        params.maxModulationIndex = static_cast<std::uint8_t>(m - 1);
        return RoundIndex(params.maxModulationIndex);
      }
    }
  }
  return 2;
}

} // namespace

int SingleShuntMmi(SirentaParams &params) {
  return Search<SingleShunt>(params);
}

int ThreeShuntMmi(SirentaParams &params) {
  return Search<ThreeShunt>(params);
}

} // namespace straightforward
