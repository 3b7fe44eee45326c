#!/usr/bin/env python3
"""Tests of the benchmark's own arithmetic: reading strace records into passes, the pass
schedule figures, telling a drawn window from a black one, the soak line and the table's
goals. Run: python3 bench/test_benchlib.py"""
import os
import struct
import sys
import unittest

sys.dont_write_bytecode = True  # leave no __pycache__ in the checkout
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import benchlib  # noqa: E402
import figures_table  # noqa: E402

PERIOD = 1.0 / 30.0


def simulated_trace(passes, absolute, work_s=0.0015, late=None, t0=1000.0):
    """strace -ttt -T lines of a loop that sleeps, then writes a cursor move and the countdown
    digits. `absolute`: it sleeps up to the next 1/30 s deadline; otherwise it sleeps 1/30 s
    after its work. `late` = {pass index: seconds} wakes those passes late."""
    lines, now, deadline = [], t0, t0
    for i in range(passes):
        deadline += PERIOD
        sleep = max(deadline - now, 0.0) if absolute else PERIOD
        sleep += (late or {}).get(i, 0.0)
        lines.append(f"{now:.6f} ppoll([{{fd=3, events=POLLIN}}], 1, {{tv_sec=0, tv_nsec=1}}, "
                     f"NULL, 8) = 0 (Timeout) <{sleep:.6f}>")
        now += sleep
        lines.append(f'{now + 0.00005:.6f} write(1, ""..., 3) = 3 <0.000010>')
        lines.append(f'{now + 0.00010:.6f} write(1, ""..., 2) = 2 <0.000010>')
        now += work_s
    return lines


def pacing_of(lines):
    return benchlib.pacing([start for start, _, _ in
                            benchlib.passes_from_trace(benchlib.parse_strace(lines))])


def goal_met(name, value):
    row = next(r for r in figures_table.ROWS if r[0] == name)
    return row[4](value)


class StraceRecords(unittest.TestCase):
    def test_lines_read_as_writes_and_sleeps(self):
        cases = [
            ('100.000001 write(1, "\\33[38G", 5) = 5 <0.000020>', [("write", 100.000001, 5)]),
            ('4242 100.5 write(2, ""..., 7) = 7', [("write", 100.5, 7)]),
            ('[pid  4242] 100.5 write(0, ""..., 7) = 7', [("write", 100.5, 7)]),
            ('100.5 write(5, ""..., 7) = 7', []),  # not the terminal
            ('100.5 write(1, ""..., 7) = -1 EAGAIN (Resource temporarily unavailable) <0.000010>', []),
            ('100.5 write(1, ""..., 7 <unfinished ...>', []),
            ("100.000000 ppoll([{fd=3, events=POLLIN}], 1, {tv_sec=0, tv_nsec=32000000}, NULL, 8)"
             " = 0 (Timeout) <0.032000>", [("sleep", 100.032, 0.032)]),
            ("100.000000 clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, {tv_sec=5, tv_nsec=0}, "
             "NULL) = 0 <0.010000>", [("sleep", 100.01, 0.01)]),
            ("100.000000 ppoll([{fd=3, events=POLLIN}], 1, NULL, NULL, 8) = -1 EINTR "
             "(Interrupted system call) <0.020000>", [("sleep", 100.02, 0.02)]),
            ("100.000000 read(0, \"x\", 1) = 1 <0.000010>", []),
        ]
        for line, expected in cases:
            with self.subTest(line=line):
                got = benchlib.parse_strace([line])
                self.assertEqual([(k, round(t, 6), v) for k, t, v in got], expected)

    def test_writes_between_two_sleeps_make_one_pass_starting_at_the_wake_up(self):
        events = [
            ("write", 0.990, 9),   # before the first sleep: its pass began unrecorded
            ("sleep", 1.000, 0.030),
            ("write", 1.001, 3),
            ("sleep", 1.002, 0.0),  # a poll that did not wait does not end the pass
            ("write", 1.009, 2),   # late within the pass: still the same pass
            ("sleep", 1.033, 0.024),
            ("sleep", 1.034, 0.001),  # woken early (a signal) and slept again
            ("write", 1.035, 4),
            ("sleep", 1.067, 0.030),  # a pass that wrote nothing is no pass
            ("sleep", 1.100, 0.030),
            ("write", 1.101, 4),
        ]
        self.assertEqual(benchlib.passes_from_trace(events),
                         [(1.000, 5, 2), (1.034, 4, 1), (1.100, 4, 1)])

    def test_without_sleeps_each_write_is_a_pass(self):
        events = [("write", 1.0, 3), ("write", 1.0333, 3)]
        self.assertEqual(benchlib.passes_from_trace(events), [(1.0, 3, 1), (1.0333, 3, 1)])


