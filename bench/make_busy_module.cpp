// Writes the busy module (see busy_module.h) to a file: the input of the render
// benchmarks and the README's demo. Usage: make_busy_module OUT.mod [POSITIONS]
#include "busy_module.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char **argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: make_busy_module OUT.mod [POSITIONS 1..128]\n");
        return 2;
    }
    const int positions = argc == 3 ? std::atoi(argv[2]) : vxtest::kBusySixMinutePositions;
    if (positions < 1 || positions > 128) {
        std::fprintf(stderr, "make_busy_module: POSITIONS must be 1..128\n");
        return 2;
    }
    const std::vector<uint8_t> bytes = vxtest::busyModule(positions);
    FILE *file = std::fopen(argv[1], "wb");
    const bool ok = file && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (!file || std::fclose(file) != 0 || !ok) {
        std::fprintf(stderr, "make_busy_module: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
