// peak-working-set PROGRAM [ARGUMENTS...]
// Runs PROGRAM and prints its peak working set in bytes. Wine reports nothing
// for a process that has ended, so the peak is read while it runs, every
// millisecond; the peak only grows, so the last reading is the answer.
#include "command-line.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

int main()
{
    std::string command_line = after_first_argument(GetCommandLineA());
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command_line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        (void)std::fprintf(stderr, "peak-working-set: cannot start %s\n", command_line.c_str());
        return 126;
    }
    SIZE_T peak = 0;
    do {
        PROCESS_MEMORY_COUNTERS counters{};
        if (GetProcessMemoryInfo(process.hProcess, &counters, sizeof counters) && counters.PeakWorkingSetSize > peak)
            peak = counters.PeakWorkingSetSize;
    } while (WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT);
    (void)CloseHandle(process.hThread);
    (void)CloseHandle(process.hProcess);
    (void)std::printf("%lu\n", static_cast<unsigned long>(peak));
    return peak > 0 ? 0 : 1;
}
