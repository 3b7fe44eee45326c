#!/usr/bin/env bash
# Measures the terminal front-end from outside, in a pseudo-terminal of 80x25: bytes the game
# writes per pass at the prompt (30 passes a second, only the countdown changing), the size
# of a forced full repaint (Ctrl-L), CPU use at the prompt and while a page waits for a key
# (and the bytes written meanwhile, which should be none), and peak memory (VmHWM).
# Usage: bench/terminal_measure.sh [BUILD_DIR] [SECONDS_PER_PHASE]   (defaults: build, 10)
# BENCH_TERM picks the terminal type (default xterm-256color).
# Needs: python3 (standard library only), Linux /proc.
set -eu
BUILD_DIR=${1:-build}
SECONDS_PER_PHASE=${2:-10}
BIN=$(cd "$BUILD_DIR" && pwd)/ashwicket
[[ -x $BIN ]] || { echo "no executable at $BUILD_DIR/ashwicket" >&2; exit 1; }

exec python3 - "$BIN" "$SECONDS_PER_PHASE" <<'PYTHON'
import fcntl, os, pty, select, signal, struct, sys, termios, time

binary, phase = sys.argv[1], float(sys.argv[2])
ticks_per_second = os.sysconf("SC_CLK_TCK")

master, slave = pty.openpty()
fcntl.ioctl(slave, termios.TIOCSWINSZ, struct.pack("HHHH", 25, 80, 0, 0))
pid = os.fork()
if pid == 0:  # a session of its own with the pty as its terminal, sized before it starts
    os.setsid()
    fcntl.ioctl(slave, termios.TIOCSCTTY, 0)
    for fd in (0, 1, 2):
        os.dup2(slave, fd)
    os.environ["TERM"] = os.environ.get("BENCH_TERM", "xterm-256color")
    os.execv(binary, [binary])
os.close(slave)

def drain(seconds):
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

def cpu_seconds():
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / ticks_per_second  # utime + stime

def status(field):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(field + ":"):
                return line.split(":", 1)[1].strip()
    return "?"

def measure(seconds):
    cpu0, t0 = cpu_seconds(), time.monotonic()
    written, reads = drain(seconds)
    elapsed = time.monotonic() - t0
    return written, reads, (cpu_seconds() - cpu0) / elapsed * 100.0, elapsed

def type_keys(text, settle=1.0):
    for ch in text:
        os.write(master, ch.encode())
        drain(0.1)  # the game takes about 15 keys a second
    drain(settle)

first, _ = drain(1.5)
print(f"first frame (opening page, 80x25, TERM={os.environ.get('BENCH_TERM', 'xterm-256color')}): {first} bytes")

w, r, cpu, s = measure(phase)
print(f"opening page waiting for a key: {w} bytes in {s:.1f} s, CPU {cpu:.2f}% of a core")

type_keys(" ")
w, r, cpu, s = measure(phase)
passes = s * 30.0
print(f"at the prompt: {w} bytes in {s:.1f} s = {w / passes:.1f} bytes per pass "
      f"({r} reads on the pty side), CPU {cpu:.2f}% of a core")

prompt_bytes_per_second = w / s
os.write(master, b"\x0c")
w, _ = drain(1.0)
print(f"forced full repaint of the turn screen (Ctrl-L): about {w - prompt_bytes_per_second:.0f} bytes "
      f"({w} in the second after it, less the countdown's usual {prompt_bytes_per_second:.0f})")

type_keys("help\r")
w, r, cpu, s = measure(phase)
print(f"help page waiting for a key: {w} bytes in {s:.1f} s, CPU {cpu:.2f}% of a core")
os.write(master, b"\x0c")
w, _ = drain(1.0)
print(f"forced full repaint of the help page (Ctrl-L): {w} bytes")

print(f"peak memory: VmHWM {status('VmHWM')} (VmRSS now {status('VmRSS')})")

os.kill(pid, signal.SIGTERM)
drain(0.5)
_, code = os.waitpid(pid, 0)
print(f"ended by SIGTERM: {'signal ' + str(os.WTERMSIG(code)) if os.WIFSIGNALED(code) else 'status ' + str(os.WEXITSTATUS(code))}")
PYTHON
