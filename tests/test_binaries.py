"""What a user downloads: plain 32-bit console programs that need nothing but Windows."""
import os
import re
import subprocess
import unittest

OBJDUMP = os.environ["OBJDUMP"]
PROGRAMS = [os.environ["START_SERVICES"], os.environ["STOP_SERVICE"]]


def objdump(*args):
    return subprocess.run([OBJDUMP, *args], capture_output=True, text=True, check=True).stdout


class Executables(unittest.TestCase):
    def test_are_small_pe32_console_programs_importing_only_kernel32_and_msvcrt(self):
        for program in PROGRAMS:
            with self.subTest(program=os.path.basename(program)):
                headers = objdump("-p", program)
                self.assertIn("file format pei-i386", headers)
                self.assertRegex(headers, r"Magic\s+010b\s+\(PE32\)")
                self.assertRegex(headers, r"Subsystem\s+00000003\s+\(Windows CUI\)")
                self.assertEqual(re.findall(r"DLL Name: (\S+)", headers), ["KERNEL32.dll", "msvcrt.dll"])
                self.assertLess(os.path.getsize(program), 64 * 1024)

    def test_carry_no_resources_and_so_no_manifest(self):
        for program in PROGRAMS:
            with self.subTest(program=os.path.basename(program)):
                sections = re.findall(r"^\s*\d+\s+(\S+)", objdump("--section-headers", program), re.MULTILINE)
                self.assertIn(".text", sections)
                self.assertNotIn(".rsrc", sections)
                self.assertRegex(objdump("-p", program), r"Entry 2 00000000 00000000 Resource Directory")


if __name__ == "__main__":
    unittest.main()