class PassSchedule(unittest.TestCase):
    def test_an_absolute_schedule_meets_the_goals_and_a_relative_sleep_does_not(self):
        # Each pass works 1.5 ms and writes twice, as the terminal game does at the prompt.
        steady = pacing_of(simulated_trace(300, absolute=True))
        self.assertEqual(steady["passes"], 300)
        self.assertAlmostEqual(steady["per_second"], 30.0, places=2)
        self.assertLess(abs(steady["drift_ms"]), 0.5)
        self.assertLess(steady["worst_ms"], 0.5)
        for name, key in (("term.passes_per_s", "per_second"), ("term.pace_worst_ms", "worst_ms"),
                          ("term.pace_drift_ms", "drift_ms")):
            self.assertTrue(goal_met(name, steady[key]), name)

        drifting = pacing_of(simulated_trace(300, absolute=False))
        self.assertAlmostEqual(drifting["per_second"], 1 / (PERIOD + 0.0015), places=2)  # ~28.7
        self.assertAlmostEqual(drifting["drift_ms"], 299 * 1.5, delta=1.0)
        for name, key in (("term.passes_per_s", "per_second"), ("term.pace_worst_ms", "worst_ms"),
                          ("term.pace_drift_ms", "drift_ms")):
            self.assertFalse(goal_met(name, drifting[key]), name)

    def test_one_late_wake_up_shows_as_the_worst_deviation_only(self):
        # Woken 10 ms late once; the deadline-based sleep after it catches up at once.
        pace = pacing_of(simulated_trace(300, absolute=True, late={150: 0.010}))
        self.assertAlmostEqual(pace["worst_ms"], 10.0, delta=0.2)
        self.assertLess(abs(pace["drift_ms"]), 1.0)
        self.assertLess(pace["p99_ms"], 0.5)

    def test_too_few_passes_give_no_figures(self):
        self.assertIsNone(benchlib.pacing([1.0, 1.0333]))


def xwd_image(pixels, width, height, bits=32, ncolors=0, version=7):
    """An xwd file of a ZPixmap whose rows are `pixels` (bytes, packed rows)."""
    bytes_per_line = width * bits // 8
    name = b"w\0\0\0"
    header_size = 100 + len(name)
    fields = [header_size, version, 2, 24, width, height, 0, 0, 32, 0, 32, bits, bytes_per_line,
              4, 0xFF0000, 0x00FF00, 0x0000FF, 8, 256, ncolors, width, height, 0, 0, 0]
    return struct.pack(">25I", *fields) + name + b"\x07" * (12 * ncolors) + pixels


