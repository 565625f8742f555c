// floor COUNT
// Starts "%COMSPEC% /c exit" COUNT times, one after another, waiting for each:
// the least any program pays to run COUNT commands one at a time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char *argv[])
{
    const char *comspec = std::getenv("COMSPEC");
    if (argc != 2 || comspec == nullptr) {
        (void)std::fprintf(stderr, "usage: floor COUNT, with COMSPEC set\n");
        return 125;
    }
    for (int i = std::atoi(argv[1]); i > 0; --i) {
        std::string command_line = std::string(comspec) + " /c exit";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(comspec, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                            &process))
            return 126;
        (void)WaitForSingleObject(process.hProcess, INFINITE);
        (void)CloseHandle(process.hThread);
        (void)CloseHandle(process.hProcess);
    }
    return 0;
}
