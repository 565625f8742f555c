// Stops the Kestrelwing service.
// Exits 0 only when both commands succeeded; both run regardless.
#include <cstdio>
#include <cstdlib>

static bool run(const char *command)
{
    const int status = std::system(command);
    if (status == -1)
        (void)std::fprintf(stderr, "stop-service: could not run the command interpreter for: %s\n", command);
    return status == 0;
}

int main(int, char *[], char *[])
{
    bool all_succeeded = true;
    all_succeeded &= run("echo off");
    all_succeeded &= run("net stop \"Kestrelwing\"");
    return all_succeeded ? 0 : 1;
}