class WindowCaptures(unittest.TestCase):
    def test_black_and_drawn_captures(self):
        black32 = bytes(4 * 8 * 4)
        grey_at_end = bytearray(black32)
        grey_at_end[-4:] = b"\x55\x55\x55\x00"
        pad_only = bytes(b"\0\0\0\xff" * 32)  # the byte outside the colour masks set: black
        cases = [
            ("all black", xwd_image(black32, 8, 4, ncolors=3), False),
            ("last pixel grey", xwd_image(bytes(grey_at_end), 8, 4, ncolors=3), True),
            ("black, pad byte set", xwd_image(pad_only, 8, 4), False),
            ("24 bits, one blue byte", xwd_image(bytes(23) + b"\x01", 8, 1, bits=24), True),
        ]
        for label, image, drawn in cases:
            with self.subTest(label):
                self.assertIs(benchlib.xwd_has_drawing(image), drawn)

    def test_what_is_no_capture_is_refused(self):
        for label, data in (("empty (window not mapped)", b""),
                            ("other version", xwd_image(bytes(128), 8, 4, version=6)),
                            ("cut short", xwd_image(bytes(64), 8, 4))):
            with self.subTest(label), self.assertRaises(ValueError):
                benchlib.xwd_has_drawing(data)


class FiguresAndTable(unittest.TestCase):
    SOAK_LINE = ("soak: keys 200233, games 247 (won 8, quit 215, timed out 14, ran dry 9, "
                 "unfinished 1, tolerated failures 0), turns 16719, virtual 62024 s, real 2.1 s, "
                 "29699 virtual s per real s")

    def test_soak_figures_come_from_the_last_figures_line(self):
        text = "game 3: won after 12 turn(s)\nsoak: keys 1, virtual 5 s, real 1.0 s, 5 virtual s per real s\n" \
               + self.SOAK_LINE + "\n"
        self.assertEqual(benchlib.soak_figures(text),
                         {"soak.virtual_s": 62024.0, "soak.real_s": 2.1, "soak.virtual_per_real": 29699.0})
        self.assertIsNone(benchlib.soak_figures("ashwicket_soak: a sanitizer stopped the game\n"))

    def test_figures_round_trip_and_notes_gather(self):
        lines = [benchlib.format_figure("term.peak_kb", 3636),
                 benchlib.format_figure("term.passes_per_s", 29.99671234),
                 benchlib.format_figure("note", "one\ttwo"),
                 "start-up took 17 ms",  # a report line, not a figure
                 benchlib.format_figure("note", "strace could not attach:\n  denied")]
        self.assertEqual(benchlib.read_figures(l + "\n" for l in lines),
                         {"term.peak_kb": "3636", "term.passes_per_s": "29.9967",
                          "note": ["one two", "strace could not attach: denied"]})

    def test_rows_say_met_not_met_skipped_or_report(self):
        figures = {"term.bytes_per_pass": "60", "term.page_wait_bytes": "0",
                   "term.full_repaint_bytes": "448", "soak.virtual_per_real": "29699"}
        rows, all_met = figures_table.table_rows(figures)
        by_label = {r[0]: r for r in rows}
        self.assertEqual(by_label["terminal: bytes written per pass at the prompt"][1:],
                         ("60.0 B", "< 50 B", "NO"))
        self.assertEqual(by_label["terminal: bytes written while a page waits"][3], "yes")
        self.assertEqual(by_label["terminal: forced full repaint (Ctrl-L)"][3], "-")
        self.assertEqual(by_label["terminal: peak memory (VmHWM)"][1:], ("not measured", "< 8 MB", "skipped"))
        self.assertEqual(by_label["window: CPU while typing ~8 keys/s"][1:], ("not measured", "report", "-"))
        self.assertFalse(all_met)
        figures["term.bytes_per_pass"] = "49.9"
        self.assertTrue(figures_table.table_rows(figures)[1], "skipped rows are no failure")

        every = {name: "0.1" for name, *_ in figures_table.ROWS}
        every.update({"term.passes_per_s": "30", "term.page_wait_bytes": "0",
                      "soak.virtual_per_real": "2000"})
        self.assertTrue(figures_table.table_rows(every)[1])
        every["term.page_wait_bytes"] = "1"
        self.assertFalse(figures_table.table_rows(every)[1])


if __name__ == "__main__":
    unittest.main()
