"""The release command, run in two copies of the source tree, one after the other."""
import hashlib
import os
import shutil
import subprocess
import time
import unittest
import zipfile
from pathlib import Path

SOURCE_DIR = Path(os.environ["SOURCE_DIR"])
SCRATCH = Path(os.environ["SCRATCH"])
ARCHIVE = "service-tools-1.0.0-win32.zip"


def release_in_a_copy(folder):
    """Copies the source tree to folder, runs the release command there, and
    returns the folder it wrote the release to."""
    shutil.copytree(SOURCE_DIR, folder, ignore=shutil.ignore_patterns("build"))
    subprocess.run(["scripts/release"], cwd=folder, check=True, stdout=subprocess.DEVNULL)
    return folder / "build" / "release"


class Release(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(SCRATCH, ignore_errors=True)
        # Different folders, different path lengths, built some seconds apart.
        cls.first = release_in_a_copy(SCRATCH / "first")
        time.sleep(2)
        cls.second = release_in_a_copy(SCRATCH / "second" / "elsewhere")

    def test_two_builds_of_one_commit_are_identical_byte_for_byte(self):
        for name in ["build/start-services.exe", "build/stop-service.exe", ARCHIVE, "SHA256SUMS"]:
            with self.subTest(name=name):
                self.assertEqual((self.first / name).read_bytes(), (self.second / name).read_bytes())

    def test_release_programs_match_an_ordinary_build_in_another_folder(self):
        # The build under test is not dated by SOURCE_DATE_EPOCH; nothing may date it.
        for program in [os.environ["START_SERVICES"], os.environ["STOP_SERVICE"]]:
            with self.subTest(program=os.path.basename(program)):
                self.assertEqual((self.first / "build" / os.path.basename(program)).read_bytes(),
                                 Path(program).read_bytes())

    def test_archive_holds_the_programs_the_readmes_and_the_licence_in_a_fixed_order(self):
        with zipfile.ZipFile(self.first / ARCHIVE) as archive:
            self.assertEqual(archive.namelist(), [
                "service-tools-1.0.0-win32/LICENSE",
                "service-tools-1.0.0-win32/README.md",
                "service-tools-1.0.0-win32/README.zh-CN.md",
                "service-tools-1.0.0-win32/start-services.exe",
                "service-tools-1.0.0-win32/stop-service.exe",
            ])
            for program in ["start-services.exe", "stop-service.exe"]:
                with self.subTest(program=program):
                    self.assertEqual(archive.read(f"service-tools-1.0.0-win32/{program}"),
                                     (self.first / "build" / program).read_bytes())
            self.assertEqual(archive.read("service-tools-1.0.0-win32/LICENSE"),
                             (SOURCE_DIR / "LICENSE").read_bytes())

    def test_checksums_name_the_archive_and_verify(self):
        digest = hashlib.sha256((self.first / ARCHIVE).read_bytes()).hexdigest()
        self.assertEqual((self.first / "SHA256SUMS").read_text(), f"{digest}  {ARCHIVE}\n")
        subprocess.run(["sha256sum", "--check", "--strict", "SHA256SUMS"], cwd=self.first, check=True,
                       stdout=subprocess.DEVNULL)


if __name__ == "__main__":
    unittest.main()
