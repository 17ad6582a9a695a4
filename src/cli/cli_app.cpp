#include "cli_app.h"

#include <cstdlib>
#include <exception>
#include <fstream>
#include <memory>
#include <stdexcept>

#include "app/controller.h"
#include "arguments.h"
#include "base/clock.h"
#include "commands.h"
#include "scripted_ui.h"
#include "storage/file_io.h"

namespace tallivan::cli {

namespace {

constexpr const char* kUsage =
    "usage: tallivan-cli [--data DIR] [--today YYYY-MM-DD] [--password PW | --password-file FILE] "
    "COMMAND [ARGS...]";

struct GlobalOptions {
    std::string dataDir;
    std::optional<Date> today;
    std::optional<std::string> password;
    std::optional<std::string> passwordFile;
    std::vector<std::string> commandWords;
};

// The password from the first line of a file, so it need not show in the process list.
std::string passwordFromFile(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("--password-file: cannot read " + path);
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// --password wins over --password-file, the file over TALLIVAN_PASSWORD.
std::optional<std::string> passwordOf(const GlobalOptions& g) {
    if (g.password)
        return g.password;
    if (g.passwordFile)
        return passwordFromFile(*g.passwordFile);
    if (const char* fromEnvironment = std::getenv("TALLIVAN_PASSWORD"))
        return std::string(fromEnvironment);
    return std::nullopt;
}

GlobalOptions parseGlobalOptions(const std::vector<std::string>& words) {
    GlobalOptions g;
    std::size_t i = 0;
    for (; i < words.size(); ++i) {
        const std::string& w = words[i];
        if (w != "--data" && w != "--today" && w != "--password" && w != "--password-file")
            break;
        if (i + 1 >= words.size())
            throw UsageError("option " + w + " needs a value");
        const std::string& v = words[++i];
        if (w == "--data") {
            g.dataDir = v;
        } else if (w == "--today") {
            Date d;
            if (!parseIsoDate(v, d))
                throw UsageError("--today: '" + v + "' is not YYYY-MM-DD");
            g.today = d;
        } else if (w == "--password") {
            g.password = v;
        } else {
            g.passwordFile = v;
        }
    }
    g.commandWords.assign(words.begin() + static_cast<std::ptrdiff_t>(i), words.end());
    if (g.commandWords.empty())
        throw UsageError(kUsage);
    return g;
}

}  // namespace

std::string readPasswordFile(const std::string& path) {
    return passwordFromFile(path);
}

int runCommandLine(const std::vector<std::string>& words, std::ostream& out, std::ostream& err) {
    try {
        const GlobalOptions g = parseGlobalOptions(words);
        const std::string& name = g.commandWords.front();
        CommandHandler handler = nullptr;
        for (const CommandEntry& e : commandTable()) {
            if (name == e.name)
                handler = e.handler;
        }
        if (!handler)
            throw UsageError("unknown command " + name + "\n" + kUsage);

        PosixFileSystem files(g.dataDir);
        SystemClock systemClock;
        std::unique_ptr<FixedClock> fixedClock;
        if (g.today)
            fixedClock = std::make_unique<FixedClock>(*g.today, systemClock.secondsNow());
        Clock& clock = fixedClock ? static_cast<Clock&>(*fixedClock) : systemClock;
        ScriptedUi ui(err);
        if (const auto password = passwordOf(g))
            ui.setPassword(*password);
        Controller controller(ui, files, clock);
        // The whole run is one writer's turn: no other program changes the data under it.
        if (!controller.holdDataLock())
            return 1;
        controller.start();

        CommandContext ctx{
            controller, ui,
            std::vector<std::string>(g.commandWords.begin() + 1, g.commandWords.end()), out};
        const int status = handler(ctx);
        return status != 0 ? status : (ui.sawError() ? 1 : 0);
    } catch (const UsageError& e) {
        err << "tallivan-cli: " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        err << "tallivan-cli: " << e.what() << "\n";
        return 1;
    }
}

}  // namespace tallivan::cli
