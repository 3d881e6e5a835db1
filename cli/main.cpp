// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "ctl.h"
#include "printeradmin.h"
#include "spooler.h"

#include <chrono>
#include <iostream>
#include <thread>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

int main(int argc, char* argv[])
{
    CtlEnvironment environment{
        std::cout,
        std::cerr,
        std::cin,
        // Questions are asked only of a person: both the answer and the
        // question go through a terminal.
        isatty(fileno(stdin)) && isatty(fileno(stderr)),
        [](int milliseconds) {
            std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        },
        [] { return createPlatformSpooler(); },
        [] { return createPlatformPrinterAdmin(); },
    };
    return runCtl(std::vector<std::string>(argv + 1, argv + argc), environment);
}
