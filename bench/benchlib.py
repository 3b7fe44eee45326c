"""Pieces the benchmark scripts share: reading a process's CPU time from /proc, reading
strace's record of write() calls, working out the pass schedule from it, telling a black
window capture from a drawn one, and the figures format (one `name<TAB>value` a line).

Python 3 standard library only; imported by terminal_measure.sh, window_measure.sh and
figures_table.py, which put this directory on sys.path.
"""
import os
import re
import statistics
import struct

PASSES_PER_SECOND = 30.0

# ---------------------------------------------------------------------------------------------
# CPU time of a process, all its threads

_TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")
_HAVE_SCHEDSTAT = os.path.exists("/proc/self/schedstat")


def cpu_seconds(pid):
    """CPU time used so far by every thread of `pid`, in seconds.

    Summed from /proc/PID/task/*/schedstat (nanoseconds) where the kernel has it; otherwise
    utime + stime of /proc/PID/stat, which only counts in clock ticks (usually 10 ms).
    Raises FileNotFoundError when the process is gone."""
    if _HAVE_SCHEDSTAT:
        total_ns = 0
        for task in os.listdir(f"/proc/{pid}/task"):
            try:
                with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                    total_ns += int(f.read().split()[0])
            except (FileNotFoundError, ProcessLookupError):
                pass  # a thread that ended between the listing and the read
        return total_ns / 1e9
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / _TICKS_PER_SECOND


def cpu_clock_name():
    return "schedstat, ns" if _HAVE_SCHEDSTAT else f"stat, 1/{_TICKS_PER_SECOND} s ticks"


def status_field(pid, field):
    """A line of /proc/PID/status, e.g. status_field(pid, "VmHWM") -> "3616 kB" ("?" if absent)."""
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return line.split(":", 1)[1].strip()
    return "?"


def kilobytes(text):
    """"3616 kB" -> 3616."""
    number, unit = text.split()
    if unit != "kB":
        raise ValueError(f"unexpected unit in {text!r}")
    return int(number)


# ---------------------------------------------------------------------------------------------
# strace -ttt -T records of write() calls and sleeps

# The calls a loop can sleep in between passes.
SLEEP_CALLS = ("ppoll", "poll", "select", "pselect6", "nanosleep", "clock_nanosleep",
               "epoll_wait", "epoll_pwait", "epoll_pwait2")
STRACE_CALLS = "write," + ",".join(SLEEP_CALLS)

# 1700000000.123456 write(1, ""..., 5) = 5 <0.000021>
#   optionally after a pid ("1234 " or "[pid 1234] "); a sleep's result may be followed by
#   words in brackets ("= 0 (Timeout)") before the duration.
_CALL = re.compile(r"^(?:\[pid\s+\d+\]\s+|\d+\s+)?(\d+\.\d+)\s+(\w+)\((.*)\)\s+=\s+(-?\d+)"
                   r"(?:\s+[A-Z]\w*)?(?:\s+\(.*\))?(?:\s+<(\d+\.\d+)>)?\s*$")


def parse_strace(lines, fds=(0, 1, 2)):
    """The completed calls in strace -ttt [-T] output that matter for the pass schedule, in
    time order: ("write", time_s, bytes) for each successful write() to `fds` and
    ("sleep", woke_s, slept_s) for each call of SLEEP_CALLS (woke_s is when it returned; -T
    gives the time spent in it, 0 without -T). Calls strace split into <unfinished ...> and
    <... resumed> pieces are left out (the game has one thread, so there are none)."""
    events = []
    for line in lines:
        match = _CALL.match(line)
        if not match:
            continue
        time_s, name, args, result, spent = match.groups()
        time_s, result, spent = float(time_s), int(result), float(spent or 0.0)
        if name == "write":
            fd = args.split(",", 1)[0].strip()
            if fd.isdigit() and int(fd) in fds and result >= 0:
                events.append(("write", time_s, result))
        elif name in SLEEP_CALLS:
            events.append(("sleep", time_s + spent, spent))
    events.sort(key=lambda event: event[1])
    return events


