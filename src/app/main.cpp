#include "app/TCommandLine.h"
#include "app/TmainFrm.h"
#include "runtime/TPlatform.h"

#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    SDL_SetMainReady();
    TPlatform::UseParentConsole();
    TCommandLine Options;
    std::string Error;
    if (!Options.Parse(TPlatform::Arguments(argc, argv), Error)) {
        std::fprintf(stderr, "zerathon: %s\n", Error.c_str());
        return 2;
    }
    if (Options.ShowHelp || Options.ShowVersion) {
        std::fputs((Options.ShowHelp ? TCommandLine::HelpText() : TCommandLine::VersionText()).c_str(),
                   stdout);
        return 0;
    }
    if (SDL_Init(SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "zerathon: cannot start SDL: %s\n", SDL_GetError());
        return 1;
    }
    int Status = 0;
    {
        TmainFrm MainForm(Options);
        Status = MainForm.FormCreate() ? MainForm.Run() : MainForm.FailureStatus();
    }
    SDL_Quit();
    return Status;
}
