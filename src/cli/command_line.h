// What the command lines of the game and its tools have in common: --help and --version, and one
// line on the error stream for anything a program cannot use.
#pragma once

#include <string>

struct Program {
    const char* name;   // as the player types it, such as "zorvan-cook"
    const char* usage;  // what --help prints: the usage lines, then what each option does
};

// Answers --help (the usage on standard output) or --version wherever it stands among the
// arguments, and ends the process with exit code 0; returns when neither is there.
void AnswerHelpAndVersion(const Program& program, int argc, char** argv);

// True for a word that looks like an option: a dash and something after it.
bool IsOption(const char* word);

// "NAME: MESSAGE" on the error stream, then the process ends with `code` (2 for a command line
// the program cannot use).
[[noreturn]] void Refuse(const Program& program, const std::string& message, int code = 2);

// Refuses an option the program does not know, pointing to --help.
[[noreturn]] void RefuseOption(const Program& program, const char* option);
