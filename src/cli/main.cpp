// ftpcfg: command-line companion of FtpConfig over the same CFG_FTP.bin.
#include <cstdio>
#include <iostream>

#include "cli_app.h"
#include "platform/system.h"

int main(int argc, char** argv)
{
    PrepareConsole();
    return RunCli(Utf8Arguments(argc, argv), std::cin, std::cout, std::cerr, IsTerminal(stderr));
}
