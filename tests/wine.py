"""Runs the programs under test in a scratch Wine prefix of their own.

The prefix holds the fixtures under C:\\fixtures and keeps one idle process
alive, so that services started by one command are still running when the next
command looks at them.
"""
import os
import shutil
import subprocess
import tempfile
from pathlib import Path
from typing import NamedTuple

FIXTURES = Path(os.environ.get("FIXTURES", "."))


class Result(NamedTuple):
    stdout: bytes
    stderr: bytes
    status: int


def windows_path(path):
    """The name Wine gives a host path: the host's root is drive Z:."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


class WinePrefix:
    STAND_IN_SHELL = r"C:\fixtures\fake-shell.exe"
    STAND_IN_SERVICE = r"C:\fixtures\fake-service.exe"

    def __init__(self, name):
        self.path = Path(os.environ["WINEPREFIX_ROOT"]).resolve() / name
        self.env = dict(os.environ, WINEPREFIX=str(self.path), WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        self.fixtures = self.path / "drive_c" / "fixtures"
        self.keep_alive = None

    def create(self):
        shutil.rmtree(self.path, ignore_errors=True)
        self.path.parent.mkdir(parents=True, exist_ok=True)
        booted = self.wine("wineboot", "-i")
        if booted.status != 0:
            raise RuntimeError(f"wineboot failed: {booted}")
        # wineboot returns while the prefix is still being set up; services
        # created before that has finished may fail to start.
        subprocess.run(["wineserver", "--wait"], env=self.env, check=True)
        self.fixtures.mkdir()
        for fixture in FIXTURES.glob("*.exe"):
            shutil.copy(fixture, self.fixtures)
        self.keep_alive = subprocess.Popen(["wine", r"C:\fixtures\keep-alive.exe"], env=self.env,
                                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                           stderr=subprocess.DEVNULL)

    def destroy(self):
        subprocess.run(["wineserver", "-k"], env=self.env, check=False)
        if self.keep_alive is not None:
            self.keep_alive.wait()

    def wine(self, *command, env=None):
        """Runs a Windows program in the prefix and waits for it to end."""
        # Files, not pipes: Wine's own processes that a command starts on demand
        # inherit its handles and would hold a pipe open long after it ended.
        with tempfile.TemporaryFile() as stdout, tempfile.TemporaryFile() as stderr:
            completed = subprocess.run(["wine", *command], env=dict(self.env, **(env or {})), cwd=self.path.parent,
                                       stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr, timeout=120)
            stdout.seek(0)
            stderr.seek(0)
            return Result(stdout.read(), stderr.read(), completed.returncode)

    def run(self, program, *args, comspec=None, env=None):
        """Runs a program, with COMSPEC naming another interpreter when comspec is given."""
        if comspec is None:
            return self.wine(windows_path(program), *args, env=env)
        return self.wine(r"C:\fixtures\with-comspec.exe", comspec, windows_path(program), *args, env=env)

    def run_with_stand_in_shell(self, program, *args, failing_command=None):
        """Runs a program whose commands go to the stand-in interpreter.

        Returns its result and the command lines the interpreter was given.
        """
        log = self.fixtures / "commands.log"
        log.unlink(missing_ok=True)
        env = {"FAKE_SHELL_LOG": r"C:\fixtures\commands.log"}
        if failing_command is not None:
            env["FAKE_SHELL_FAIL"] = failing_command
        result = self.run(program, *args, comspec=self.STAND_IN_SHELL, env=env)
        commands = log.read_bytes().split(b"\n")[:-1] if log.exists() else []
        return result, commands

    def sc(self, *args):
        result = self.wine("sc", *args)
        if result.status != 0:
            raise RuntimeError(f"sc {' '.join(args)} failed: {result}")

    def install_service(self, name, start="demand"):
        self.sc("create", name, "binpath=", self.STAND_IN_SERVICE, "start=", start)

    def remove_service(self, name):
        if self.service_state(name) == "RUNNING":
            self.wine("net", "stop", name)
        self.sc("delete", name)

    def service_state(self, name):
        """RUNNING, STOPPED and so on, or None when no such service is installed."""
        for line in self.wine("sc", "query", name).stdout.decode().splitlines():
            field, _, value = line.partition(":")
            if field.strip() == "STATE":
                return value.split()[-1]
        return None
