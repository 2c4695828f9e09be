// The program's command line: files to open, "-log", and the Linux options "--home DIR"
// (program directory), "--screenshot FILE.png" (grab the main window after start-up) and
// "--widget-map FILE" (where the named controls are on the screen, for test drivers).
#pragma once

#include <string>
#include <vector>

namespace zem::shell {

struct CommandLine {
    std::string home;
    std::string screenshot;
    std::string widgetMap;
    // "-log" anywhere in the raw command line, also inside a longer word.
    bool log = false;
    // "-Embedding" or "-Automation": started by another program, nobody to greet.
    bool automation = false;
    // In the order given; relative ones already resolved against the start directory.
    std::vector<std::string> files;
    // Unknown "--" options and options without their value.
    std::vector<std::string> errors;
};

// args without the program name; startDir resolves relative file names.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& startDir);

// The text of the files dropped together: each path followed by "|".
std::string DroppedFilesText(const std::vector<std::string>& paths);
// What a text drop opens: the text up to its first "|" (all of it without one); empty when
// there is nothing before it.
std::string FirstDroppedFile(const std::string& text);

} // namespace zem::shell
