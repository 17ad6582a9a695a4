// The command line's cases written as data: each file of tests/cli/cases runs its commands in a
// fresh data directory and compares what each prints with the lines that follow it.
//
//   # a comment (anywhere)
//   $ buy zrdata/zr_00001.acc --code 600001 --shares 1000 --price 10.00
//   the expected standard output, line by line
//   ! an expected line of standard error
//   => 1                 the expected exit status (0 when absent)
//
// Words are separated by spaces; "double quotes" keep spaces in a word. $DATA stands for the
// data directory, in the words and in the expected lines. Every command runs with --data $DATA
// and, unless it names a day itself, --today 2026-12-10. Blank lines are ignored.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_cli.h"
#include "support/temp_dir.h"

namespace tallivan {
namespace {

struct Step {
    int line = 0;  // where the command stands in its file
    std::vector<std::string> words;
    std::string out;
    std::string err;
    int status = 0;
};

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (quoted)
        throw std::runtime_error("an unclosed quote in: " + line);
    if (inWord)
        words.push_back(word);
    return words;
}

std::vector<Step> readCase(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::vector<Step> steps;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        if (line.rfind("$ ", 0) == 0) {
            steps.push_back({number, splitWords(line.substr(2)), {}, {}, 0});
            continue;
        }
        if (steps.empty())
            throw std::runtime_error(file.string() + ":" + std::to_string(number) +
                                     ": expected lines before any command");
        Step& step = steps.back();
        if (line.rfind("! ", 0) == 0)
            step.err += line.substr(2) + "\n";
        else if (line.rfind("=> ", 0) == 0)
            step.status = std::stoi(line.substr(3));
        else
            step.out += line + "\n";
    }
    return steps;
}

std::vector<std::filesystem::path> caseFiles() {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(TALLIVAN_CLI_CASES_DIR)) {
        if (entry.path().extension() == ".test")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

class CliCase : public ::testing::TestWithParam<std::filesystem::path> {};

TEST_P(CliCase, PrintsWhatTheCaseExpects) {
    const std::vector<Step> steps = readCase(GetParam());
    ASSERT_FALSE(steps.empty()) << "a case without commands";
    testing::TempDir data;
    for (const Step& step : steps) {
        std::vector<std::string> args = {"--data", data.path()};
        if (std::find(step.words.begin(), step.words.end(), "--today") == step.words.end())
            args.insert(args.end(), {"--today", "2026-12-10"});
        for (const std::string& word : step.words)
            args.push_back(replaceAll(word, "$DATA", data.path()));
        SCOPED_TRACE(GetParam().filename().string() + ":" + std::to_string(step.line));
        const testing::CliResult r = testing::runCli(TALLIVAN_CLI_PATH, args, data.path());
        EXPECT_EQ(r.out, replaceAll(step.out, "$DATA", data.path()));
        EXPECT_EQ(r.err, replaceAll(step.err, "$DATA", data.path()));
        EXPECT_EQ(r.status, step.status);
        if (::testing::Test::HasFailure())
            return;  // later commands build on this one
    }
}

// The same case with every account sealed as soon as it is added: each command gives the same
// lines, and no account file or journal holds a code of the case in clear. Cases about
// passwords or the tree's titles (which a sealed account hides until it opens) stay plain.
TEST_P(CliCase, GivesTheSameOnSealedAccounts) {
    const std::vector<Step> steps = readCase(GetParam());
    for (const Step& step : steps) {
        for (const std::string& word : step.words) {
            if (word == "passwd" || word == "tree" || word == "--password" || word == "options")
                GTEST_SKIP() << "about passwords or titles";
        }
    }
    testing::TempDir data;
    testing::TempDir outside;  // the passphrase lies outside the data directory
    const std::string passphraseFile = outside.file("passphrase");
    outside.write("passphrase", "a passphrase of some length\n");
    const std::vector<std::string> environment = {"TALLIVAN_PASSWORD=a passphrase of some length",
                                                  "TALLIVAN_SEAL_LIMITS=minimal"};
    std::vector<std::string> codes;
    for (const Step& step : steps) {
        std::vector<std::string> args = {"--data", data.path()};
        if (std::find(step.words.begin(), step.words.end(), "--today") == step.words.end())
            args.insert(args.end(), {"--today", "2026-12-10"});
        for (const std::string& word : step.words)
            args.push_back(replaceAll(word, "$DATA", data.path()));
        for (std::size_t i = 0; i + 1 < step.words.size(); ++i) {
            if (step.words[i] == "--code")
                codes.push_back(step.words[i + 1]);
        }
        SCOPED_TRACE(GetParam().filename().string() + ":" + std::to_string(step.line));
        const testing::CliResult r =
            testing::runCli(TALLIVAN_CLI_PATH, args, data.path(), environment);
        EXPECT_EQ(r.out, replaceAll(step.out, "$DATA", data.path()));
        EXPECT_EQ(r.err, replaceAll(step.err, "$DATA", data.path()));
        EXPECT_EQ(r.status, step.status);
        if (::testing::Test::HasFailure())
            return;
        if (step.words.front() == "add-account" && r.status == 0) {
            const std::string account = r.out.substr(0, r.out.find('\n'));
            const testing::CliResult sealed = testing::runCli(
                TALLIVAN_CLI_PATH,
                {"--data", data.path(), "seal", account, "--new-password-file", passphraseFile},
                data.path(), environment);
            ASSERT_EQ(sealed.status, 0) << sealed.err;
        }
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data.path())) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || (entry.path().extension() != ".acc" && name != "zrstk.jnl"))
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        for (const std::string& code : codes)
            EXPECT_EQ(bytes.find(code), std::string::npos) << code << " in " << name;
    }
}

std::string caseName(const ::testing::TestParamInfo<std::filesystem::path>& info) {
    std::string name = info.param.stem().string();
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, CliCase, ::testing::ValuesIn(caseFiles()), caseName);

}  // namespace
}  // namespace tallivan
