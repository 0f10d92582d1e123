#include "cli/command_line.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

void AnswerHelpAndVersion(const Program& program, int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(program.usage, stdout);
        } else if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s (Zorvan) %s\nCopyright (c) 2026 the Zorvan developers, MIT licence\n",
                        program.name, ZORVAN_VERSION);
        } else {
            continue;
        }
        std::exit(std::fflush(stdout) == 0 ? 0 : 1);
    }
}

bool IsOption(const char* word) {
    return word[0] == '-' && word[1] != '\0';
}

void Refuse(const Program& program, const std::string& message, int code) {
    std::fprintf(stderr, "%s: %s\n", program.name, message.c_str());
    std::exit(code);
}

void RefuseOption(const Program& program, const char* option) {
    Refuse(program, std::string("unknown option ") + option + " (" + program.name +
                        " --help lists the options)");
}
