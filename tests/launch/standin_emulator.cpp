// Stands in for the emulator in tests: writes each argument it was given on a line
// of its own to "received.txt" in its working directory.
#include <cstdio>

int main(int argc, char** argv)
{
    std::FILE* out = std::fopen("received.txt", "wb");
    if (!out)
        return 1;
    for (int i = 1; i < argc; ++i)
        std::fprintf(out, "%s\n", argv[i]);
    std::fclose(out);
    return 0;
}
