#include "run/options.h"

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "run/script.h"

const Program kRunner = {
    "zorvan-run",
    "usage: zorvan-run [OPTION...]\n"
    "\n"
    "Plays the game under a script, for tests, demos and bug reports; records a player's game as\n"
    "such a script.\n"
    "\n"
    "  --frames N          run N frames (by default up to the script's last frame, and with\n"
    "                      --record until the game ends)\n"
    "  --dt SECONDS        a fixed step per frame, such as 0.01 or 1/60; the clock starts at\n"
    "                      100 s (by default the real clock runs)\n"
    "  --script FILE       apply the script's actions: one a line, FRAME ACTION [ARGS], with\n"
    "                      down K, up K (K one character, space, esc or xHH), fkey N, press\n"
    "                      left|right, release left|right, move X Y, dt SECONDS (this frame's\n"
    "                      step and the next ones'), shot FILE.png, close (the window's close\n"
    "                      button), quit\n"
    "  --record FILE       write what the player does, with each frame's step time, as a script\n"
    "                      that --script plays back to the same trace\n"
    "  --trace FILE        write one JSON object per frame\n"
    "  --sound-log FILE    write one line per sound event: FRAME EVENT X Y Z (whether or not\n"
    "                      sound is on)\n"
    "  --shot FRAME:FILE.png\n"
    "                      save a screenshot after that frame (may be given again)\n"
    "  --random SEED       seeded random input, for soaks\n"
    "  --random-function-keys on|off\n"
    "                      whether the random input presses function keys (on)\n"
    "  --data DIR          the game's folder (the one holding data/, models/, textures/); by\n"
    "                      default the program's own folder, then ../share/zorvan beside it,\n"
    "                      then the current folder\n"
    "  --help              show this help and exit\n"
    "  --version           show the version and exit\n"
    "\n"
    "Files are named relative to the current folder. At the end the runner presses Escape, so\n"
    "the game exits through its own path.\n"};

namespace {

// Every option of the runner takes a value.
bool IsRunnerOption(const std::string& word) {
    for (const char* option : {"--frames", "--dt", "--script", "--record", "--trace", "--sound-log",
                               "--shot", "--random", "--random-function-keys", "--data"})
        if (word == option) return true;
    return false;
}

}  // namespace

Options ParseOptions(int argc, char** argv) {
    AnswerHelpAndVersion(kRunner, argc, argv);
    Options o;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (!IsOption(argv[i]))
            Refuse(kRunner,
                   "unexpected argument " + arg + " (zorvan-run --help lists the options)");
        if (!IsRunnerOption(arg)) RefuseOption(kRunner, argv[i]);
        if (i + 1 >= argc) Refuse(kRunner, arg + " takes a value (zorvan-run --help)");
        const char* value = argv[++i];
        if (arg == "--frames") {
            char* end;
            long n = std::strtol(value, &end, 10);
            if (*end != '\0' || n < 0 || n > 100000000) Refuse(kRunner, "--frames takes a count");
            o.frames = static_cast<int>(n);
        } else if (arg == "--dt") {
            if (!ParseSeconds(value, o.dt))
                Refuse(kRunner, "--dt takes seconds, such as 0.01 or 1/60");
        } else if (arg == "--script") {
            o.scriptFile = value;
        } else if (arg == "--record") {
            o.recordFile = value;
        } else if (arg == "--random") {
            char* end;
            o.randomSeed = std::strtol(value, &end, 10);
            if (*end != '\0' || o.randomSeed < 0 || o.randomSeed > UINT32_MAX)
                Refuse(kRunner, "--random takes a seed from 0 to 4294967295");
        } else if (arg == "--random-function-keys") {
            if (std::strcmp(value, "on") != 0 && std::strcmp(value, "off") != 0)
                Refuse(kRunner, "--random-function-keys takes on or off");
            o.randomFunctionKeys = std::strcmp(value, "on") == 0;
        } else if (arg == "--trace") {
            o.traceFile = value;
        } else if (arg == "--sound-log") {
            o.soundLogFile = value;
        } else if (arg == "--shot") {
            const char* colon = std::strchr(value, ':');
            char* end;
            long frame = std::strtol(value, &end, 10);
            if (colon == nullptr || end != colon || frame < 0 || frame > INT_MAX ||
                colon[1] == '\0')
                Refuse(kRunner, "--shot takes FRAME:FILE.png");
            o.shots.emplace(static_cast<int>(frame), colon + 1);
        } else {  // --data
            o.dataFolder = value;
        }
    }
    if (!o.recordFile.empty() && o.randomSeed >= 0)
        Refuse(kRunner, "--record takes the player's input, not --random's");
    return o;
}
