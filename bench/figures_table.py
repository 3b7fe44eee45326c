#!/usr/bin/env python3
"""Prints the benchmark table from the figures the measuring scripts wrote.

Usage: figures_table.py [--title TEXT] [--soak SOAK_OUTPUT] FIGURES_FILE...

Each FIGURES_FILE holds `name<TAB>value` lines (terminal_measure.sh --figures,
window_measure.sh --figures, and `note<TAB>text` lines from bench/run.sh); SOAK_OUTPUT is what
ashwicket_soak printed. Exits 0 when every measured figure meets its goal and 1 when one does
not; a figure that could not be measured shows as skipped, with the reason in a note.
"""
import argparse
import os
import sys

sys.dont_write_bytecode = True  # leave no __pycache__ in the checkout
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import benchlib  # noqa: E402


def percent(v):
    return f"{v:.2f}% of a core"


def megabytes(kb):
    return f"{kb / 1024:.1f} MB ({kb:.0f} kB)"


def ms(v):
    return f"{v:.1f} ms"


def fine_ms(v):
    return f"{v:.2f} ms"


# (figure name, what the row says, how the value reads, the goal as written, the goal's test;
#  None for a figure that is reported without a goal)
ROWS = [
    ("term.bytes_per_pass", "terminal: bytes written per pass at the prompt",
     lambda v: f"{v:.1f} B", "< 50 B", lambda v: v < 50),
    ("term.full_repaint_bytes", "terminal: forced full repaint (Ctrl-L)",
     lambda v: f"{v:.0f} B", "report", None),
    ("term.full_repaint_ratio", "terminal: full repaint / pass",
     lambda v: f"{v:.0f}x", "report", None),
    ("term.prompt_cpu_pct", "terminal: CPU at the prompt",
     percent, "< 2%", lambda v: v < 2.0),
    ("term.page_wait_cpu_pct", "terminal: CPU while a page waits",
     percent, "< 0.5%", lambda v: v < 0.5),
    ("term.page_wait_bytes", "terminal: bytes written while a page waits",
     lambda v: f"{v:.0f} B", "0", lambda v: v == 0),
    ("term.passes_per_s", "terminal: passes per second at the prompt",
     lambda v: f"{v:.3f}", "30 ± 0.5", lambda v: abs(v - 30.0) <= 0.5),
    ("term.pace_worst_ms", "terminal: worst pass start off a 30 Hz schedule",
     fine_ms, "< 16.7 ms (half a pass)", lambda v: v < 1000.0 / 60.0),
    ("term.pace_drift_ms", "terminal: drift from 30 Hz over the phase",
     lambda v: f"{v:+.2f} ms", "within ± 33.3 ms (a pass)", lambda v: abs(v) < 1000.0 / 30.0),
    ("term.writes_per_pass", "terminal: write() calls per pass",
     lambda v: f"{v:.2f}", "report", None),
    ("term.peak_kb", "terminal: peak memory (VmHWM)",
     megabytes, "< 8 MB", lambda v: v < 8 * 1024),
    ("term.startup_ms", "terminal: start-up, exec to first bytes",
     ms, "< 100 ms", lambda v: v < 100.0),
    ("win.page_wait_cpu_pct", "window: CPU while a page waits",
     percent, "< 1%", lambda v: v < 1.0),
    ("win.prompt_cpu_pct", "window: CPU at the prompt",
     percent, "< 5%", lambda v: v < 5.0),
    ("win.typing_cpu_pct", "window: CPU while typing ~8 keys/s",
     percent, "report", None),
    ("win.prompt_xvfb_pct", "window: X server CPU at the prompt",
     percent, "report", None),
    ("win.peak_kb", "window: peak memory (VmHWM)",
     megabytes, "< 64 MB", lambda v: v < 64 * 1024),
    ("win.startup_window_ms", "window: start-up, exec to the window",
     ms, "report", None),
    ("win.startup_frame_ms", "window: start-up, exec to the first frame",
     ms, "< 250 ms", lambda v: v < 250.0),
    ("soak.virtual_per_real", "headless: game-seconds per real second",
     lambda v: f"{v:.0f}", "> 1800", lambda v: v > 1800.0),
]


def table_rows(figures):
    """[(figure, measured, goal, met?)] and whether no measured figure missed its goal."""
    rows, all_met = [], True
    for name, label, show, goal, test in ROWS:
        text = figures.get(name)
        if text is None:
            rows.append((label, "not measured", goal, "skipped" if test else "-"))
            continue
        value = float(text)
        met = "-" if test is None else ("yes" if test(value) else "NO")
        all_met = all_met and met != "NO"
        rows.append((label, show(value), goal, met))
    return rows, all_met


def render(rows):
    header = ("figure", "measured", "goal", "met?")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(4)]
    line = lambda r: " | ".join(c.ljust(w) for c, w in zip(r, widths)).rstrip()
    return "\n".join([line(header), "-+-".join("-" * w for w in widths)] + [line(r) for r in rows])


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--title", default="")
    parser.add_argument("--soak", help="what ashwicket_soak printed")
    parser.add_argument("files", nargs="*")
    args = parser.parse_args(argv)

    figures = {"note": []}
    for path in args.files:
        with open(path) as f:
            read = benchlib.read_figures(f)
        figures["note"] += read.pop("note")
        figures.update(read)
    if args.soak:
        with open(args.soak) as f:
            soak = benchlib.soak_figures(f.read())
        if soak is None:
            figures["note"].append("the soak driver printed no figures line")
        else:
            figures.update({k: str(v) for k, v in soak.items()})

    rows, all_met = table_rows(figures)
    if args.title:
        print(args.title)
    print(render(rows))
    for note in figures["note"]:
        print(f"note: {note}")
    return 0 if all_met else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
