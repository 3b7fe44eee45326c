#!/usr/bin/env bash
# Measures the terminal front-end from outside, in a pseudo-terminal of 80x25: bytes the game
# writes per pass at the prompt (30 passes a second, only the countdown changing), the size
# of a forced full repaint (Ctrl-L), CPU use at the prompt and while a page waits for a key
# (and the bytes written meanwhile, which should be none), the pass rate and how well passes
# keep to their 30 Hz schedule (from strace's record of the game's sleeps and write() calls),
# peak memory (VmHWM), and the start-up time from exec to the opening page's first bytes.
# Usage: bench/terminal_measure.sh [--figures] [BUILD_DIR] [SECONDS_PER_PHASE]   (defaults: build, 10)
#   --figures   print `name<TAB>value` lines on standard output for bench/run.sh, and the
#               usual report on standard error as progress
# BENCH_TERM picks the terminal type (default xterm-256color).
# Needs: python3 (standard library only), Linux /proc; strace for the pass schedule (without
# it those figures are left out and the repaint size is estimated from the pty side).
set -eu
FIGURES=0
ARGS=()
for arg in "$@"; do
  case $arg in
    --figures) FIGURES=1 ;;
    -h | --help) sed -n '2,13s/^# \{0,1\}//p' "$0"; exit 0 ;;
    *) ARGS+=("$arg") ;;
  esac
done
BUILD_DIR=${ARGS[0]:-build}
SECONDS_PER_PHASE=${ARGS[1]:-10}
BIN=$(cd "$BUILD_DIR" && pwd)/ashwicket
[[ -x $BIN ]] || { echo "no executable at $BUILD_DIR/ashwicket" >&2; exit 1; }
BENCH_DIR=$(cd "$(dirname "$0")" && pwd)

exec python3 - "$BIN" "$SECONDS_PER_PHASE" "$FIGURES" "$BENCH_DIR" <<'PYTHON'
import fcntl, os, pty, select, shutil, signal, statistics, struct, subprocess, sys, tempfile
import termios, time

binary, phase, figures_mode, bench_dir = sys.argv[1], float(sys.argv[2]), sys.argv[3] == "1", sys.argv[4]
sys.dont_write_bytecode = True  # leave no __pycache__ in the checkout
sys.path.insert(0, bench_dir)
import benchlib

term = os.environ.get("BENCH_TERM", "xterm-256color")
human = sys.stderr if figures_mode else sys.stdout


def say(text):
    print(text, file=human, flush=True)


def figure(name, value):
    if figures_mode:
        print(benchlib.format_figure(name, value), flush=True)


def start_game():
    """Starts the game on a fresh 80x25 pty; returns (pid, master fd, monotonic time of the fork)."""
    master, slave = pty.openpty()
    fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
    started = time.monotonic()
    pid = os.fork()
    if pid == 0:  # a session of its own with the pty as its terminal, sized before it starts
        try:
            os.setsid()
            fcntl.ioctl(slave, termios.TIOCSCTTY, 0)
            for fd in (0, 1, 2):
                os.dup2(slave, fd)
            os.environ["TERM"] = term
            os.execv(binary, [binary])
        finally:
            os._exit(127)
    os.close(slave)
    return pid, master, started


def drain(master, seconds):
    """Reads everything the game writes for this long; returns (bytes, reads)."""
    total = reads = 0
    end = time.monotonic() + seconds
    while True:
        left = end - time.monotonic()
        if left <= 0:
            return total, reads
        ready, _, _ = select.select([master], [], [], left)
        if ready:
            try:
                chunk = os.read(master, 65536)
            except OSError:
                return total, reads
            if not chunk:
                return total, reads
            total += len(chunk)
            reads += 1


def first_bytes_after(master, started, timeout=5.0):
    """Seconds from `started` until the pty has something to read (None if nothing came)."""
    ready, _, _ = select.select([master], [], [], timeout)
    return time.monotonic() - started if ready else None


