"""stop-service, run under Wine with a stand-in interpreter and with Wine's own."""
import os
import unittest

from wine import WinePrefix

STOP_SERVICE = os.environ["STOP_SERVICE"]

COMMANDS = [
    b"/c echo off",
    b'/c net stop "Kestrelwing"',
]

prefix = WinePrefix("stop-service")


def setUpModule():
    prefix.create()


def tearDownModule():
    prefix.destroy()


class WithStandInInterpreter(unittest.TestCase):
    def test_writes_nothing_and_runs_each_command_once_in_order(self):
        for args in [(), ("--help",), ("/?", 'net start "Kestrelwing"')]:
            with self.subTest(args=args):
                result, commands = prefix.run_with_stand_in_shell(STOP_SERVICE, *args)
                self.assertEqual(result, (b"", b"", 0))
                self.assertEqual(commands, COMMANDS)

    def test_a_failing_command_fails_the_run_but_stops_nothing(self):
        for failing in ["echo off", 'net stop "Kestrelwing"']:
            with self.subTest(failing=failing):
                result, commands = prefix.run_with_stand_in_shell(STOP_SERVICE, failing_command=failing)
                self.assertEqual(result, (b"", b"", 1))
                self.assertEqual(commands, COMMANDS)

    def test_says_so_when_the_interpreter_cannot_be_started(self):
        result = prefix.run(STOP_SERVICE, comspec=r"C:\missing\cmd.exe")
        self.assertEqual(result, (
            b"",
            b"stop-service: could not run the command interpreter for: echo off\r\n"
            b'stop-service: could not run the command interpreter for: net stop "Kestrelwing"\r\n',
            1,
        ))


class WithWineServiceManager(unittest.TestCase):
    def tearDown(self):
        if prefix.service_state("Kestrelwing") is not None:
            prefix.remove_service("Kestrelwing")

    def test_stops_the_running_service_and_a_second_run_fails(self):
        prefix.install_service("Kestrelwing")
        self.assertEqual(prefix.wine("net", "start", "Kestrelwing").status, 0)
        self.assertEqual(prefix.service_state("Kestrelwing"), "RUNNING")

        first = prefix.run(STOP_SERVICE)
        self.assertEqual(first.status, 0, first)
        self.assertEqual(prefix.service_state("Kestrelwing"), "STOPPED")

        second = prefix.run(STOP_SERVICE)
        self.assertEqual(second.status, 1, second)
        self.assertEqual(prefix.service_state("Kestrelwing"), "STOPPED")

    def test_with_the_service_not_installed_the_run_fails_and_adds_nothing_to_what_net_says(self):
        net_alone = prefix.wine("net", "stop", "Kestrelwing")
        self.assertEqual(prefix.run(STOP_SERVICE), (net_alone.stdout, net_alone.stderr, 1))


if __name__ == "__main__":
    unittest.main()