def passes_from_trace(events, min_sleep_s=0.001):
    """Splits a trace into passes: the write() calls between two sleeps (calls of SLEEP_CALLS
    that waited at least `min_sleep_s`) make one pass, which starts when the sleep before it
    ended. Returns a list of (start_s, bytes, write_calls). Writes before the first sleep are
    left out: their pass started before the record did. Without sleeps in the record (strace
    without -T, or a loop that never sleeps) each write() is taken for a pass of its own."""
    sleeps = [e for e in events if e[0] == "sleep" and e[2] >= min_sleep_s]
    if not sleeps:
        return [(t, size, 1) for kind, t, size in events if kind == "write"]
    passes = []
    woke = None
    for kind, time_s, value in events:
        if kind == "sleep":
            if value >= min_sleep_s:
                woke = time_s
        elif woke is not None:
            if passes and passes[-1][0] == woke:
                start, size, calls = passes[-1]
                passes[-1] = (start, size + value, calls + 1)
            else:
                passes.append((woke, value, 1))
    return passes


def pacing(starts, rate=PASSES_PER_SECOND):
    """How well pass start times keep to a fixed `rate` schedule. Returns a dict:

    passes        number of passes seen
    span_s        first to last pass start
    per_second    mean passes a second: (passes - 1) / span_s
    worst_ms      worst distance of a pass start from the best-placed schedule of exactly
                  `rate` a second (one pass every 1/rate s, its offset the median one)
    p99_ms        the 99th percentile of that distance
    drift_ms      how far a least-squares fit of the starts falls behind (+) or runs ahead
                  of (-) the exact schedule over the span: a loop that sleeps a fixed time
                  after its work instead of up to an absolute deadline shows a steady drift
    None when there are fewer than three passes."""
    n = len(starts)
    if n < 3:
        return None
    period = 1.0 / rate
    first = starts[0]
    offsets = [t - first - i * period for i, t in enumerate(starts)]
    middle = statistics.median(offsets)
    deviations = sorted(abs(o - middle) for o in offsets)
    # Least-squares slope of start time against pass number.
    mean_i = (n - 1) / 2.0
    mean_t = statistics.fmean(t - first for t in starts)
    num = sum((i - mean_i) * (t - first - mean_t) for i, t in enumerate(starts))
    den = sum((i - mean_i) ** 2 for i in range(n))
    slope = num / den
    span = starts[-1] - first
    return {
        "passes": n,
        "span_s": span,
        "per_second": (n - 1) / span if span > 0 else float("inf"),
        "worst_ms": deviations[-1] * 1000.0,
        "p99_ms": deviations[min(n - 1, int(0.99 * n))] * 1000.0,
        "drift_ms": (slope - period) * (n - 1) * 1000.0,
    }


# ---------------------------------------------------------------------------------------------
# Window captures: has anything been drawn yet?

def pixels_have_drawing(pixels, width, height, bytes_per_line, bits_per_pixel, masks, little_endian):
    """True when a ZPixmap image of 24 or 32 bits a pixel holds a pixel that is not black."""
    if bits_per_pixel not in (24, 32):
        raise ValueError(f"unsupported image of {bits_per_pixel} bits a pixel")
    if len(pixels) < height * bytes_per_line:
        raise ValueError("image cut short")
    step = bits_per_pixel // 8
    endian = "little" if little_endian else "big"
    for row in range(height):
        line = pixels[row * bytes_per_line: row * bytes_per_line + step * width]
        if line.count(0) == len(line):
            continue
        if bits_per_pixel == 24:
            return True
        # 32 bits a pixel: the byte outside the colour masks may hold anything; look past it.
        for x in range(0, len(line), 4):
            if int.from_bytes(line[x:x + 4], endian) & masks:
                return True
    return False


_XWD_HEADER = struct.Struct(">25I")
_XWD_Z_PIXMAP = 2


def xwd_has_drawing(data):
    """pixels_have_drawing for an xwd capture (`xwd -silent -id WINDOW`). Raises ValueError
    for anything but a version 7 ZPixmap of 24 or 32 bits a pixel."""
    if len(data) < _XWD_HEADER.size:
        raise ValueError("too short for an xwd header")
    h = _XWD_HEADER.unpack_from(data)
    header_size, version, pixmap_format = h[0], h[1], h[2]
    if version != 7 or pixmap_format != _XWD_Z_PIXMAP:
        raise ValueError(f"unsupported xwd image (version {version}, format {pixmap_format})")
    width, height, byte_order = h[4], h[5], h[7]
    bits_per_pixel, bytes_per_line = h[11], h[12]
    start = header_size + 12 * h[19]  # past the colour map of ncolors 12-byte entries
    return pixels_have_drawing(data[start:], width, height, bytes_per_line, bits_per_pixel,
                               h[14] | h[15] | h[16], byte_order == 0)