def stop_game(pid, master):
    """SIGTERM, then SIGKILL if it has not gone within two seconds; returns the wait status."""
    try:
        os.kill(pid, signal.SIGTERM)
    except ProcessLookupError:
        pass
    end = time.monotonic() + 2.0
    while time.monotonic() < end:
        drain(master, 0.05)
        done, code = os.waitpid(pid, os.WNOHANG)
        if done:
            os.close(master)
            return code
    os.kill(pid, signal.SIGKILL)
    _, code = os.waitpid(pid, 0)
    os.close(master)
    return code


def require_alive(pid, stage):
    done, code = os.waitpid(pid, os.WNOHANG)
    if done:
        how = f"signal {os.WTERMSIG(code)}" if os.WIFSIGNALED(code) else f"status {os.WEXITSTATUS(code)}"
        sys.exit(f"terminal_measure: the game ended ({how}) {stage}")


# Start-up: a few short runs, exec to the first bytes of the opening page on the pty.
startups = []
for _ in range(5):
    spid, smaster, sstarted = start_game()
    took = first_bytes_after(smaster, sstarted)
    stop_game(spid, smaster)
    if took is None:
        sys.exit("terminal_measure: the game wrote nothing within 5 s of starting")
    startups.append(took * 1000.0)
startup_ms = statistics.median(startups)
say(f"start-up, exec to the opening page's first bytes: median {startup_ms:.1f} ms "
    f"of {len(startups)} starts ({', '.join(f'{s:.1f}' for s in startups)})")
figure("term.startup_ms", startup_ms)

pid, master, started = start_game()
if first_bytes_after(master, started) is None:
    sys.exit("terminal_measure: the game wrote nothing within 5 s of starting")


def measure(seconds):
    cpu0, t0 = benchlib.cpu_seconds(pid), time.monotonic()
    written, reads = drain(master, seconds)
    elapsed = time.monotonic() - t0
    require_alive(pid, "while being measured")
    return written, reads, (benchlib.cpu_seconds(pid) - cpu0) / elapsed * 100.0, elapsed


def type_keys(text, settle=1.0):
    for ch in text:
        os.write(master, ch.encode())
        drain(master, 0.1)  # the game takes about 15 keys a second
    drain(master, settle)


first, _ = drain(master, 1.5)
say(f"first frame (opening page, 80x25, TERM={term}): {first} bytes")
figure("term.term", term)
figure("term.first_frame_bytes", first)

w, r, cpu, s = measure(phase)
say(f"opening page waiting for a key: {w} bytes in {s:.1f} s, CPU {cpu:.2f}% of a core")
page_wait_bytes, page_wait_cpu = [w], [cpu]

type_keys(" ")
w, r, cpu, s = measure(phase)
prompt_bytes, prompt_seconds = w, s
prompt_bytes_per_second = w / s
say(f"at the prompt: {w} bytes in {s:.1f} s = {w / (s * 30.0):.1f} bytes per pass "
    f"({r} reads on the pty side), CPU {cpu:.2f}% of a core")
figure("term.prompt_cpu_pct", cpu)


