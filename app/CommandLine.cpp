#include "app/CommandLine.h"

#include <cstdio>

int RunCommandLine(int, char**) {
    std::fprintf(stderr, "vxstat: noch keine Befehle\n");
    return 2;
}
