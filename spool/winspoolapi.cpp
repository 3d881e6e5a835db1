#include "winspoolapi.h"

const WinspoolApi& systemWinspool()
{
    static const WinspoolApi api{
        GetDefaultPrinterA, OpenPrinterA,   EnumJobsA,     StartDocPrinterA, StartPagePrinter,
        WritePrinter,       EndPagePrinter, EndDocPrinter, SetJobA,          ClosePrinter,
        GetLastError,
    };
    return api;
}

std::unique_ptr<Spooler> createPlatformSpooler()
{
    return createWinspoolSpooler(systemWinspool());
}
