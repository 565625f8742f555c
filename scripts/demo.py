"""Shows the programs at work in a scratch Wine prefix; run by scripts/demo."""
import os
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent / "tests"))
from wine import WinePrefix  # noqa: E402

VMWARE_SERVICES = [
    "VMware USB Arbitration Service",
    "VMware Authorization Service",
    "VMware NAT Service",
    "VMware DHCP Service",
]


def show_states(prefix, names):
    for name in names:
        print(f"    {name}: {prefix.service_state(name)}")


def show_run(prefix, program):
    print(f"$ {Path(program).name}   (its output, decoded from GBK for this terminal)")
    result = prefix.run(program)
    for stream in (result.stdout, result.stderr):
        sys.stdout.write(stream.decode("gbk", errors="replace").replace("\r\n", "\n"))
    print(f"exit status: {result.status}")


def main():
    prefix = WinePrefix("prefix")
    prefix.create()
    try:
        for name in VMWARE_SERVICES:
            prefix.install_service(name)
        print("Stand-in services installed:")
        show_states(prefix, VMWARE_SERVICES)
        print()
        show_run(prefix, os.environ["START_SERVICES"])
        print()
        print("Afterwards:")
        show_states(prefix, VMWARE_SERVICES)
        print()

        prefix.install_service("Kestrelwing")
        prefix.wine("net", "start", "Kestrelwing")
        print("Stand-in service installed and started:")
        show_states(prefix, ["Kestrelwing"])
        print()
        show_run(prefix, os.environ["STOP_SERVICE"])
        print()
        print("Afterwards:")
        show_states(prefix, ["Kestrelwing"])
    finally:
        prefix.destroy()


if __name__ == "__main__":
    main()
