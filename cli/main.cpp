#include "Verb.h"

#include <clocale>
#include <iostream>

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "C");
    std::vector<std::string> args(argv + 1, argv + argc);
    return kova::cli::RunBatch(args, std::cout, std::cerr);
}
