#!/usr/bin/python3
"""Plots rtg-bench's --csv output: frame time along the flight, the seven
passes stacked beneath it. One panel per CSV, sharing the time axis.

    scripts/plot_frames.py OUT.png FRAMES.csv[:LABEL] [FRAMES.csv[:LABEL] ...]

The pass columns come from the profiling run, so profile the frames you
measure (e.g. --step 0.25 --frames 290 --profile-frames 290 covers the
whole flight). That run finishes every pass before the next starts, so the
stacked passes add up to more than the frame line, which is the swap-to-swap
time of the unprofiled run, where the CPU and the rasterizer threads overlap.
"""
import csv
import sys

import matplotlib

matplotlib.use("Agg")  # no display needed
import matplotlib.pyplot as plt  # noqa: E402


def read_frames(path):
    with open(path, newline="") as f:
        rows = list(csv.DictReader(f))
    if not rows:
        sys.exit(f"plot_frames: {path} has no frames")
    passes = [c[: -len("_ms")] for c in rows[0] if c.endswith("_ms") and c not in
              ("frame_ms", "render_call_ms", "render_cpu_ms")]
    profiled = [r for r in rows if passes and r[passes[0] + "_ms"] != ""]
    if not profiled:
        sys.exit(f"plot_frames: {path} has no per-pass times (run rtg-bench with --profile-frames)")
    return {
        "time": [float(r["simulated_s"]) for r in profiled],
        "frame": [float(r["frame_ms"]) for r in profiled],
        "passes": {p: [float(r[p + "_ms"]) for r in profiled] for p in passes},
    }


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    out, inputs = argv[1], argv[2:]
    figure, axes = plt.subplots(len(inputs), 1, sharex=True, sharey=True, squeeze=False,
                                figsize=(10, 3.2 * len(inputs)))
    for axis, spec in zip(axes[:, 0], inputs):
        path, _, label = spec.partition(":")
        data = read_frames(path)
        names = list(data["passes"])
        axis.stackplot(data["time"], *[data["passes"][n] for n in names], labels=names, alpha=0.85)
        axis.plot(data["time"], data["frame"], color="black", linewidth=1.0, label="frame, unprofiled run")
        median = sorted(data["frame"])[len(data["frame"]) // 2]
        axis.set_title(f"{label or path}: median frame {median:.0f} ms")
        axis.set_ylabel("ms")
        axis.grid(alpha=0.3)
    axes[0, 0].legend(loc="upper right", fontsize="small", ncol=4)
    axes[-1, 0].set_xlabel("flight time (s)")
    figure.tight_layout()
    figure.savefig(out, dpi=100)


if __name__ == "__main__":
    main(sys.argv)
