// Writes the help page of the commands and their keys from the command table, at build time.

#include <cstdio>
#include <fstream>

#include "app/KeysPage.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: make-keys-page OUTPUT.html\n", stderr);
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out << KeysPageHtml();
    out.close();
    if (!out) {
        std::fprintf(stderr, "make-keys-page: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
