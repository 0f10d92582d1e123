// The game: its command line, start-up, then GLUT's main loop, which never returns (Escape or the
// window's close button ends the process).
#include <GL/freeglut.h>

#include <cstring>
#include <string>
#include <vector>

#include "app/shell.h"
#include "cli/command_line.h"
#include "platform/game_folder.h"

namespace {

const Program kGame = {
    "zorvan",
    "usage: zorvan [--data DIR] [X OPTION...]\n"
    "\n"
    "Zorvan, a 3D action game: roll the ball through the level, shoot the cube enemies, collect\n"
    "three rings and open the doors.\n"
    "\n"
    "  --data DIR  play with the game's folder DIR (the one holding data/, models/, textures/);\n"
    "              by default the program's own folder, then ../share/zorvan beside it, then\n"
    "              the current folder\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "X options, passed on to the window system: -display DISPLAY, -geometry WxH+X+Y, -iconic,\n"
    "-sync, -gldebug, -direct, -indirect.\n"
    "\n"
    "Keys: W A S D roll, the mouse looks, SPACE boosts upwards, Q held kicks off walls, left and\n"
    "right mouse buttons fire, E opens a door, R sets the respawn point, C changes the camera,\n"
    "P pauses, F1 shows the help overlay, F7 mutes, Escape quits. The window's and the sound's\n"
    "settings are in data/game.ini.\n"};

// GLUT's own options, which glutInit takes from the command line; the first two take a value.
bool IsGlutOption(const char* word, bool& takesValue) {
    takesValue = std::strcmp(word, "-display") == 0 || std::strcmp(word, "-geometry") == 0;
    if (takesValue) return true;
    for (const char* flag : {"-iconic", "-sync", "-gldebug", "-direct", "-indirect"})
        if (std::strcmp(word, flag) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    AnswerHelpAndVersion(kGame, argc, argv);
    const char* dataFolder = nullptr;
    std::vector<char*> glutArgs = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        bool takesValue = false;
        if (std::strcmp(argv[i], "--data") == 0) {
            if (i + 1 >= argc) Refuse(kGame, "--data takes a folder");
            dataFolder = argv[++i];
        } else if (IsGlutOption(argv[i], takesValue)) {
            glutArgs.push_back(argv[i]);
            if (takesValue) {
                if (i + 1 >= argc) Refuse(kGame, std::string(argv[i]) + " takes a value");
                glutArgs.push_back(argv[++i]);
            }
        } else if (IsOption(argv[i])) {
            RefuseOption(kGame, argv[i]);
        } else {
            Refuse(kGame, std::string("unexpected argument ") + argv[i] +
                              " (zorvan --help lists the options)");
        }
    }
    std::string error;
    if (!EnterGameFolder(dataFolder, error)) Refuse(kGame, error, 1);

    int glutArgc = static_cast<int>(glutArgs.size());
    glutArgs.push_back(nullptr);
    GameStart(glutArgc, glutArgs.data());
    glutMainLoop();
    return 0;
}
