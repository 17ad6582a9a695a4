#include <iostream>
#include <string>
#include <vector>

#include "cli_app.h"

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    return tallivan::cli::runCommandLine(words, std::cout, std::cerr);
}