class XCapture:
    """Reads a window's pixels straight from the X server with libX11 through ctypes (a few
    milliseconds, where spawning xwd takes tens). Raises OSError when libX11 or the display
    cannot be opened."""

    def __init__(self):
        import ctypes
        import ctypes.util
        self._c = ctypes
        name = ctypes.util.find_library("X11") or "libX11.so.6"
        x = ctypes.CDLL(name)
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self._display = x.XOpenDisplay(None)
        if not self._display:
            raise OSError("cannot open the X display")
        # An unmapped window answers GetImage with BadMatch; the default handler would exit.
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        self._handler = handler_type(lambda display, event: 0)
        x.XSetErrorHandler.argtypes = [handler_type]
        x.XSetErrorHandler(self._handler)
        ulong, uint, pointer = ctypes.c_ulong, ctypes.c_uint, ctypes.c_void_p

        class XImage(ctypes.Structure):
            _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int),
                        ("xoffset", ctypes.c_int), ("format", ctypes.c_int),
                        ("data", pointer), ("byte_order", ctypes.c_int),
                        ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                        ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int),
                        ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                        ("red_mask", ulong), ("green_mask", ulong), ("blue_mask", ulong)]

        self._XImage = XImage
        x.XGetGeometry.argtypes = [pointer, ulong, ctypes.POINTER(ulong)] + \
            [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(uint)] * 4
        x.XGetImage.restype = ctypes.POINTER(XImage)
        x.XGetImage.argtypes = [pointer, ulong, ctypes.c_int, ctypes.c_int, uint, uint, ulong,
                                ctypes.c_int]
        x.XFree.argtypes = [pointer]
        x.XSync.argtypes = [pointer, ctypes.c_int]
        self._x = x

    def has_drawing(self, window, width_fraction=0.125):
        """True once the window shows a pixel that is not black in its left `width_fraction`
        (text starts at the left edge; a narrow strip comes over in a few milliseconds);
        None while the window cannot be read."""
        c, x = self._c, self._x
        root, px, py = c.c_ulong(), c.c_int(), c.c_int()
        w, h, border, depth = c.c_uint(), c.c_uint(), c.c_uint(), c.c_uint()
        if not x.XGetGeometry(self._display, window, c.byref(root), c.byref(px), c.byref(py),
                              c.byref(w), c.byref(h), c.byref(border), c.byref(depth)):
            return None
        strip = max(1, int(w.value * width_fraction))
        image = x.XGetImage(self._display, window, 0, 0, strip, h.value, (1 << 64) - 1, 2)
        x.XSync(self._display, 0)
        if not image:
            return None
        im = image.contents
        try:
            pixels = c.string_at(im.data, im.bytes_per_line * im.height)
            return pixels_have_drawing(pixels, im.width, im.height, im.bytes_per_line,
                                       im.bits_per_pixel,
                                       im.red_mask | im.green_mask | im.blue_mask,
                                       im.byte_order == 0)
        finally:
            x.XFree(im.data)
            x.XFree(image)


# ---------------------------------------------------------------------------------------------
# figures: name<TAB>value lines

def format_figure(name, value):
    if "\t" in name or "\n" in name:
        raise ValueError(f"bad figure name {name!r}")
    if isinstance(value, float):
        value = f"{value:.6g}"
    return f"{name}\t{' '.join(str(value).split())}"


def read_figures(lines):
    """name<TAB>value lines -> dict; other lines are skipped. Values stay text; a name that
    comes again keeps its last value, except `note`, whose values are gathered in a list."""
    figures = {"note": []}
    for line in lines:
        name, tab, value = line.rstrip("\n").partition("\t")
        if not tab or not name:
            continue
        if name == "note":
            figures["note"].append(value)
        else:
            figures[name] = value
    return figures


# ---------------------------------------------------------------------------------------------
# The soak driver's closing line

_SOAK = re.compile(r"virtual (\d+(?:\.\d+)?) s, real (\d+(?:\.\d+)?) s, (\d+(?:\.\d+)?) virtual s per real s")


def soak_figures(text):
    """The figures of ashwicket_soak's last figures line ("soak: keys ..., virtual 62024 s,
    real 2.1 s, 29699 virtual s per real s") as a dict, or None when there is none."""
    found = None
    for line in text.splitlines():
        if line.startswith("soak:"):
            match = _SOAK.search(line)
            if match:
                found = match
    if found is None:
        return None
    virtual, real, per_real = (float(g) for g in found.groups())
    return {"soak.virtual_s": virtual, "soak.real_s": real, "soak.virtual_per_real": per_real}
