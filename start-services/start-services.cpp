// Writes a banner, then starts the VMware services one after another.
// Exits 0 only when every command succeeded; every command runs regardless.
#include <cstdio>
#include <cstdlib>

static bool run(const char *command)
{
    // Without this a redirected banner would land after the commands' output,
    // or be lost altogether if the run is interrupted.
    (void)std::fflush(stdout);
    const int status = std::system(command);
    if (status == -1)
        (void)std::fprintf(stderr, "start-services: could not run the command interpreter for: %s\n", command);
    return status == 0;
}

int main(int, char *[], char *[])
{
    // "开启VMware服务!" in GBK (code page 936), then a line holding one space.
    (void)std::printf("\xBF\xAA\xC6\xF4" "VMware" "\xB7\xFE\xCE\xF1" "!\n \n");

    bool all_succeeded = true;
    all_succeeded &= run("net start \"VMware USB Arbitration Service\"");
    all_succeeded &= run("net start \"VMware Authorization Service\"");
    all_succeeded &= run("net start \"VMware NAT Service\"");
    all_succeeded &= run("net start \"VMware DHCP Service\"");
    all_succeeded &= run("exit");
    return all_succeeded ? 0 : 1;
}
