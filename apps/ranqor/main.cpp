#include <cstring>
#include <iostream>

namespace {

const char* kUsage =
    "Usage: ranqor [COMMAND] [OPTIONS]\n"
    "\n"
    "Without a command, ranqor opens its window.\n"
    "\n"
    "Commands:\n"
    "  --help       show this text\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::cout << kUsage;
        return 0;
    }
    std::cerr << kUsage;
    return 2;
}
