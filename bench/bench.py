"""Measures what start-services and stop-service cost beyond the commands they
run, under Wine, side by side in one prefix. Run by scripts/bench."""
import datetime
import json
import os
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests"))
from wine import WinePrefix  # noqa: E402

TOOLS = Path(os.environ["BENCH_TOOLS"])
WARMUP = 3
RUNS = int(os.environ.get("BENCH_RUNS", "30"))

PROGRAMS = {
    "start-services": (Path(os.environ["START_SERVICES"]), [
        'net start "VMware USB Arbitration Service"',
        'net start "VMware Authorization Service"',
        'net start "VMware NAT Service"',
        'net start "VMware DHCP Service"',
        "exit",
    ]),
    "stop-service": (Path(os.environ["STOP_SERVICE"]), [
        "echo off",
        'net stop "Kestrelwing"',
    ]),
}

BENCH = r"C:\bench"
STAND_IN = rf"{BENCH}\exit-at-once.exe"


def with_stand_in_interpreter(*command):
    return ["wine", r"C:\fixtures\with-comspec.exe", STAND_IN, *command]


def lay_out(prefix):
    """Puts the programs, the helpers, a stand-in net.exe and one batch file
    per program in C:\\bench, where the interpreter looks for net first."""
    folder = prefix.path / "drive_c" / "bench"
    folder.mkdir()
    for tool in ["exit-at-once", "floor", "peak-working-set"]:
        shutil.copy(TOOLS / f"{tool}.exe", folder)
    shutil.copy(TOOLS / "exit-at-once.exe", folder / "net.exe")
    for name, (program, commands) in PROGRAMS.items():
        shutil.copy(program, folder)
        (folder / f"{name}.bat").write_bytes("".join(f"{c}\r\n" for c in commands).encode())
    return folder


def hyperfine(prefix, folder, commands):
    """Times the named commands, one after another, with hyperfine."""
    with tempfile.NamedTemporaryFile(suffix=".json") as export:
        arguments = ["hyperfine", "--shell=none", "--warmup", str(WARMUP), "--runs", str(RUNS),
                     "--export-json", export.name, "--style", "none"]
        for name, command in commands:
            arguments += ["--command-name", name, shlex.join(command)]
        subprocess.run(arguments, env=prefix.env, cwd=folder, check=True, stdout=subprocess.DEVNULL)
        return json.loads(Path(export.name).read_text())["results"]


def peak_working_set(prefix, program):
    """Median of five readings, in bytes, of a program's peak working set."""
    readings = []
    for _ in range(5):
        result = prefix.wine(r"C:\fixtures\with-comspec.exe", STAND_IN, rf"{BENCH}\peak-working-set.exe", program)
        readings.append(int(result.stdout.split()[-1]))
    return statistics.median(readings)


def report(name, program, commands, results, peak, empty_peak):
    count = len(commands)
    print(f"### {name} ({count} command lines)\n")
    print("| what runs | median | std. dev. | min | max |")
    print("|---|---:|---:|---:|---:|")
    for result in results:
        cells = [result[key] * 1000 for key in ("median", "stddev", "min", "max")]
        print(f"| {result['command']} | " + " | ".join(f"{cell:.1f} ms" for cell in cells) + " |")
    own, floor, with_cmd, batch = (result["median"] for result in results)
    print()
    print(f"- own overhead, program / floor: {own / floor:.3f} ({(own / floor - 1) * 100:+.1f}%)")
    print(f"- one interpreter per command, program / batch file: {with_cmd / batch:.2f}")
    print(f"- size: {program.stat().st_size:,} bytes; peak working set: {peak / 1024:,.0f} KiB "
          f"(an empty program: {empty_peak / 1024:,.0f} KiB)")
    print()


def main():
    prefix = WinePrefix("bench")
    prefix.create()
    try:
        folder = lay_out(prefix)
        version = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
        print(f"Measured {datetime.date.today()} with hyperfine, {WARMUP} warm-up runs and {RUNS} runs "
              f"of each, under {version}, {os.cpu_count()} cores.\n")
        # What Wine itself maps into any process, for scale.
        empty_peak = peak_working_set(prefix, STAND_IN)
        for name, (program, commands) in PROGRAMS.items():
            count = str(len(commands))
            results = hyperfine(prefix, folder, [
                ("program, stand-in interpreter", with_stand_in_interpreter(rf"{BENCH}\{name}.exe")),
                (f"floor: {count} bare interpreter starts", with_stand_in_interpreter(rf"{BENCH}\floor.exe", count)),
                ("program, cmd.exe and stand-in net", ["wine", rf"{BENCH}\{name}.exe"]),
                ("batch file, one cmd.exe", ["wine", "cmd.exe", "/c", rf"{BENCH}\{name}.bat"]),
            ])
            report(name, program, commands, results, peak_working_set(prefix, rf"{BENCH}\{name}.exe"), empty_peak)
    finally:
        prefix.destroy()


if __name__ == "__main__":
    main()
