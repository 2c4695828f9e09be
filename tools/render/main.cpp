// zem-render: mixes songs on the engine's decks and mixer, to a WAV file or the sound card.
#include "tools/render/program_dir.h"
#include "tools/render/render_options.h"
#include "tools/render/render_script.h"
#include "tools/render/render_session.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

extern "C" void OnInterrupt(int) {
    RequestRenderStop();
}

int Fail(const std::string& message) {
    std::fprintf(stderr, "zem-render: %s\n", message.c_str());
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    RenderOptions options;
    std::string error;
    if (!ParseRenderOptions(argc, argv, options, error))
        return Fail(error);
    if (options.help) {
        std::fputs(RenderUsage(), stdout);
        return 0;
    }
    if (!CheckOptionChannels(options, error))
        return Fail(error);
    ProgramDir dir;
    if (!EnterProgramDirectory(argc, argv, dir, error))
        return Fail(error);

    ScriptParseResult script;
    if (!options.script.empty()) {
        std::ifstream in(ResolvePath(dir.originalCwd, options.script));
        if (!in)
            return Fail("cannot read the script " + options.script);
        std::ostringstream text;
        text << in.rdbuf();
        script = ParseRenderScript(text.str());
        if (!script.error.empty())
            return Fail(options.script + ":" + script.error);
    }

    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
    bool ok = false;
    std::string outPath;
    {
        RenderSession session(options, dir);
        if (!session.Start(error)) {
            ok = false;
        } else if (options.listDevices) {
            session.ListDevices(std::cout);
            ok = true;
        } else {
            ok = session.OpenSongs(error) && session.ApplyOptions(error) &&
                 session.CheckScript(script.commands, options.script, error) &&
                 session.Mix(script.commands, options.script, error);
            std::string finishError;
            if (!session.Finish(finishError) && ok) {
                ok = false;
                error = finishError;
            }
            if (ok) {
                unsigned long total = 0;
                const std::vector<unsigned long>& underruns = session.Underruns();
                for (size_t ch = 0; ch < underruns.size(); ++ch) {
                    std::printf("deck %zu: %lu underrun frames\n", ch, underruns[ch]);
                    total += underruns[ch];
                }
                if (options.strict && total > 0) {
                    ok = false;
                    error = std::to_string(total) +
                            " frames played as silence because a deck fell behind (--strict)";
                }
            }
        }
        if (!ok && !options.out.empty())
            outPath = ResolvePath(dir.originalCwd, options.out);
    }
    if (!ok) {
        // A failed render leaves no file that looks like a finished one.
        if (!outPath.empty())
            std::remove(outPath.c_str());
        return Fail(error);
    }
    if (!options.out.empty() && !options.quiet)
        std::fprintf(stderr, "zem-render: wrote %s\n",
                     ResolvePath(dir.originalCwd, options.out).c_str());
    return 0;
}