def strace_prompt(seconds):
    """Records the game's write() calls and sleeps at the prompt for `seconds`, then sends
    Ctrl-L and records one more second. Returns (passes before Ctrl-L, passes after, why not),
    passes as benchlib.passes_from_trace gives them; on failure both are None and `why not`
    says why."""
    if shutil.which("strace") is None:
        return None, None, "strace is not installed"
    with tempfile.TemporaryDirectory(prefix="ashwicket-strace.") as work:
        record = os.path.join(work, "writes.txt")
        tracer = subprocess.Popen(
            ["strace", "-qq", "-f", "-ttt", "-T", "-s", "0", "-e", "trace=" + benchlib.STRACE_CALLS,
             "-o", record,
             "-p", str(pid)], stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        drain(master, 0.5)  # attached by now
        if tracer.poll() is not None:
            return None, None, f"strace could not attach: {tracer.stderr.read().decode().strip()}"
        begin = time.time()
        drain(master, seconds)
        ctrl_l = time.time()
        os.write(master, b"\x0c")
        drain(master, 1.0)
        tracer.send_signal(signal.SIGINT)  # detaches; the game runs on
        try:
            tracer.wait(5)
        except subprocess.TimeoutExpired:
            tracer.kill()
            tracer.wait()
        with open(record) as lines:
            passes = benchlib.passes_from_trace(benchlib.parse_strace(lines))
    require_alive(pid, "under strace")
    return ([p for p in passes if begin <= p[0] < ctrl_l],
            [p for p in passes if p[0] >= ctrl_l], None)


before, after, why_not = strace_prompt(phase)
rate = 30.0
pace = benchlib.pacing([start for start, _, _ in before]) if before else None
if pace:
    rate = pace["per_second"]
    say(f"pass schedule (strace, {pace['passes']} passes in {pace['span_s']:.2f} s): "
        f"{pace['per_second']:.3f} passes a second; pass starts off a 30 Hz schedule by "
        f"{pace['worst_ms']:.2f} ms at worst (99th percentile {pace['p99_ms']:.2f} ms); "
        f"drift over the span {pace['drift_ms']:+.2f} ms; "
        f"{sum(c for _, _, c in before) / pace['passes']:.2f} write() calls and "
        f"{sum(b for _, b, _ in before) / pace['passes']:.1f} bytes per pass")
    figure("term.passes_per_s", pace["per_second"])
    figure("term.writes_per_pass", sum(c for _, _, c in before) / pace["passes"])
    figure("term.pace_worst_ms", pace["worst_ms"])
    figure("term.pace_p99_ms", pace["p99_ms"])
    figure("term.pace_drift_ms", pace["drift_ms"])
    figure("term.pace_span_s", pace["span_s"])
else:
    why_not = why_not or f"only {len(before or [])} passes recorded"
    say(f"pass schedule: not measured ({why_not})")
    figure("note", f"terminal pass rate and schedule not measured: {why_not}")

bytes_per_pass = prompt_bytes / (prompt_seconds * rate)
figure("term.bytes_per_pass", bytes_per_pass)

if after:
    full = max(size for _, size, _ in after)
    say(f"forced full repaint of the turn screen (Ctrl-L): {full} bytes in one pass "
        f"(strace), {full / bytes_per_pass:.0f} times a countdown pass")
else:
    os.write(master, b"\x0c")
    w, _ = drain(master, 1.0)
    full = w - prompt_bytes_per_second
    say(f"forced full repaint of the turn screen (Ctrl-L): about {full:.0f} bytes "
        f"({w} in the second after it, less the countdown's usual {prompt_bytes_per_second:.0f})")
figure("term.full_repaint_bytes", full)
figure("term.full_repaint_ratio", full / bytes_per_pass if bytes_per_pass > 0 else float("inf"))

type_keys("help\r")
w, r, cpu, s = measure(phase)
say(f"help page waiting for a key: {w} bytes in {s:.1f} s, CPU {cpu:.2f}% of a core")
page_wait_bytes.append(w)
page_wait_cpu.append(cpu)
figure("term.page_wait_bytes", sum(page_wait_bytes))
figure("term.page_wait_cpu_pct", max(page_wait_cpu))
os.write(master, b"\x0c")
w, _ = drain(master, 1.0)
say(f"forced full repaint of the help page (Ctrl-L): {w} bytes")
figure("term.help_repaint_bytes", w)

hwm, rss = benchlib.status_field(pid, "VmHWM"), benchlib.status_field(pid, "VmRSS")
say(f"peak memory: VmHWM {hwm} (VmRSS now {rss})")
figure("term.peak_kb", benchlib.kilobytes(hwm))

code = stop_game(pid, master)
say(f"ended by SIGTERM: {'signal ' + str(os.WTERMSIG(code)) if os.WIFSIGNALED(code) else 'status ' + str(os.WEXITSTATUS(code))}")
PYTHON
