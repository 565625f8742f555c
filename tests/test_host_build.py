"""The programs built for the host, where system() runs /bin/sh and the C
library holds a redirected standard output in a buffer until it is flushed."""
import os
import subprocess
import tempfile
import unittest
from pathlib import Path

START_SERVICES = os.environ["START_SERVICES"]

# Prints how it was called, as a stand-in for the Windows net command.
STAND_IN_NET = '#!/bin/sh\necho "net $*"\n'


class RedirectedOutput(unittest.TestCase):
    def test_banner_comes_before_what_the_commands_write(self):
        with tempfile.TemporaryDirectory() as bin_dir, tempfile.TemporaryFile() as output:
            net = Path(bin_dir, "net")
            net.write_text(STAND_IN_NET)
            net.chmod(0o755)
            env = dict(os.environ, PATH=f"{bin_dir}:{os.environ['PATH']}")
            status = subprocess.run([START_SERVICES], env=env, stdout=output, check=False).returncode
            output.seek(0)
            self.assertEqual(output.read(),
                             b"\xbf\xaa\xc6\xf4VMware\xb7\xfe\xce\xf1!\n \n"
                             b"net start VMware USB Arbitration Service\n"
                             b"net start VMware Authorization Service\n"
                             b"net start VMware NAT Service\n"
                             b"net start VMware DHCP Service\n")
            self.assertEqual(status, 0)


if __name__ == "__main__":
    unittest.main()
