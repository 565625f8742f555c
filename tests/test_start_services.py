"""start-services, run under Wine with a stand-in interpreter and with Wine's own."""
import os
import unittest

from wine import WinePrefix

START_SERVICES = os.environ["START_SERVICES"]

# "开启VMware服务!" in GBK and a line holding one space, in text mode.
BANNER = b"\xbf\xaa\xc6\xf4VMware\xb7\xfe\xce\xf1!\r\n \r\n"

SERVICES = [
    "VMware USB Arbitration Service",
    "VMware Authorization Service",
    "VMware NAT Service",
    "VMware DHCP Service",
]

COMMANDS = [
    b'/c net start "VMware USB Arbitration Service"',
    b'/c net start "VMware Authorization Service"',
    b'/c net start "VMware NAT Service"',
    b'/c net start "VMware DHCP Service"',
    b"/c exit",
]

prefix = WinePrefix("start-services")


def setUpModule():
    prefix.create()


def tearDownModule():
    prefix.destroy()


class WithStandInInterpreter(unittest.TestCase):
    def test_writes_the_banner_and_runs_each_command_once_in_order(self):
        for args in [(), ("--help",), ("/?", "net stop \"VMware NAT Service\"")]:
            with self.subTest(args=args):
                result, commands = prefix.run_with_stand_in_shell(START_SERVICES, *args)
                self.assertEqual(result, (BANNER, b"", 0))
                self.assertEqual(commands, COMMANDS)

    def test_a_failing_command_fails_the_run_but_stops_nothing(self):
        for failing in [
            'net start "VMware USB Arbitration Service"',
            'net start "VMware DHCP Service"',
            "exit",
        ]:
            with self.subTest(failing=failing):
                result, commands = prefix.run_with_stand_in_shell(START_SERVICES, failing_command=failing)
                self.assertEqual(result, (BANNER, b"", 1))
                self.assertEqual(commands, COMMANDS)

    def test_says_so_when_the_interpreter_cannot_be_started(self):
        result = prefix.run(START_SERVICES, comspec=r"C:\missing\cmd.exe")
        self.assertEqual(result, (
            BANNER,
            b'start-services: could not run the command interpreter for: net start "VMware USB Arbitration Service"\r\n'
            b'start-services: could not run the command interpreter for: net start "VMware Authorization Service"\r\n'
            b'start-services: could not run the command interpreter for: net start "VMware NAT Service"\r\n'
            b'start-services: could not run the command interpreter for: net start "VMware DHCP Service"\r\n'
            b"start-services: could not run the command interpreter for: exit\r\n",
            1,
        ))


class WithWineServiceManager(unittest.TestCase):
    def tearDown(self):
        for name in SERVICES:
            if prefix.service_state(name) is not None:
                prefix.remove_service(name)

    def states(self):
        return [prefix.service_state(name) for name in SERVICES]

    def test_with_nothing_installed_the_run_fails_after_the_banner(self):
        result = prefix.run(START_SERVICES)
        self.assertEqual(result.status, 1)
        self.assertTrue(result.stdout.startswith(BANNER), result.stdout)
        self.assertEqual(result.stdout.count(BANNER), 1, result.stdout)

    def test_starts_the_four_services_and_a_second_run_fails_leaving_them_running(self):
        for name in SERVICES:
            prefix.install_service(name)
        self.assertEqual(self.states(), ["STOPPED"] * 4)

        first = prefix.run(START_SERVICES)
        self.assertEqual(first.status, 0, first)
        self.assertTrue(first.stdout.startswith(BANNER), first.stdout)
        self.assertEqual(self.states(), ["RUNNING"] * 4)

        second = prefix.run(START_SERVICES)
        self.assertEqual(second.status, 1, second)
        self.assertEqual(self.states(), ["RUNNING"] * 4)

    def test_a_disabled_service_fails_the_run_but_the_others_still_start(self):
        for name in SERVICES:
            prefix.install_service(name, start="disabled" if name == "VMware NAT Service" else "demand")
        result = prefix.run(START_SERVICES)
        self.assertEqual(result.status, 1, result)
        self.assertEqual(self.states(), ["RUNNING", "RUNNING", "STOPPED", "RUNNING"])


if __name__ == "__main__":
    unittest.main()
