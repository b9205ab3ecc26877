"""The quantities of candora-data's indicator files, computed with pandas rolling windows.

Reads the bars that bench_indicators wrote, times the computation of all 45 series (each scattered
into a float32 array with one entry per grid slot, as the files hold them) and prints the seconds.
With --dump FOLDER it also writes each series there as raw float32, for comparison.
"""
import sys
import time

import numpy as np
import pandas as pd

MISSING = np.float32(-999999.0)
BAR_PERIODS = [5, 10, 20, 40, 80, 160]
DAY_PERIODS = [1, 2, 3, 5, 10, 30, 60, 120, 360, 720]


def load(path):
    raw = np.fromfile(path, dtype=np.int32)
    slots, count, first_time, minutes = raw[:4]
    arrays = raw[4:].reshape(5, count)
    return int(slots), int(first_time), int(minutes), arrays


def compute(slots, first_time, minutes, arrays):
    slot, times, close, high, low = arrays
    index = pd.to_datetime(times.astype(np.int64) * 60, unit="s")
    c = pd.Series(close.astype(np.float64), index=index)
    h = pd.Series(high.astype(np.float64), index=index)
    lo = pd.Series(low.astype(np.float64), index=index)
    results = []

    def scatter(values):
        out = np.full(slots, MISSING, dtype=np.float32)
        v = np.asarray(values, dtype=np.float64)
        out[slot] = np.where(np.isnan(v), MISSING, v).astype(np.float32)
        return out

    results.append(scatter(c.to_numpy()))
    for n in BAR_PERIODS:
        roll = c.rolling(n)
        results.append(scatter(roll.std(ddof=0).to_numpy()))
        results.append(scatter((c - roll.mean()).to_numpy()))
    for n in BAR_PERIODS:
        results.append(scatter((c - h.rolling(n).max()).to_numpy()))
        results.append(scatter((c - lo.rolling(n).min()).to_numpy()))
    for days in DAY_PERIODS:
        span = days * 1440
        in_window = -(-span // minutes)
        full = times.astype(np.int64) - (in_window - 1) * minutes >= times[0]
        maximum = h.rolling(f"{days}D").max().to_numpy()
        minimum = lo.rolling(f"{days}D").min().to_numpy()
        results.append(scatter(np.where(full, close - maximum, np.nan)))
        results.append(scatter(np.where(full, close - minimum, np.nan)))
    return results


def main():
    slots, first_time, minutes, arrays = load(sys.argv[1])
    started = time.perf_counter()
    results = compute(slots, first_time, minutes, arrays)
    elapsed = time.perf_counter() - started
    if len(sys.argv) > 3 and sys.argv[2] == "--dump":
        for k, values in enumerate(results):
            values.tofile(f"{sys.argv[3]}/{k}.f32")
    print(f"{elapsed:.6f}")


if __name__ == "__main__":
    main()
